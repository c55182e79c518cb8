// The watcher's desktop notifications, offscreen, against a notification service of the test's
// own on a session bus of the test's own; the watched server is tools/fake-server, the game
// tools/fake-game.
#include "app/window.h"
#include "dialogs/TFormOptions.h"
#include "net/TNMUDP.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"
#include "status/desktop_notifier.h"
#include "status/sound_player.h"
#include "support/fake_server.h"
#include "support/launcher_fixture.h"
#include "support/notification_service.h"
#include "ui_TForm4.h"
#include "ui_TFormOptions.h"
#include "ui_TFormWatcher.h"

#include <QDBusConnection>
#include <QFile>
#include <QJsonDocument>
#include <QtTest>

#include <memory>

namespace {

struct RecordingSink : vkr::SoundSink {
    int played = 0;
    void play(const vkr::WatcherSound&) override { ++played; }
};

QJsonObject tokens(const QStringList& t) {
    return QJsonObject{{"tokens", QJsonArray::fromStringList(t)}};
}

// A reply of the server "Harbour Siege" with its state and player count (capacity 12 shown
// as 10 here: maxplayers counts two more).
QStringList harbourTokens(const QString& gstate, const QString& players) {
    return {"gametype", "Harbour Siege", "numplayers", players, "maxplayers",
            "12",       "gstate",        gstate};
}
QJsonObject harbour(const QString& gstate, const QString& players) {
    return tokens(harbourTokens(gstate, players));
}

// The player entries of a reply, names joined by ",".
QStringList players(const QString& names) {
    QStringList t;
    int i = 0;
    for (const QString& name : names.split(',', Qt::SkipEmptyParts)) {
        t << QString("player_%1").arg(i) << name << QString("score_%1").arg(i) << "0";
        ++i;
    }
    return t;
}

const QStringList joinActions{"default", "Join", "join", "Join"};

} // namespace

class NotifyTest : public QObject {
    Q_OBJECT

    PrivateSessionBus bus;
    std::unique_ptr<LauncherFixture> fx;
    std::unique_ptr<NotificationService> service;
    std::unique_ptr<QTemporaryDir> runtime;
    RecordingSink sink;
    int events = 0;

    TFormWatcher* watcher() { return vkr::forms().formWatcher; }

    // The watched server is "Tervald's Arena" (game port 8); the game is the fake game.
    void startLauncher(const std::string& options = {}) {
        fx->writeStandardRegistry(
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\7]\n"
            "\"name\"=\"Tervald's Arena\"\n\"ip\"=\"127.0.0.1\"\n\"port\"=\"8\"\n\"pass\"=\"\"\n"
            "\"sockets\"=dword:00000001\n\"mods\"=\"\"\n\n" +
            (options.empty() ? std::string()
                             : "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n" + options + "\n"));
        const QString exe = QString::fromStdString(fx->executablePath());
        QVERIFY(QFile::remove(exe));
        QVERIFY(QFile::copy(VKR_BINARY_DIR "/tools/fake-game", exe));
        QVERIFY(QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner));
        fx->start();
        watcher()->setSoundSink(&sink);
        auto handler = watcher()->udps->OnDataReceived;
        watcher()->udps->OnDataReceived = [this, handler](TNMUDP* s, int n, const std::string& ip,
                                                          int port) {
            ++events;
            handler(s, n, ip, port);
        };
    }

    // Opens the watcher from the browser on the server's row, then points it at the fake
    // server's port (the row's own query port has nobody behind it).
    void openWatcher(int port) {
        TForm4* browser = vkr::forms().form4;
        vkr::showForm(browser);
        QTRY_COMPARE(browser->ui()->SGrid->currentIndex().row(), 0);
        QTest::mouseClick(browser->ui()->BitBtn3, Qt::LeftButton);
        QVERIFY(watcher()->isVisible());
        watcher()->udps->RemotePort = port;
        watcher()->UpdateStatus();
    }

    void poll() {
        const int before = events;
        watcher()->UpdateStatus();
        QTRY_VERIFY(events > before);
    }

    // Opens the watcher on a server that answers as given, and polls once per reply.
    void watch(FakeServer& server, const QJsonArray& replies) {
        QVERIFY(server.start(1, QJsonArray{QJsonObject{{"replies", replies}}}));
        openWatcher(server.ports[0]);
        QTRY_COMPARE(events, 1);
        // The alerts of the polls below are each to reach the service, not to take each
        // other's place while the service's capabilities are still on their way.
        QTRY_VERIFY(!vkr::store().settings.notify || watcher()->notifier->capabilitiesKnown());
        for (int i = 1; i < replies.size(); ++i) {
            poll();
        }
    }

    QStringList gameStarts() {
        QFile file(QString::fromStdString(fx->gameFolder()) + "/launch-record.json");
        QStringList starts;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : file.readAll().split('\n')) {
                const QJsonObject o = QJsonDocument::fromJson(line).object();
                if (!o.isEmpty()) {
                    starts << o["argv"].toVariant().toStringList().mid(1).join(' ');
                }
            }
        }
        return starts;
    }

private slots:
    void initTestCase() {
        QVERIFY(bus.start());
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }
    void init() {
        // Where the ids of the notifications up are kept: a folder of each test's own.
        runtime = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", runtime->path().toUtf8());
        fx = std::make_unique<LauncherFixture>();
        service = std::make_unique<NotificationService>(bus.address);
        QVERIFY(service->start());
        sink.played = 0;
        events = 0;
    }
    void cleanup() {
        fx.reset();
        service.reset();
        QDir::setCurrent(QDir::tempPath()); // a start moves the launcher into the game folder
    }

    // Each alert of the watcher posts a notification naming the server, with its mission and
    // players, the launcher's icon and a Join action that is also the default action.
    void alerts_data() {
        QTest::addColumn<QJsonArray>("replies");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("body");
        QTest::newRow("new game") << QJsonArray{harbour("14", "4"), harbour("9", "4")}
                                  << "New game on Tervald's Arena"
                                  << "Harbour Siege - 4/10";
        QTest::newRow("a player joins the empty server")
            << QJsonArray{harbour("14", "0"), harbour("2", "1")}
            << "A player joined Tervald's Arena"
            << "Harbour Siege - 1/10";
        QTest::newRow("a slot comes free") << QJsonArray{harbour("14", "10"), harbour("14", "9")}
                                           << "A slot is free on Tervald's Arena"
                                           << "Harbour Siege - 9/10";
        QTest::newRow("no alert, no notification")
            << QJsonArray{harbour("14", "4"), harbour("14", "5")} << ""
            << "";
    }
    void alerts() {
        QFETCH(QJsonArray, replies);
        QFETCH(QString, summary);
        QFETCH(QString, body);
        startLauncher("\"watchers\"=dword:00000001");
        FakeServer server;
        watch(server, replies);
        if (summary.isEmpty()) {
            QTest::qWait(300);
            QCOMPARE(service->calls.size(), 0);
            QCOMPARE(sink.played, 0);
            return;
        }
        QTRY_COMPARE(service->calls.size(), 1);
        const NotificationService::Call& call = service->calls[0];
        QCOMPARE(call.summary, summary);
        QCOMPARE(call.body, body);
        QCOMPARE(call.appName, QString("VKR Launcher"));
        QCOMPARE(call.appIcon, QString("vkr-launcher"));
        QCOMPARE(call.actions, joinActions);
        QCOMPARE(call.replacesId, 0u);
        QCOMPARE(sink.played, 1);
    }

    // Friends who join name the notification, alone or with the state alert of the same poll;
    // a reply over several datagrams keeps the poll's one notification, told again. The friends
    // are Ann, Bob and J\xf6rg.
    void friendAlerts_data() {
        QTest::addColumn<QJsonArray>("replies"); // one per poll
        QTest::addColumn<QStringList>("summaries");
        const QJsonObject first = tokens(harbourTokens("14", "4") + players("Carl"));
        QTest::newRow("a friend joins")
            << QJsonArray{first, tokens(harbourTokens("14", "4") + players("Carl,Ann"))}
            << QStringList{"Ann joined Tervald's Arena"};
        QTest::newRow("friends join")
            << QJsonArray{first, tokens(harbourTokens("14", "4") +
                                        players(QString::fromLatin1("Carl,Ann,bob,J\xf6rg")))}
            << QStringList{"Ann, bob and Jörg joined Tervald's Arena"};
        QTest::newRow("a new game, then the friend in the next datagram")
            << QJsonArray{first,
                          QJsonObject{{"datagrams", QJsonArray{tokens(harbourTokens("9", "4")),
                                                               tokens(players("Carl,Ann"))}}}}
            << QStringList{"New game on Tervald's Arena",
                           "New game on Tervald's Arena; Ann joined"};
    }
    void friendAlerts() {
        QFETCH(QJsonArray, replies);
        QFETCH(QStringList, summaries);
        startLauncher(
            "\"watchers\"=dword:00000001\n\"friends\"=hex(7):41,6e,6e,00,42,6f,62,00,4a,c3,b6,"
            "72,67,00,00");
        QCOMPARE(vkr::store().settings.friends,
                 (std::vector<std::string>{"Ann", "Bob", "J\xc3\xb6rg"}));
        FakeServer server;
        watch(server, replies);
        QTRY_VERIFY(!service->calls.isEmpty() && service->calls.last().summary == summaries.last());
        QStringList got;
        for (const NotificationService::Call& call : service->calls) {
            got << call.summary;
            QCOMPARE(call.body, service->calls[0].body);
            QCOMPARE(call.actions, joinActions);
        }
        // Told again before the service has said what it reads, it goes out once, told whole.
        QVERIFY2(got == summaries || got == QStringList{summaries.last()},
                 qPrintable(got.join('|')));
        QCOMPARE(service->calls.last().replacesId, got.size() > 1 ? service->calls[0].id : 0u);
        QCOMPARE(sink.played, 1);
    }

    // The notification's Join (or its default action) joins the watched server as the
    // watcher's Join does; once the watch is closed its notification is taken down and its
    // actions start nothing.
    void joinAction_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("closeFirst");
        QTest::addColumn<bool>("joins");
        QTest::newRow("Join") << "join" << false << true;
        QTest::newRow("default action") << "default" << false << true;
        QTest::newRow("another action") << "dismiss" << false << false;
        QTest::newRow("after Close") << "join" << true << false;
    }
    void joinAction() {
        QFETCH(QString, action);
        QFETCH(bool, closeFirst);
        QFETCH(bool, joins);
        startLauncher();
        FakeServer server;
        watch(server, {harbour("14", "4"), harbour("9", "4")});
        QTRY_COMPARE(service->calls.size(), 1);
        const uint id = service->calls[0].id;
        if (closeFirst) {
            QTest::mouseClick(watcher()->ui()->BitBtn1, Qt::LeftButton);
            QTRY_COMPARE(service->closed, QList<uint>{id});
        }
        service->invokeAction(id, action);
        if (joins) {
            QTRY_COMPARE(gameStarts(), QStringList{"-nosplash -connect=127.0.0.1 -port=8 "
                                                   "-sockets -name=Tester"});
            QVERIFY(watcher()->isHidden());
            QTRY_COMPARE(service->closed, QList<uint>{id});
        } else {
            QTest::qWait(500);
            QCOMPARE(gameStarts(), QStringList());
        }
    }

    // A later alert of the same server replaces its notification, also when the service had
    // not answered the first call yet, however long it takes; the watcher goes on meanwhile, and
    // its Close takes down the notification whose id came late.
    void laterAlertReplaces_data() {
        QTest::addColumn<bool>("slowService");
        QTest::addColumn<int>("answerAfterMs");
        QTest::newRow("service answers") << false << 0;
        QTest::newRow("service holds its answer") << true << 0;
        QTest::newRow("service answers after 11 s") << true << 11000;
    }
    void laterAlertReplaces() {
        QFETCH(bool, slowService);
        QFETCH(int, answerAfterMs);
        service->holding = slowService;
        startLauncher();
        FakeServer server;
        // A new game, then a slot comes free while it is still being set up.
        watch(server,
              {harbour("14", "4"), harbour("9", "4"), harbour("9", "10"), harbour("9", "9")});
        QCOMPARE(watcher()->ui()->status->text(), QString("Debriefing"));
        QCOMPARE(watcher()->ui()->players->text(), QString("9/10"));
        if (slowService) {
            // The first call reaches the service through the bus some time after its alert;
            // the second waits in the watcher for the first's answer.
            QTRY_COMPARE(service->calls.size(), 1);
            QTest::qWait(answerAfterMs);
            QCOMPARE(service->calls.size(), 1);
            service->release();
        }
        QTRY_COMPARE_WITH_TIMEOUT(service->calls.size(), 2, 15000);
        QCOMPARE(service->calls[1].replacesId, service->calls[0].id);
        QCOMPARE(service->calls[1].body, QString("Harbour Siege - 9/10"));
        QTest::mouseClick(watcher()->ui()->BitBtn1, Qt::LeftButton);
        QTRY_COMPARE(service->closed, QList<uint>{service->calls[0].id});
    }

    // Text from the server is plain text: escaped for a service that reads markup in bodies,
    // given as it is to one that does not. The service is asked once.
    void serverTextIsPlain_data() {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QString>("body");
        QTest::newRow("body markup") << QStringList{"actions", "body", "body-markup"}
                                     << "Search &amp; Destroy &lt;a href=&quot;http://e.example/"
                                        "&quot;&gt;skins&lt;/a&gt; &lt;img src=&quot;file:///etc/"
                                        "passwd&quot;/&gt; - 4/10";
        QTest::newRow("plain bodies") << QStringList{"actions", "body"}
                                      << "Search & Destroy <a href=\"http://e.example/\">skins</a> "
                                         "<img src=\"file:///etc/passwd\"/> - 4/10";
    }
    void serverTextIsPlain() {
        QFETCH(QStringList, capabilities);
        QFETCH(QString, body);
        service->capabilities = capabilities;
        startLauncher();
        const QStringList mission{"gametype",
                                  "Search & Destroy <a href=\"http://e.example/\">skins</a> "
                                  "<img src=\"file:///etc/passwd\"/>"};
        FakeServer server;
        // A new game, then a slot comes free while it is still being set up.
        watch(server, {tokens(harbourTokens("14", "4") + mission),
                       tokens(harbourTokens("9", "4") + mission),
                       tokens(harbourTokens("9", "10") + mission),
                       tokens(harbourTokens("9", "9") + mission)});
        QTRY_COMPARE(service->calls.size(), 2);
        QCOMPARE(service->calls[0].body, body);
        QCOMPARE(service->calls[1].body, QString(body).replace("4/10", "9/10"));
        QCOMPARE(service->capabilityCalls, 1);
    }

    // A notification whose moment has passed is taken down; the watch goes on.
    void closedWhenItsMomentPasses_data() {
        QTest::addColumn<QJsonArray>("replies");
        QTest::addColumn<bool>("closed");
        QTest::newRow("the new game is under way")
            << QJsonArray{harbour("14", "4"), harbour("9", "4"), harbour("14", "4")} << true;
        QTest::newRow("the players left")
            << QJsonArray{harbour("14", "4"), harbour("9", "4"), harbour("9", "0")} << true;
        QTest::newRow("still being set up")
            << QJsonArray{harbour("14", "4"), harbour("9", "4"), harbour("2", "4")} << false;
        QTest::newRow("the slot is taken")
            << QJsonArray{harbour("14", "10"), harbour("14", "9"), harbour("14", "10")} << true;
        QTest::newRow("the slot is still free")
            << QJsonArray{harbour("14", "10"), harbour("14", "9"), harbour("14", "8")} << false;
    }
    void closedWhenItsMomentPasses() {
        QFETCH(QJsonArray, replies);
        QFETCH(bool, closed);
        startLauncher();
        FakeServer server;
        watch(server, replies);
        QTRY_COMPARE(service->calls.size(), 1);
        if (closed) {
            QTRY_COMPARE(service->closed, QList<uint>{service->calls[0].id});
        } else {
            QTest::qWait(300);
            QCOMPARE(service->closed, QList<uint>());
        }
        QVERIFY(watcher()->isVisible());
        QCOMPARE(service->calls.size(), 1);
    }

    // A run that ends without closing its watcher (killed) leaves its notification up: the next
    // start on the same settings takes it down, unless the service that showed it has gone.
    void leftoverClosedAtStart_data() {
        QTest::addColumn<bool>("serviceRestarted");
        QTest::newRow("same service") << false;
        QTest::newRow("service restarted") << true;
    }
    void leftoverClosedAtStart() {
        QFETCH(bool, serviceRestarted);
        startLauncher();
        FakeServer server;
        watch(server, {harbour("14", "4"), harbour("9", "4")});
        QTRY_COMPARE(service->calls.size(), 1);
        const uint id = service->calls[0].id;
        // Its id is kept in the runtime folder once the service has told it.
        QTRY_VERIFY(!QDir(runtime->path()).entryList({"*.notifications"}).isEmpty());
        fx->stop();
        if (serviceRestarted) {
            service.reset();
            service = std::make_unique<NotificationService>(bus.address);
            QVERIFY(service->start());
        }
        QTest::qWait(200);
        QCOMPARE(service->closed, QList<uint>());
        fx->start();
        if (serviceRestarted) {
            QTest::qWait(500);
            QCOMPARE(service->closed, QList<uint>());
        } else {
            QTRY_COMPARE(service->closed, QList<uint>{id});
        }
    }

    // With the option off, or no service on the bus, the watcher alerts as before and says
    // nothing of notifications.
    void withoutNotifications_data() {
        QTest::addColumn<std::string>("options");
        QTest::addColumn<bool>("serviceUp");
        QTest::newRow("option off") << std::string("\"notify\"=dword:00000000") << true;
        QTest::newRow("no service") << std::string() << false;
    }
    void withoutNotifications() {
        QFETCH(std::string, options);
        QFETCH(bool, serviceUp);
        if (!serviceUp) {
            service.reset();
        }
        startLauncher(options + "\n\"watchers\"=dword:00000001");
        FakeServer server;
        watch(server, {harbour("14", "4"), harbour("9", "4")});
        QCOMPARE(watcher()->ui()->status->text(), QString("Debriefing"));
        QCOMPARE(sink.played, 1);
        QTest::qWait(300);
        if (service) {
            QCOMPARE(service->calls.size(), 0);
        }
        QVERIFY(fx->prompts.shown.empty());
        QTest::mouseClick(watcher()->ui()->BitBtn2, Qt::LeftButton);
        QTRY_COMPARE(gameStarts().size(), 1);
    }

    // A Join that comes while a start just made holds further starts off starts nothing and
    // leaves the watch going.
    void joinHeldOffKeepsWatching() {
        startLauncher();
        FakeServer server;
        watch(server, {harbour("14", "4")});
        QTest::mouseClick(watcher()->ui()->BitBtn2, Qt::LeftButton);
        QTRY_COMPARE(gameStarts().size(), 1);
        QVERIFY(watcher()->isHidden());
        openWatcher(server.ports[0]);
        QTest::mouseClick(watcher()->ui()->BitBtn2, Qt::LeftButton);
        QVERIFY(watcher()->isVisible());
        QVERIFY(watcher()->Timer2->isActive());
        QTest::qWait(300);
        QCOMPARE(gameStarts().size(), 1);
    }

    // "Desktop notifications" in the options says whether a notification service answers.
    void optionsTellTheService_data() {
        QTest::addColumn<bool>("serviceUp");
        QTest::addColumn<QString>("note");
        QTest::newRow("service") << true << "Service found";
        QTest::newRow("no service") << false << "No service found";
    }
    void optionsTellTheService() {
        QFETCH(bool, serviceUp);
        QFETCH(QString, note);
        if (!serviceUp) {
            service.reset();
        }
        startLauncher();
        TFormOptions* options = vkr::forms().formOptions;
        vkr::showForm(options);
        QTRY_COMPARE(options->ui()->notifyNote->text(), note);
    }

    // Auto-join tells that it joins, without a Join action.
    void autojoinTellsItJoins() {
        startLauncher("\"autojoin\"=dword:00000001");
        FakeServer server;
        watch(server, {harbour("14", "4"), harbour("9", "4")});
        QTRY_COMPARE_WITH_TIMEOUT(gameStarts().size(), 1, 15000);
        QTRY_COMPARE(service->calls.size(), 2);
        QCOMPARE(service->calls[1].summary, QString("Joining Tervald's Arena"));
        QCOMPARE(service->calls[1].body, QString("Harbour Siege - 4/10"));
        QCOMPARE(service->calls[1].actions, QStringList());
    }
};

QTEST_MAIN(NotifyTest)
#include "gui_notify.moc"
