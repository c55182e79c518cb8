// The server browser's keyboard on a real display (Xvfb and openbox), where focus moves as on a
// desktop: Tab leaves the grids for the next control, Enter in Filter never joins, Esc closes
// the window as its close box does.
#include "app/TForm1.h"
#include "app/window.h"
#include "status/TForm4.h"
#include "support/launcher_fixture.h"
#include "ui_TForm4.h"

#include <QtTest>

#include <memory>

class DisplayBrowserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

private slots:
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() { fx.reset(); }

    void keys_data() {
        QTest::addColumn<QString>("from"); // the control with the focus
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("focus"); // where the focus goes; "" the window is closed
        QTest::newRow("Tab out of the server grid")
            << "SGrid" << int(Qt::Key_Tab) << 0 << "PlrGrid";
        QTest::newRow("Shift+Tab out of the server grid")
            << "SGrid" << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "ListButton";
        QTest::newRow("Tab out of the player grid")
            << "PlrGrid" << int(Qt::Key_Tab) << 0 << "BitBtn1";
        QTest::newRow("Enter in Filter")
            << "FilterText" << int(Qt::Key_Return) << 0 << "FilterText";
        QTest::newRow("Esc") << "SGrid" << int(Qt::Key_Escape) << 0 << "";
    }
    void keys() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, focus);
        fx->writeStandardRegistry(
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\1]\n\"name\"=\"One\"\n"
            "\"ip\"=\"127.0.0.1\"\n\"port\"=\"2400\"\n\"sockets\"=dword:00000001\n\n"
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\2]\n\"name\"=\"Two\"\n"
            "\"ip\"=\"127.0.0.1\"\n\"port\"=\"2410\"\n\"sockets\"=dword:00000001\n\n");
        fx->start();
        TForm4* browser = vkr::forms().form4;
        vkr::showForm(vkr::forms().form1);
        QVERIFY(QTest::qWaitForWindowActive(vkr::forms().form1));
        vkr::forms().form1->BitBtn5Click();
        QVERIFY(QTest::qWaitForWindowActive(browser));
        browser->ui()->SGrid->setCurrentIndex(browser->ui()->SGrid->model()->index(0, 0));
        int joins = 0;
        connect(browser->ui()->BitBtn1, &QPushButton::clicked, [&] { ++joins; });
        auto* control = browser->findChild<QWidget*>(from);
        control->setFocus();
        QTRY_VERIFY(control->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        if (focus.isEmpty()) {
            QTRY_VERIFY(!browser->isVisible());
            return;
        }
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(browser->isVisible());
        QCOMPARE(joins, 0);
        // The selection stays where it was.
        QCOMPARE(browser->selectedServer(), std::optional(vkr::EntryKey{1, 0}));
    }
};

QTEST_MAIN(DisplayBrowserTest)
#include "display_browser.moc"
