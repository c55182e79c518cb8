// The language the windows speak: the user's (LANGUAGE is "de" for this test) or the one asked
// with --lang, chosen before the windows are made, with Qt's own texts in the same language.
#include "app/translations.h"
#include "app/TForm1.h"
#include "app/window.h"
#include "support/launcher_fixture.h"

#include <QPushButton>
#include <QtTest>

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void chosen_data() {
        QTest::addColumn<QStringList>("wanted");
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << QStringList{"de"} << "de";
        QTest::newRow("with country and character set") << QStringList{"fi_FI.UTF-8"} << "fi";
        QTest::newRow("the first one spoken") << QStringList{"fr-FR", "sv", "de-AT", "fi"} << "de";
        QTest::newRow("English first") << QStringList{"en-GB", "de"} << "en";
        QTest::newRow("POSIX locale, then Finnish") << QStringList{"C", "fi"} << "fi";
        QTest::newRow("none spoken") << QStringList{"fr", "sv_SE"} << "en";
        QTest::newRow("none given") << QStringList{} << "en";
    }
    void chosen() {
        QFETCH(QStringList, wanted);
        QFETCH(QString, language);
        QCOMPARE(vkr::catalogueLanguage(wanted), language);
    }

    void windows_data() {
        QTest::addColumn<QString>("asked"); // --lang; empty: the user's
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("serverList"); // the main window's button
        QTest::addColumn<QString>("cancel");     // Qt's standard button
        QTest::newRow("LANGUAGE=de") << ""
                                     << "de"
                                     << "MP: &Serverliste"
                                     << "Abbrechen";
        QTest::newRow("--lang en") << "en"
                                   << "en"
                                   << "MP: &Server list"
                                   << "Cancel";
        QTest::newRow("--lang fi_FI") << "fi_FI"
                                      << "fi"
                                      << "MP: &Palvelimet"
                                      << "Peru";
    }
    void windows() {
        QFETCH(QString, asked);
        QFETCH(QString, language);
        QFETCH(QString, serverList);
        QFETCH(QString, cancel);
        QCOMPARE(vkr::installTranslations(asked), language);
        LauncherFixture fx;
        fx.writeStandardRegistry();
        fx.start();
        QCOMPARE(vkr::forms().form1->findChild<QPushButton*>("BitBtn5")->text(), serverList);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
    }
};

QTEST_MAIN(TranslationsTest)
#include "gui_translations.moc"
