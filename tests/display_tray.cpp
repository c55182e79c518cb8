// The watcher's tray icon on a real display, where the panel's tray is a StatusNotifierWatcher of
// the test's own on a session bus of the test's own: while the watcher is open its icon is
// registered, its tooltip tells the server, its players, mission and state, a click brings the
// watcher forward, and its menu joins, ticks auto-join and stops watching.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TAboutDialog.h"
#include "net/TNMUDP.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"
#include "support/fake_server.h"
#include "support/launcher_fixture.h"
#include "support/notification_service.h"
#include "ui_TForm4.h"
#include "ui_TFormWatcher.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMenu>
#include <QMutex>
#include <QSystemTrayIcon>
#include <QThread>
#include <QtTest>

#include <cstdio>
#include <memory>

// The panel's side of the tray (org.kde.StatusNotifierWatcher): a host is there, and the items
// that register are noted. It answers from a thread of its own: the launcher asks it with calls
// that wait for the answer.
class TrayWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    explicit TrayWatcher(const QString& address)
        : bus(QDBusConnection::connectToBus(address, "test-tray-watcher")) {}
    ~TrayWatcher() override { QDBusConnection::disconnectFromBus("test-tray-watcher"); }
    bool start() {
        return bus.registerObject("/StatusNotifierWatcher", this,
                                  QDBusConnection::ExportAllContents) &&
               bus.registerService("org.kde.StatusNotifierWatcher");
    }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return registered(); }

    QDBusConnection bus;
    // The bus names of the items, as they registered.
    QStringList registered() const {
        QMutexLocker lock(&mutex);
        return items_;
    }
    void forget() {
        QMutexLocker lock(&mutex);
        items_.clear();
    }

    // A property of the item that registered last.
    QDBusMessage itemProperty(const QString& name) {
        QDBusMessage get = QDBusMessage::createMethodCall(
            registered().last(), "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get");
        get << QString("org.kde.StatusNotifierItem") << name;
        // The item answers on the GUI thread, which goes on meanwhile.
        return bus.call(get, QDBus::BlockWithGui);
    }
    QString toolTip() {
        const QDBusMessage reply = itemProperty("ToolTip");
        if (reply.type() != QDBusMessage::ReplyMessage) {
            return reply.errorMessage();
        }
        // (icon name, icon pixmaps, title, text): the title is the tooltip.
        const QDBusArgument arg = qvariant_cast<QDBusArgument>(
            qvariant_cast<QDBusVariant>(reply.arguments()[0]).variant());
        QString icon;
        QString title;
        arg.beginStructure();
        arg >> icon;
        arg.beginArray();
        while (!arg.atEnd()) {
            arg.beginStructure();
            int w = 0;
            int h = 0;
            QByteArray bytes;
            arg >> w >> h >> bytes;
            arg.endStructure();
        }
        arg.endArray();
        arg >> title;
        return title;
    }
    // A click on the item in the panel.
    void activate() {
        QDBusMessage click = QDBusMessage::createMethodCall(
            registered().last(), "/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate");
        click << 10 << 10;
        bus.call(click, QDBus::BlockWithGui);
    }

public slots:
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message) {
        // An item gives its own bus name or an object path on its connection.
        QMutexLocker lock(&mutex);
        items_ << (service.startsWith('/') ? message.service() : service);
    }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    mutable QMutex mutex;
    QStringList items_;
};

class DisplayTrayTest : public QObject {
    Q_OBJECT

public:
    QString busAddress;

private:
    std::unique_ptr<LauncherFixture> fx;
    std::unique_ptr<TrayWatcher> panel;
    QThread panelThread;

    TFormWatcher* watcher() { return vkr::forms().formWatcher; }

    // Opens the watcher from the browser on "Alpha <i>", then points it at a fake server that
    // answers with reply (the row's own query port has nobody behind it). The game is the fake
    // game.
    void openWatcher(FakeServer& server, const QStringList& reply) {
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{
                   {"replies",
                    QJsonArray{QJsonObject{{"tokens", QJsonArray::fromStringList(reply)}}}}}}));
        fx->writeStandardRegistry(
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\7]\n"
            "\"name\"=\"Alpha <i>\"\n\"ip\"=\"127.0.0.1\"\n\"port\"=\"8\"\n\"pass\"=\"\"\n"
            "\"sockets\"=dword:00000001\n\"mods\"=\"\"\n\n");
        const QString exe = QString::fromStdString(fx->executablePath());
        QVERIFY(QFile::remove(exe));
        QVERIFY(QFile::copy(VKR_BINARY_DIR "/tools/fake-game", exe));
        QVERIFY(QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner));
        fx->start();
        TForm4* browser = vkr::forms().form4;
        vkr::showForm(browser);
        QTRY_COMPARE(browser->ui()->SGrid->currentIndex().row(), 0);
        QTest::mouseClick(browser->ui()->BitBtn3, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(watcher()));
        watcher()->udps->RemotePort = server.ports[0];
        watcher()->UpdateStatus();
    }

private slots:
    void initTestCase() {
        panel = std::make_unique<TrayWatcher>(busAddress);
        QVERIFY(panel->start());
        panel->moveToThread(&panelThread);
        panelThread.start();
    }
    void cleanupTestCase() {
        panelThread.quit();
        panelThread.wait();
        panel.reset();
    }
    void init() {
        fx = std::make_unique<LauncherFixture>();
        panel->forget();
    }
    void cleanup() {
        fx.reset();
        QDir::setCurrent(QDir::tempPath()); // a start moves the launcher into the game folder
    }

    // The icon comes with the watcher and tells what it shows; a click brings the watcher
    // forward; the icon goes when the watcher closes.
    void iconWhileWatching() {
        FakeServer server;
        openWatcher(server, {"gametype", "Harbour <b>Siege</b>", "numplayers", "4", "maxplayers",
                             "12", "gstate", "14"});
        QVERIFY(watcher()->tray && watcher()->tray->isVisible());
        QTRY_COMPARE(panel->registered().size(), 1);
        QTRY_COMPARE(watcher()->ui()->players->text(), QString("4/10"));
        QTRY_COMPARE(panel->toolTip(),
                     QString("Alpha &lt;i&gt;: 4/10, Harbour &lt;b&gt;Siege&lt;/b&gt;, in game"));

        vkr::showForm(vkr::forms().aboutDialog);
        QVERIFY(QTest::qWaitForWindowActive(vkr::forms().aboutDialog));
        panel->activate();
        QVERIFY(QTest::qWaitForWindowActive(watcher()));

        QTest::mouseClick(watcher()->ui()->BitBtn1, Qt::LeftButton);
        QVERIFY(!watcher()->tray->isVisible());
    }

    // The menu: "Join", "Auto-join" (the box's own setting, both ways) and "Stop watching".
    void menu_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("autojoin");
        QTest::addColumn<bool>("watching");
        QTest::addColumn<int>("starts");
        QTest::newRow("Join") << "Join" << false << false << 1;
        QTest::newRow("Auto-join") << "Auto-join" << true << true << 0;
        QTest::newRow("Stop watching") << "Stop watching" << false << false << 0;
    }
    void menu() {
        QFETCH(QString, action);
        QFETCH(bool, autojoin);
        QFETCH(bool, watching);
        QFETCH(int, starts);
        FakeServer server;
        openWatcher(server, {"numplayers", "4", "maxplayers", "12", "gstate", "14"});
        QMenu* menu = watcher()->tray->contextMenu();
        QStringList texts;
        for (QAction* a : menu->actions()) {
            texts << a->text();
        }
        QCOMPARE(texts, (QStringList{"Join", "Auto-join", "Stop watching"}));
        QVERIFY(menu->actions()[1]->isCheckable());
        QVERIFY(!menu->actions()[1]->isChecked());
        if (action == "Auto-join") {
            menu->popup(watcher()->geometry().bottomLeft());
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            const QString shots = QString(VKR_BINARY_DIR) + "/screenshots";
            QDir().mkpath(shots);
            QVERIFY(menu->grab().save(shots + "/watcher-tray-menu.png"));
            menu->hide();
        }
        for (QAction* a : menu->actions()) {
            if (a->text() == action) {
                a->trigger();
            }
        }
        QCOMPARE(watcher()->ui()->autojoin->isChecked(), autojoin);
        QCOMPARE(vkr::store().settings.autojoin, autojoin);
        QCOMPARE(watcher()->isVisible(), watching);
        const QString record = QString::fromStdString(fx->gameFolder()) + "/launch-record.json";
        if (starts > 0) {
            QTRY_VERIFY(QFile::exists(record));
        } else {
            QTest::qWait(300);
            QVERIFY(!QFile::exists(record));
        }
        if (watching) {
            // Unticked in the window, unticked in the menu.
            QTest::mouseClick(watcher()->ui()->autojoin, Qt::LeftButton);
            QVERIFY(!menu->actions()[1]->isChecked());
        }
    }
};

// The session bus is the test's own from the start: the application connects to it as it
// starts, and the tray is looked for once.
int main(int argc, char** argv) {
    PrivateSessionBus bus;
    if (!bus.start()) {
        std::fprintf(stderr, "no private session bus (dbus-daemon)\n");
        return 77;
    }
    QApplication app(argc, argv);
    DisplayTrayTest test;
    test.busAddress = bus.address;
    return QTest::qExec(&test, argc, argv);
}

#include "display_tray.moc"
