// The about box, shown from the main window's Help menu, offscreen.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TAboutDialog.h"
#include "support/launcher_fixture.h"
#include "ui_TAboutDialog.h"
#include "ui_TForm1.h"

#include <QDir>
#include <QScreen>
#include <QtTest>

class AboutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

    TAboutDialog* form() { return vkr::forms().aboutDialog; }
    Ui::TAboutDialog* ui() { return form()->ui(); }

    bool open() {
        vkr::forms().form1->ui()->About1->trigger();
        return QTest::qWaitForWindowExposed(form());
    }

private slots:
    void init() {
        fx = std::make_unique<LauncherFixture>();
        fx->writeStandardRegistry();
        fx->start();
        vkr::forms().form1->show();
    }
    void cleanup() { fx.reset(); }

    void windowAsDesigned() {
        QVERIFY(open());
        QCOMPARE(form()->windowTitle(), QString("About"));
        QCOMPARE(form()->size(), QSize(281, 195));
        QCOMPARE(form()->minimumSize(), form()->maximumSize());
        QCOMPARE(form()->windowType(), Qt::Tool);
        QVERIFY(!(form()->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(ui()->OKBtn->isDefault());
        QCOMPARE(ui()->Label1->text(), QString("VKR Launcher v2.18 by Tervald"));
        const QFontInfo title(ui()->Label1->font());
        QVERIFY(title.bold());
        QCOMPARE(title.pixelSize(), 13);
        QCOMPARE(ui()->Label1->font().family(), QString("Verdana"));

        const QRect screen = form()->screen()->availableGeometry();
        // Placed before its first show, when the frame's width is not known yet.
        const QPoint off = form()->frameGeometry().center() - screen.center();
        QVERIFY2(qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2,
                 qPrintable(QString("%1,%2").arg(off.x()).arg(off.y())));

        const QString dir = QString(VKR_BINARY_DIR) + "/screenshots";
        QDir().mkpath(dir);
        QVERIFY(form()->grab().save(dir + "/about-offscreen.png"));
        for (QLabel* l : form()->findChildren<QLabel*>()) {
            QVERIFY2(!l->text().isEmpty(), qPrintable(l->objectName()));
            QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->objectName()));
            QVERIFY2(l->geometry().right() < ui()->Bevel1->geometry().right(),
                     qPrintable(l->objectName()));
        }
    }

    void closes_data() {
        QTest::addColumn<int>("how"); // a key, or 0 for a click on OK
        QTest::addColumn<bool>("hidden");
        QTest::newRow("OK") << 0 << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
        QTest::newRow("Shift+Esc does nothing")
            << (Qt::ShiftModifier | Qt::Key_Escape).toCombined() << false;
    }
    void closes() {
        QFETCH(int, how);
        QFETCH(bool, hidden);
        QVERIFY(open());
        QPointer<TAboutDialog> shown = form();
        if (how == 0) {
            QTest::mouseClick(ui()->OKBtn, Qt::LeftButton);
        } else {
            const auto key = Qt::Key(how & ~Qt::KeyboardModifierMask);
            const auto modifiers = Qt::KeyboardModifiers(how & Qt::KeyboardModifierMask);
            QTest::keyClick(ui()->OKBtn, key,
                            key == Qt::Key_Enter ? modifiers | Qt::KeypadModifier : modifiers);
        }
        QCOMPARE(form()->isVisible(), !hidden);
        // Closing only hides: the same window comes back the next time.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shown);
        QVERIFY(open());
        QVERIFY(form()->isVisible());
    }

    void closeBoxHides() {
        QVERIFY(open());
        QVERIFY(form()->close());
        QVERIFY(!form()->isVisible());
        QVERIFY(vkr::forms().form1->isVisible());
    }
};

QTEST_MAIN(AboutTest)
#include "gui_about.moc"
