// Every text of every window fits its control, measured with the font the window draws it in,
// at the scale, with the fonts and in the language (VKR_LANG, English when unset) this run was
// started with (tests/text_fit.cmake runs it at several). Each window is saved as a picture in
// build/screenshots/text-fit/.
#include "app/translations.h"
#include "support/dark_palette.h"
#include "support/launcher_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// Labels whose text is data that the window elides or lets run out, not a caption.
const QStringList dataLabels{"TForm1.exenimi",      "TFormWatcher.host", "TFormWatcher.mission",
                             "TFormWatcher.status", "TFormLan.Status",   "TForm4.AddMessage",
                             "TFormFriends.Note"};

QString caption(QString text) {
    return text.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

} // namespace

class TextFitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

private slots:
    void initTestCase() {
        // "dark": Fusion with a dark palette, as a dark desktop gives it.
        if (qEnvironmentVariable("VKR_PALETTE") == "dark") {
            useDarkFusion();
        }
        if (qEnvironmentVariableIsSet("VKR_LANG")) {
            vkr::installTranslations(qEnvironmentVariable("VKR_LANG"));
        }
        fx = std::make_unique<LauncherFixture>();
        fx->writeStandardRegistry();
        fx->start();
    }
    void cleanupTestCase() { fx.reset(); }

    void textsFit_data() {
        QTest::addColumn<QWidget*>("window");
        for (QWidget* w : launcherWindows()) {
            QTest::newRow(qPrintable(w->objectName())) << w;
        }
    }
    void textsFit() {
        QFETCH(QWidget*, window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QString dir = QString(VKR_BINARY_DIR) + "/screenshots/text-fit";
        QDir().mkpath(dir);
        const QString language = qEnvironmentVariable("VKR_LANG");
        window->grab().save(
            QString("%1/%2-%3-%4%5.png")
                .arg(dir, window->objectName(),
                     qEnvironmentVariable("VKR_FONTS") + qEnvironmentVariable("VKR_PALETTE"),
                     qEnvironmentVariable("QT_SCALE_FACTOR", "1"),
                     language.isEmpty() ? "" : "-" + language));
        QStringList cut;
        auto check = [&](QWidget* w, const QString& text, int needed) {
            if (!w->isVisibleTo(window) || text.isEmpty()) {
                return;
            }
            const int height = w->fontMetrics().height();
            // A control that grows to its text (adjustSize) must still end inside its parent.
            const bool outside =
                w->parentWidget() && w->geometry().right() >= w->parentWidget()->width();
            if (needed > w->width() || height > w->height() + 1 || outside) {
                cut << QString("%1 \"%2\": %3x%4 in %5x%6")
                           .arg(w->objectName(), text)
                           .arg(needed)
                           .arg(height)
                           .arg(w->width())
                           .arg(w->height());
            }
        };
        for (QLabel* l : window->findChildren<QLabel*>()) {
            if (!l->wordWrap() &&
                !dataLabels.contains(window->objectName() + "." + l->objectName())) {
                const QString text = caption(l->text());
                check(l, text,
                      l->fontMetrics().horizontalAdvance(text) + 2 * l->margin() +
                          l->contentsMargins().left() + l->contentsMargins().right());
            }
        }
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
            const QString text = caption(b->text());
            if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)) {
                check(b, text, b->sizeHint().width());
            } else {
                const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
                check(b, text, b->fontMetrics().horizontalAdvance(text) + icon + 4);
            }
        }
        for (QGroupBox* g : window->findChildren<QGroupBox*>()) {
            check(g, g->title(), g->fontMetrics().horizontalAdvance(g->title()) + 16);
        }
        window->hide();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("\n")));
    }
};

QTEST_MAIN(TextFitTest)
#include "text_fit.moc"
