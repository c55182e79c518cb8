// The main window over a registry file in a temporary folder, driven offscreen.
#include "app/TForm1.h"
#include "app/jpeg_image.h"
#include "app/window.h"
#include "dialogs/TFormOptions.h"
#include "net/powersock.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/TFormLan.h"
#include "support/launcher_fixture.h"
#include "ui_TForm1.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QNetworkInterface>
#include <QStatusBar>
#include <QtTest>

#include <fstream>

using vkr::Hive;

namespace {

const std::string kUser = "\\Software\\VKR Launcher2\\";

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

    TForm1* form() { return vkr::forms().form1; }
    Ui::TForm1* ui() { return form()->ui(); }

    bool storedChecked(const std::string& id) {
        auto v = fx->stored(Hive::CurrentUser, kUser + "mods\\" + id, "checked");
        return v && v->asDword() != 0;
    }

private slots:
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() { fx.reset(); }

    void controlsAsDesigned() {
        fx->writeStandardRegistry();
        fx->start();
        form()->show();
        QCOMPARE(form()->windowTitle(), QString("VKR Launcher v2.18 by Tervald of Harjun"));
        QCOMPARE(form()->centralWidget()->size(), QSize(467, 259));
        QCOMPARE(form()->minimumSize(), form()->maximumSize());
        QVERIFY(!(form()->windowFlags() & Qt::WindowMaximizeButtonHint));
        struct Expected {
            const char* name;
            QRect geometry;
            const char* text;
        };
        const Expected controls[] = {
            {"BitBtn2", {16, 128, 113, 25}, "MP: &Host game"},
            {"BitBtn5", {16, 160, 113, 25}, "MP: &Server list"},
            {"BitBtn3", {16, 192, 113, 25}, "&Start singleplayer"},
            {"SpeedButton2", {8, 33, 113, 13}, "&Copy to clipboard"},
            {"Button1", {416, 231, 41, 16}, "ch&ange"},
        };
        for (const auto& c : controls) {
            auto* b = form()->findChild<QAbstractButton*>(c.name);
            QVERIFY2(b, c.name);
            QCOMPARE(b->geometry(), c.geometry);
            QCOMPARE(b->text(), QString(c.text));
        }
        QCOMPARE(ui()->GroupBox1->title(), QString(" Mods "));
        QCOMPARE(ui()->GroupBox3->title(), QString("Your IP"));
        QCOMPARE(ui()->GroupBox2->title(), QString("Player"));
        QVERIFY(ui()->MYIP->isReadOnly());
        // Hints are never shown in the main window.
        QVERIFY(ui()->BitBtn3->toolTip().isEmpty());
        // Tab order: single player first, then "change", the mods, host, list, name, address.
        QList<QWidget*> order;
        for (QWidget* w = ui()->BitBtn3; order.size() < 8; w = w->nextInFocusChain()) {
            QWidget* owner = qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w;
            if ((w->focusPolicy() & Qt::TabFocus) && !order.contains(owner)) {
                order << owner;
            }
        }
        QList<QWidget*> expected = {ui()->BitBtn3, ui()->Button1,     ui()->ModList,
                                    ui()->BitBtn2, ui()->BitBtn5,     ui()->PlayerName,
                                    ui()->MYIP,    ui()->SpeedButton2};
        QCOMPARE(order, expected);
        QStringList menu;
        for (QAction* a : ui()->Options1->actions()) {
            menu << (a->isSeparator() ? "-" : a->text());
        }
        QCOMPARE(menu, (QStringList{"&Options", "&Mods", "&Servers", "&Friends", "-",
                                    "VKR Preferences", "-", "&Quit"}));
        QCOMPARE(ui()->Help1->actions().size(), 1);
        QCOMPARE(ui()->About1->text(), QString("About"));
    }

    void captionsFitTheirControls() {
        fx->writeStandardRegistry();
        fx->start();
        form()->show();
        const QString dir = QString(VKR_BINARY_DIR) + "/screenshots";
        QDir().mkpath(dir);
        QVERIFY(form()->grab().save(dir + "/main-window-offscreen.png"));
        for (auto* b : form()->findChildren<QAbstractButton*>()) {
            const QString text = QString(b->text()).remove('&');
            const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
            const int needed = b->fontMetrics().horizontalAdvance(text) + icon + 4;
            QVERIFY2(needed <= b->width(),
                     qPrintable(b->objectName() + " needs " + QString::number(needed)));
            QVERIFY2(b->fontMetrics().height() <= b->height() + 1, qPrintable(b->objectName()));
        }
        for (auto* g : form()->findChildren<QGroupBox*>()) {
            QVERIFY2(g->fontMetrics().horizontalAdvance(g->title()) + 16 <= g->width(),
                     qPrintable(g->objectName()));
        }
    }

    void loadFillsTheWindow() {
        QDir().mkpath(QString::fromStdString(fx->gameFolder() + "/users/Ann"));
        QDir().mkpath(QString::fromStdString(fx->gameFolder() + "/users/Bob"));
        fx->writeStandardRegistry(modSection(10, "Ten", "@ten", true) +
                                  modSection(5, "Five", "@five", false));
        fx->start();
        QCOMPARE(ui()->PlayerName->currentText(), QString("Tester"));
        QStringList profiles;
        for (int i = 0; i < ui()->PlayerName->count(); ++i) {
            profiles << ui()->PlayerName->itemText(i);
        }
        profiles.sort();
        QCOMPARE(profiles, (QStringList{"Ann", "Bob"}));
        QCOMPARE(ui()->exenimi->text(), QString::fromStdString(fx->executablePath()));
        QVERIFY(!ui()->MYIP->text().isEmpty());
        // "10" enumerates before "5".
        QCOMPARE(ui()->ModList->count(), 2);
        QCOMPARE(ui()->ModList->item(0)->text(), QString("Ten"));
        QCOMPARE(ui()->ModList->item(0)->checkState(), Qt::Checked);
        QCOMPARE(ui()->ModList->item(1)->checkState(), Qt::Unchecked);
        QVERIFY(fx->prompts.shown.empty());
    }

    void ticksChangeTheTableButAreSavedOnlyOnClose() {
        fx->writeStandardRegistry(modSection(1, "One", "@one", false) +
                                  modSection(2, "Two", "@two", true));
        fx->start();
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
        QListWidget* list = ui()->ModList;
        const QRect row = list->visualItemRect(list->item(0));
        // Click on the tick box at the left of the first row, and untick the second by keyboard.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(row.left() + 8, row.center().y()));
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->item(0)->checkState(), Qt::Checked);
        QCOMPARE(vkr::store().mods[0].checked, true);
        QCOMPARE(vkr::store().mods[1].checked, false);
        QCOMPARE(storedChecked("1"), false);
        QCOMPARE(storedChecked("2"), true);

        form()->close();
        QCOMPARE(storedChecked("1"), true);
        QCOMPARE(storedChecked("2"), false);
    }

    void closingSavesOnce() {
        fx->writeStandardRegistry();
        fx->start();
        form()->show();
        form()->close();
        // A second close (e.g. quit after a close) writes nothing more.
        vkr::store().settings.window = true;
        form()->close();
        auto v = fx->stored(Hive::CurrentUser, kUser, "window");
        QVERIFY(v);
        QCOMPARE(v->asDword(), 0u);
        QVERIFY(fx->stored(Hive::CurrentUser, kUser, "flash")); // written by the one save
    }

    void copyAddressToClipboard() {
        fx->writeStandardRegistry();
        fx->start();
        form()->show();
        ui()->MYIP->setText("192.168.7.9");
        QApplication::clipboard()->clear();
        QTest::mouseClick(ui()->SpeedButton2, Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QString("192.168.7.9"));
        QCOMPARE(ui()->MYIP->selectedText(), QString("192.168.7.9"));
    }

    void menuShowsTheOtherWindows_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("window");
        QTest::newRow("options") << "Options2"
                                 << "Options";
        QTest::newRow("mods") << "Mods1"
                              << "Modifications";
        QTest::newRow("servers") << "Servers1"
                                 << "Servers";
        QTest::newRow("about") << "About1"
                               << "About";
        QTest::newRow("friends") << "Friends1"
                                 << "Friends";
    }
    void menuShowsTheOtherWindows() {
        QFETCH(QString, action);
        QFETCH(QString, window);
        fx->writeStandardRegistry();
        fx->start();
        form()->show();
        form()->findChild<QAction*>(action)->trigger();
        QWidget* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w != form()) {
                QVERIFY2(!shown, "more than one window shown");
                shown = w;
            }
        }
        QVERIFY(shown);
        QCOMPARE(shown->windowTitle(), window);
        QVERIFY(form()->isVisible()); // modeless: the main window stays
    }

    // The address other players reach this host at: the host name's first address that is
    // not a loopback one, else an interface's; loopback only when there is nothing else.
    void ownAddressChoice_data() {
        QTest::addColumn<QStringList>("named");
        QTest::addColumn<QStringList>("interfaces");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the name's first address")
            << QStringList{"192.168.1.5", "10.0.0.9"} << QStringList{"127.0.0.1", "10.0.0.2"}
            << "192.168.1.5";
        QTest::newRow("the name maps to 127.0.1.1: the first interface beyond loopback")
            << QStringList{"127.0.1.1"} << QStringList{"127.0.0.1", "192.0.2.2", "10.0.0.7"}
            << "192.0.2.2";
        QTest::newRow("a later address of the name before the interfaces")
            << QStringList{"127.0.1.1", "192.168.1.5"} << QStringList{"10.0.0.2"} << "192.168.1.5";
        QTest::newRow("the name does not resolve")
            << QStringList{} << QStringList{"0.0.0.0", "192.0.2.2"} << "192.0.2.2";
        QTest::newRow("loopback only")
            << QStringList{"127.0.1.1"} << QStringList{"127.0.0.1"} << "127.0.0.1";
    }
    void ownAddressChoice() {
        QFETCH(QStringList, named);
        QFETCH(QStringList, interfaces);
        QFETCH(QString, shown);
        const auto bytes = [](const QStringList& texts) {
            std::vector<vkr::IPv4Bytes> list;
            for (const QString& t : texts) {
                const quint32 a = QHostAddress(t).toIPv4Address();
                list.push_back({uint8_t(a >> 24), uint8_t(a >> 16), uint8_t(a >> 8), uint8_t(a)});
            }
            return list;
        };
        QCOMPARE(vkr::addressText(TPowersock::PickLocalAddress(bytes(named), bytes(interfaces))),
                 shown.toStdString());
    }

    // On this machine: one of its own addresses, and not a loopback one when it has another.
    void ownAddressShown() {
        fx->writeStandardRegistry();
        fx->start();
        const QHostAddress shown(ui()->MYIP->text());
        bool beyondLoopback = false;
        for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
            beyondLoopback |= a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback();
        }
        QVERIFY2(QNetworkInterface::allAddresses().contains(shown), qPrintable(shown.toString()));
        QCOMPARE(shown.isLoopback(), !beyondLoopback);
    }

    // An empty server table offers the local network instead; No leaves every window as it
    // was (Yes is tried where broadcasts cannot leave the machine: tests/netns_lan.cpp).
    void serverListNeedsServers() {
        fx->writeStandardRegistry();
        fx->start();
        QTest::mouseClick(ui()->BitBtn5, Qt::LeftButton);
        QCOMPARE(fx->prompts.texts(ScriptedPrompts::Shown::Confirm),
                 std::vector<std::string>{"No server entries found. Search the local network?"});
        QVERIFY(fx->prompts.messages().empty());
        QVERIFY(!vkr::forms().form4->isVisible());
        QVERIFY(!vkr::forms().formLan->isVisible());
    }

    void changeExecutable_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void changeExecutable() {
        QFETCH(bool, confirm);
        fx->writeStandardRegistry();
        fx->start();
        const std::string other = fx->gameFolder() + "/VelkrandBeta.exe";
        std::ofstream(other) << "beta";
        fx->prompts.fileAnswers = {confirm ? std::optional<std::string>(other) : std::nullopt};
        QTest::mouseClick(ui()->Button1, Qt::LeftButton);
        QCOMPARE(fx->prompts.messages(), std::vector<std::string>{"Select the VKR executable."});
        const std::string expected = confirm ? other : fx->executablePath();
        QCOMPARE(ui()->exenimi->text(), QString::fromStdString(expected));
        QCOMPARE(fx->stored(Hive::CurrentUser, kUser, "executable")->asText(), expected);
    }

    // A first run: the chooser opens where a game is likely, and when no executable was chosen
    // the status bar says how to choose it later, until one is chosen.
    void firstRunChoosesTheExecutable_data() {
        QTest::addColumn<bool>("driveC");
        QTest::addColumn<bool>("chosen");
        QTest::newRow("prefix, cancelled") << true << false;
        QTest::newRow("no prefix, cancelled") << false << false;
        QTest::newRow("prefix, chosen") << true << true;
    }
    void firstRunChoosesTheExecutable() {
        QFETCH(bool, driveC);
        QFETCH(bool, chosen);
        const std::string prefix = fx->folder("wine");
        if (driveC) {
            QVERIFY(QDir().mkpath(QString::fromStdString(prefix + "/drive_c")));
        }
        const QByteArray oldPrefix = qgetenv("WINEPREFIX");
        qputenv("WINEPREFIX", QByteArray::fromStdString(prefix));
        std::ofstream(fx->executablePath()) << "game";
        fx->prompts.fileAnswers = {chosen ? std::optional<std::string>(fx->executablePath())
                                          : std::nullopt};
        fx->start();
        qputenv("WINEPREFIX", oldPrefix);
        const std::string start = driveC ? prefix + "/drive_c" : qgetenv("HOME").toStdString();
        // A cancel is followed by the load's question for the missing executable.
        QCOMPARE(fx->prompts.fileDialogStarts, std::vector<std::string>(chosen ? 1 : 2, start));
        const QString hint = "No game executable: choose it with \"change\" at the bottom right.";
        QCOMPARE(ui()->StatusBar1->currentMessage(), chosen ? QString() : hint);
        if (!chosen) {
            form()->show();
            form()->grab().save(QString(VKR_BINARY_DIR) + "/screenshots/main-window-first-run.png");
            fx->prompts.fileAnswers = {fx->executablePath()};
            QTest::mouseClick(ui()->Button1, Qt::LeftButton);
            QCOMPARE(ui()->StatusBar1->currentMessage(), QString());
        }
    }

    void loadErrorIsReportedAndStartUpGoesOn() {
        fx->writeRegistryText("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                              "\"executable\"=\"" +
                              fx->executablePath() + "\"\n");
        std::ofstream(fx->executablePath()) << "x";
        fx->start();
        QCOMPARE(fx->prompts.errors(),
                 std::vector<std::string>{"Failed to get data for 'nosplash'"});
        QVERIFY(vkr::forms().formOptions); // every window was still created
        QCOMPARE(ui()->exenimi->text(), QString("exenimi"));
    }

    void brokenLogoDecodesToNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a jpeg") << QByteArray("GIF89a not a jpeg at all");
        QFile logo(":/logo.jpg");
        QVERIFY(logo.open(QIODevice::ReadOnly));
        QTest::newRow("truncated header") << logo.readAll().left(40);
    }
    void brokenLogoDecodesToNothing() {
        QFETCH(QByteArray, bytes);
        QString error;
        QVERIFY(vkr::decodeJpeg(bytes, &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void logoDecodes() {
        QFile logo(":/logo.jpg");
        QVERIFY(logo.open(QIODevice::ReadOnly));
        QImage image = vkr::decodeJpeg(logo.readAll());
        QCOMPARE(image.size(), QSize(271, 107));
    }
};

QTEST_MAIN(MainWindowTest)
#include "gui_main_window.moc"
