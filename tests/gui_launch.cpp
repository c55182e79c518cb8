// Launching the game from the real windows, offscreen: the fake game program stands in for the
// game in a game folder whose path has spaces, and records how it was started.
#include "app/TForm1.h"
#include "app/window.h"
#include "net/tick.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"
#include "support/launcher_fixture.h"
#include "ui_TForm1.h"
#include "ui_TForm4.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

namespace {

const QString kFakeGame = QString(VKR_BINARY_DIR) + "/tools/fake-game";

struct Record {
    QStringList argv;
    QString cwd;
};

// The starts recorded in folder so far (whole lines only).
QList<Record> records(const QString& folder) {
    QFile file(folder + "/launch-record.json");
    QList<Record> list;
    if (!file.open(QIODevice::ReadOnly)) {
        return list;
    }
    for (const QByteArray& line : file.readAll().split('\n')) {
        QJsonObject o = QJsonDocument::fromJson(line).object();
        if (!o.isEmpty()) {
            list.append({o["argv"].toVariant().toStringList(), o["cwd"].toString()});
        }
    }
    return list;
}

} // namespace

class LaunchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;
    QString startDir;
    QByteArray startPath;
    QByteArray startPrefix;

    TForm1* form() { return vkr::forms().form1; }
    Ui::TForm1* ui() { return form()->ui(); }
    QString game() const { return QString::fromStdString(fx->folder("my game folder")); }
    QString exe() const { return game() + "/VelkrandOstrel.exe"; }

    static void copyProgram(const QString& to) {
        QVERIFY(QFile::copy(kFakeGame, to));
        QVERIFY(QFile::setPermissions(to, QFile::permissions(to) | QFile::ExeOwner));
    }

    // A launcher whose game folder has spaces in its path and holds the fake game as the
    // executable and as the preferences program; "close" as given, two mods, one ticked.
    void startLauncher(bool close, const QString& executable = {},
                       const std::string& servers = {}) {
        copyProgram(exe());
        copyProgram(game() + "/VELKRANDPREFERENCES.EXE");
        const std::string g = game().toStdString();
        fx->writeRegistryText(
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Brannock\\Operation Velkrand]\n"
            "\"MAIN\"=\"" +
            g +
            "\"\n\n[HKEY_CURRENT_USER\\Software\\Brannock\\Operation Velkrand]\n"
            "\"Player Name\"=\"Tester\"\n\n"
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"" +
            (executable.isEmpty() ? exe() : executable).toStdString() +
            "\"\n\"nosplash\"=dword:00000001\n\"window\"=dword:00000000\n"
            "\"close\"=dword:0000000" +
            (close ? "1" : "0") +
            "\n\"watchers\"=dword:00000001\n\n"
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods]\n\n" +
            modSection(1, "@desert", "@desert", true) + modSection(2, "@winter", "@winter", false) +
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers]\n\n" + servers);
        fx->start();
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
        QCOMPARE(ui()->ModList->count(), 2);
    }

    void typeName(const QString& name) {
        ui()->PlayerName->lineEdit()->clear();
        QTest::keyClicks(ui()->PlayerName->lineEdit(), name);
        QCOMPARE(ui()->PlayerName->currentText(), name);
    }

    void tickSecondMod() {
        ui()->ModList->item(1)->setCheckState(Qt::Checked);
        QVERIFY(vkr::store().mods[1].checked);
    }

    void clickAndWaitForTimer(QWidget* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!ui()->BitBtn3->isEnabled());
        QVERIFY(!ui()->BitBtn5->isEnabled());
        QVERIFY(!ui()->BitBtn2->isEnabled());
        QVERIFY(form()->Timer1->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(ui()->BitBtn3->isEnabled() && ui()->BitBtn5->isEnabled() &&
                                     ui()->BitBtn2->isEnabled(),
                                 15000);
        QVERIFY(!form()->Timer1->isActive());
    }

    // Every file called "pwned" under the test's folders and where the test started.
    QStringList pwnedFiles() {
        QStringList found;
        for (const QString& root : {fx->dir.path(), startDir}) {
            QDirIterator it(root, {"pwned"}, QDir::Files | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                found << it.next();
            }
        }
        return found;
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(kFakeGame), qPrintable(kFakeGame));
        startDir = QDir::currentPath();
        startPath = qgetenv("PATH");
        startPrefix = qgetenv("WINEPREFIX");
    }
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() {
        vkr::setTickClock({});
        fx.reset();
        // A launch moves the launcher into the game folder.
        QDir::setCurrent(startDir);
        qputenv("PATH", startPath);
        qputenv("WINEPREFIX", startPrefix);
    }

    void launch_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("tickSecond");
        QTest::addColumn<QStringList>("arguments");

        QTest::newRow("single player")
            << "BitBtn3"
            << "Bob" << false << QStringList{"-nosplash", "-mod=@desert", "-name=Bob"};
        QTest::newRow("host, a mod ticked in the list")
            << "BitBtn2"
            << "Bob" << true
            << QStringList{"-nosplash", "-mod=@desert;@winter", "-host", "-name=Bob"};
        QTest::newRow("name with spaces")
            << "BitBtn3"
            << "John Smith" << false
            << QStringList{"-nosplash", "-mod=@desert", "-name=John Smith"};
        QTest::newRow("name with an escaped quote")
            << "BitBtn2"
            << "Bo\\\"b" << false
            << QStringList{"-nosplash", "-mod=@desert", "-host", "-name=Bo\"b"};
        QTest::newRow("name meant for a shell")
            << "BitBtn3"
            << "\"; touch pwned; \"" << false
            << QStringList{"-nosplash", "-mod=@desert", "-name=;", "touch", "pwned;", ""};
    }

    void launch() {
        QFETCH(QString, button);
        QFETCH(QString, name);
        QFETCH(bool, tickSecond);
        QFETCH(QStringList, arguments);
        startLauncher(false);
        typeName(name);
        if (tickSecond) {
            tickSecondMod();
        }

        clickAndWaitForTimer(form()->findChild<QWidget*>(button));
        QTRY_COMPARE_WITH_TIMEOUT(records(game()).size(), 1, 10000);
        const Record r = records(game()).first();
        QCOMPARE(r.argv, QStringList{exe()} + arguments);
        QCOMPARE(r.cwd, game());
        QCOMPARE(QDir::currentPath(), game());
        QVERIFY(form()->isVisible());
        QCOMPARE(pwnedFiles(), QStringList());
    }

    void buttonsWhileLaunching() {
        startLauncher(false);
        QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
        const QString dir = QString(VKR_BINARY_DIR) + "/screenshots";
        QDir().mkpath(dir);
        QVERIFY(form()->grab().save(dir + "/main-window-launching.png"));
        // A second click before the timer's tick starts nothing.
        QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(ui()->BitBtn3->isEnabled(), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(records(game()).size(), 1, 10000);
        QTest::qWait(300);
        QCOMPARE(records(game()).size(), 1);
    }

    // One start at a time: after a start, a request by any way there is starts nothing for
    // 3 s (on the tick clock) and the game again from then on; meanwhile the launch buttons
    // are disabled and the main window's and the browser's status say "Starting the game...".
    void oneStartAtATime_data() {
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("afterMs");
        QTest::addColumn<bool>("starts");
        QTest::newRow("single player, 0.5 s") << "single player" << 500 << false;
        QTest::newRow("host, 2.999 s") << "host" << 2999 << false;
        QTest::newRow("host, 3 s") << "host" << 3000 << true;
        QTest::newRow("browser double-click, 1 s") << "double-click" << 1000 << false;
        QTest::newRow("browser double-click, 3.5 s") << "double-click" << 3500 << true;
        QTest::newRow("browser Enter, 2 s") << "Enter" << 2000 << false;
        QTest::newRow("browser Enter, 3 s") << "Enter" << 3000 << true;
        QTest::newRow("watcher Join, 2.5 s") << "watcher" << 2500 << false;
        QTest::newRow("watcher Join, 60 s") << "watcher" << 60000 << true;
    }
    void oneStartAtATime() {
        QFETCH(QString, request);
        QFETCH(int, afterMs);
        QFETCH(bool, starts);
        int64_t now = int64_t(1000) * 1000000000;
        vkr::setTickClock([&now] { return now; });
        startLauncher(false, {},
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\4]\n"
                      "\"name\"=\"One\"\n\"ip\"=\"127.0.0.1\"\n\"port\"=\"8\"\n"
                      "\"sockets\"=dword:00000001\n\n");
        TForm4* browser = vkr::forms().form4;
        vkr::showForm(browser);
        QTRY_COMPARE(browser->ui()->SGrid->currentIndex().row(), 0);
        const auto statuses = [&] {
            return QStringList{ui()->StatusBar1->currentMessage(),
                               browser->ui()->StatusBar1->currentMessage()};
        };
        const QStringList starting{"Starting the game...", "Starting the game..."};

        QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(records(game()).size(), 1, 10000);
        QCOMPARE(statuses(), starting);
        now += int64_t(afterMs) * 1000000;
        if (starts) {
            QTRY_VERIFY(ui()->BitBtn3->isEnabled());
            QCOMPARE(statuses(), (QStringList{"", ""}));
        } else {
            QTest::qWait(300); // the launch buttons' timer has ticked meanwhile
            QVERIFY(!ui()->BitBtn3->isEnabled() && !ui()->BitBtn2->isEnabled());
            QCOMPARE(statuses(), starting);
        }

        QTableView* grid = browser->ui()->SGrid;
        if (request == "single player") {
            QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
        } else if (request == "host") {
            QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        } else if (request == "double-click") {
            // The first click of a double-click presses the row.
            const QPoint cell = grid->visualRect(grid->model()->index(0, 0)).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
        } else if (request == "Enter") {
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Return);
        } else {
            QTest::mouseClick(browser->ui()->BitBtn3, Qt::LeftButton); // the server's watcher
            vkr::forms().formWatcher->BitBtn2Click();
        }
        if (starts) {
            QTRY_COMPARE_WITH_TIMEOUT(records(game()).size(), 2, 10000);
            QCOMPARE(statuses(), starting);
        } else {
            QTest::qWait(500);
            QCOMPARE(records(game()).size(), 1);
        }
        vkr::setTickClock({});
    }

    void closeAfterLaunch() {
        startLauncher(true);
        tickSecondMod();
        bool timedOut = false;
        QTimer::singleShot(0, this, [this] { QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton); });
        QTimer::singleShot(10000, this, [&timedOut] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        // The launch's close saves and ends the program's message loop.
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!timedOut);
        QVERIFY(!form()->isVisible());
        auto checked =
            fx->stored(vkr::Hive::CurrentUser, "\\Software\\VKR Launcher2\\mods\\2", "checked");
        QVERIFY(checked);
        QCOMPARE(checked->asDword(), 1u);
        QTRY_COMPARE_WITH_TIMEOUT(records(game()).size(), 1, 10000);
        QCOMPARE(
            records(game()).first().argv,
            (QStringList{exe(), "-nosplash", "-mod=@desert;@winter", "-host", "-name=Tester"}));
    }

    void preferences() {
        // "close" is on but does not apply; the launch buttons are left alone.
        startLauncher(true);
        ui()->VKRPreferences1->trigger();
        QVERIFY(ui()->BitBtn3->isEnabled());
        QVERIFY(!form()->Timer1->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(records(game()).size(), 1, 10000);
        const Record r = records(game()).first();
        QCOMPARE(r.argv, QStringList{game() + "/VELKRANDPREFERENCES.EXE"});
        QCOMPARE(r.cwd, game());
        QVERIFY(form()->isVisible());
    }

    void windowsExecutableThroughWine() {
        const QString bin = QString::fromStdString(fx->folder("bin"));
        QFile wine(bin + "/wine");
        QVERIFY(wine.open(QIODevice::WriteOnly));
        wine.write("#!/bin/sh\nexec '" + kFakeGame.toUtf8() + "' \"$@\"\n");
        wine.close();
        QVERIFY(wine.setPermissions(wine.permissions() | QFile::ExeOwner));
        qputenv("PATH", bin.toUtf8() + ":" + startPath);

        const QString windowsExe = game() + "/Velkrand Ostrel.exe";
        QFile mz(windowsExe);
        QVERIFY(mz.open(QIODevice::WriteOnly));
        mz.write("MZ\x90\x00 a Windows program", 22);
        mz.close();
        startLauncher(false, windowsExe);
        typeName("Bob");

        clickAndWaitForTimer(ui()->BitBtn3);
        QTRY_COMPARE_WITH_TIMEOUT(records(game()).size(), 1, 10000);
        const Record r = records(game()).first();
        QCOMPARE(r.argv,
                 (QStringList{kFakeGame, windowsExe, "-nosplash", "-mod=@desert", "-name=Bob"}));
        QCOMPARE(r.cwd, game());
    }

    void startFailures_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QByteArray>("content"); // empty: no such file
        QTest::addColumn<bool>("preferences");   // start the preferences program instead
        QTest::addColumn<QString>("failure");    // %F: the file meant

        QTest::newRow("missing executable") << "missing.exe" << QByteArray() << false
                                            << "Could not start \"%F\": the file does not exist.";
        QTest::newRow("Windows executable, no wine")
            << "Game.exe" << QByteArray("MZ\x90") << false
            << "Could not start \"%F\": it is a Windows program and \"wine\" was not found "
               "on PATH.";
        QTest::newRow("not executable") << "VelkrandOstrel" << QByteArray("#!/bin/sh\n") << false
                                        << "Could not start \"%F\": the file is not executable.";
        QTest::newRow("no preferences program")
            << "VELKRANDPREFERENCES.EXE" << QByteArray() << true
            << "Could not start \"%F\": the file does not exist.";
    }

    void startFailures() {
        QFETCH(QString, executable);
        QFETCH(QByteArray, content);
        QFETCH(bool, preferences);
        QFETCH(QString, failure);
        qputenv("PATH", QString::fromStdString(fx->folder("empty-bin")).toUtf8());
        const QString path = game() + "/" + executable;
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        startLauncher(false, preferences ? exe() : path);
        if (preferences) {
            QVERIFY(QFile::remove(path));
        }
        fx->prompts.clear();

        if (preferences) {
            ui()->VKRPreferences1->trigger();
        } else {
            clickAndWaitForTimer(ui()->BitBtn3);
        }
        QCOMPARE(fx->prompts.errors(),
                 std::vector<std::string>{failure.replace("%F", path).toStdString()});
        QTest::qWait(300);
        QCOMPARE(records(game()).size(), 0);
    }

    // The game as Wine installs it: no game keys in the launcher's file, the prefix's registry
    // files as Wine wrote them (the install folder "C:\Games\Operation Velkrand"), a folder
    // and files whose names differ in case from what the launcher looks for.
    void gameFromWinePrefix() {
        const QString prefix = QString::fromStdString(fx->folder("wine prefix"));
        QVERIFY(QDir().mkpath(prefix + "/dosdevices"));
        QCOMPARE(symlink("../drive_c", qPrintable(prefix + "/dosdevices/c:")), 0);
        const QString installed = prefix + "/drive_c/GAMES/operation velkrand";
        QVERIFY(QDir().mkpath(installed + "/Users/Ann"));
        QVERIFY(QDir().mkpath(installed + "/Users/Bob"));
        copyProgram(installed + "/VelkrandPreferences.exe");
        for (const QString f : {"/system.reg", "/user.reg"}) {
            QVERIFY(QFile::copy(QString(VKR_TEST_DATA) + "/wine" + f, prefix + f));
        }
        qputenv("WINEPREFIX", prefix.toUtf8());
        fx->writeRegistryText("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                              "\"executable\"=\"" +
                              installed.toStdString() +
                              "/missing.exe\"\n\"nosplash\"=dword:00000001\n"
                              "\"window\"=dword:00000000\n");
        fx->start();
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));

        // The executable is missing: the chooser opens in the game folder.
        QCOMPARE(fx->prompts.fileDialogStarts, std::vector<std::string>{installed.toStdString()});
        QCOMPARE(ui()->PlayerName->currentText(),
                 QString::fromUtf8("\xC3\x85sa \"Ace\" \xCE\xA9mega\\x"));
        QStringList profiles;
        for (int i = 0; i < ui()->PlayerName->count(); ++i) {
            profiles << ui()->PlayerName->itemText(i);
        }
        profiles.sort();
        QCOMPARE(profiles, (QStringList{"Ann", "Bob"}));
        const QString dir = QString(VKR_BINARY_DIR) + "/screenshots";
        QDir().mkpath(dir);
        QVERIFY(form()->grab().save(dir + "/main-window-wine-prefix.png"));
        ui()->PlayerName->showPopup();
        QVERIFY(ui()->PlayerName->view()->window()->grab().save(dir + "/wine-profiles.png"));
        ui()->PlayerName->hidePopup();

        ui()->VKRPreferences1->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(records(installed).size(), 1, 10000);
        const Record r = records(installed).first();
        QCOMPARE(r.argv, QStringList{installed + "/VelkrandPreferences.exe"});
        QCOMPARE(r.cwd, installed);
        QCOMPARE(fx->prompts.errors(), std::vector<std::string>());
    }
};

QTEST_MAIN(LaunchTest)
#include "gui_launch.moc"
