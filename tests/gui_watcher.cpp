// The server watcher window offscreen, polling tools/fake-server over real UDP.
#include "app/TForm1.h"
#include "app/startup.h"
#include "app/translations.h"
#include "app/window.h"
#include "dialogs/TFormFriends.h"
#include "net/TNMUDP.h"
#include "net/address.h"
#include "settings/settings.h"
#include "settings/store.h"
#include "settings/translate.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"
#include "status/sound_player.h"
#include "support/fake_server.h"
#include "support/launcher_fixture.h"
#include "ui_TFormFriends.h"
#include "ui_TFormWatcher.h"

#include <QDir>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

#include <dlfcn.h>
#include <netdb.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

namespace {

// A host name whose look-up takes 300 ms and then gives 127.0.0.1, with the count of its
// look-ups and of those made on the GUI thread.
const char* const slowHost = "slow.vkr.test";
std::atomic<int> slowLookups{0};
std::atomic<int> slowLookupsOnGuiThread{0};

} // namespace

// Every look-up in this test program, Qt's included, comes here before the C library's.
// (Declared as the C library declares it, without noexcept: clang holds the two to match.)
extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                           addrinfo** found) {
    using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto next = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "getaddrinfo"));
    if (node && std::strcmp(node, slowHost) == 0) {
        ++slowLookups;
        if (gettid() == getpid()) {
            ++slowLookupsOnGuiThread;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        node = "127.0.0.1";
    }
    return next(node, service, hints, found);
}

namespace {

// Records the sounds the watcher asks for instead of playing them.
struct RecordingSink : vkr::SoundSink {
    QStringList played;
    void play(const vkr::WatcherSound& sound) override {
        played << (sound.kind == vkr::WatcherSound::Kind::builtIn
                       ? QString("built-in")
                       : "file " + QString::fromStdString(sound.file));
    }
};

// A reply of one datagram: each token after a backslash, then a backslash.
QJsonObject tokens(const QStringList& t) {
    return QJsonObject{{"tokens", QJsonArray::fromStringList(t)}};
}

QColor colourOf(QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// Green is darkened a little to read on the light grey window of Qt's own palette; maroon reads
// there as it is.
const QColor green(0, 122, 0);
const QColor maroon(128, 0, 0);

} // namespace

class WatcherTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;
    RecordingSink sink;
    int events = 0; // datagrams that reached the watcher's endpoint

    TFormWatcher* form() { return vkr::forms().formWatcher; }
    Ui::TFormWatcher* ui() { return form()->ui(); }

    // Opens the watcher on 127.0.0.1:port as the browser does, for the table's server 7.
    [[nodiscard]] bool open(int port, const std::string& host = "127.0.0.1",
                            vkr::EntryKey watched = {7, 0}) {
        vkr::forms().form1->hide();
        vkr::forms().form4->hide();
        vkr::showForm(form());
        // Activation empties the player list: let it happen before the reply can arrive.
        const bool active = QTest::qWaitForWindowActive(form());
        form()->watchedServer = watched;
        form()->udps->RemoteHost = host;
        form()->udps->RemotePort = port;
        form()->Timer2->start();
        form()->UpdateStatus();
        return active;
    }

    QStringList rows() {
        QStringList r;
        QTableWidget* list = ui()->playerList;
        for (int i = 0; i < list->rowCount(); ++i) {
            r << (list->item(i, 0) ? list->item(i, 0)->text() : "") + "=" +
                     (list->item(i, 1) ? list->item(i, 1)->text() : "");
        }
        return r;
    }

    // Makes the friends those named (joined by ","), as the user does in the Friends window:
    // removes every friend, then adds each name.
    void editFriends(const QString& names) {
        TFormFriends* friends = vkr::forms().formFriends;
        vkr::showForm(friends);
        Ui::TFormFriends* fui = friends->ui();
        while (fui->FriendList->count() > 0) {
            fui->FriendList->setCurrentRow(0);
            QTest::mouseClick(fui->RemoveButton, Qt::LeftButton);
        }
        for (const QString& name : names.split(',', Qt::SkipEmptyParts)) {
            fui->FriendName->setText(name);
            QTest::mouseClick(fui->AddButton, Qt::LeftButton);
        }
        friends->close();
    }

    // Polls once more and waits until the reply has been handled.
    void poll() {
        const int before = events;
        form()->UpdateStatus();
        QTRY_VERIFY(events > before);
    }

private slots:
    // Starts of the game: the fixture's executable is no program, so each start is reported as
    // failed, naming it.
    int launches() {
        int n = 0;
        for (const std::string& e : fx->prompts.errors()) {
            n += e.find(fx->executablePath()) != std::string::npos;
        }
        return n;
    }

    void init() {
        fx = std::make_unique<LauncherFixture>();
        // The server the watcher is opened on, as far as the server table goes.
        fx->writeStandardRegistry("[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\7]\n"
                                  "\"name\"=\"Watched\"\n\"ip\"=\"127.0.0.1\"\n\"port\"=\"2400\"\n"
                                  "\"pass\"=\"\"\n\"sockets\"=dword:00000001\n\"mods\"=\"\"\n\n");
        fx->start();
        sink.played.clear();
        events = 0;
        form()->setSoundSink(&sink);
        auto handler = form()->udps->OnDataReceived;
        form()->udps->OnDataReceived = [this, handler](TNMUDP* s, int n, const std::string& ip,
                                                       int port) {
            ++events;
            handler(s, n, ip, port);
        };
        vkr::store().settings.flash = true;
        vkr::store().settings.watchers = 2;
        vkr::store().settings.sound1 = "/sounds/new game.wav";
        vkr::store().settings.sound2 = "/sounds/joined.wav";
    }
    void cleanup() {
        fx.reset();
        vkr::setHostLookup({});
    }

    void createdCollapsedAndBlinking() {
        QVERIFY(form()->isHidden());
        QVERIFY(form()->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(form()->windowFlags() & Qt::Tool);
        QCOMPARE(form()->size(), QSize(265, 151));
        QCOMPARE(ui()->status->text(), QString("Waiting status..."));
        QCOMPARE(colourOf(ui()->status), maroon);
        QCOMPARE(ui()->players->text(), QString("?/?"));
        QVERIFY(!ui()->LR->isHidden());
        QVERIFY(!ui()->LG2->isHidden());
        const bool lit = !ui()->LG->isHidden();
        QTRY_COMPARE_WITH_TIMEOUT(ui()->LG->isHidden(), lit, 1500);
        QTRY_COMPARE_WITH_TIMEOUT(ui()->LG->isHidden(), !lit, 1500);
    }

    void firstReplyShown_data() {
        QTest::addColumn<QString>("host");
        QTest::newRow("dotted address") << "127.0.0.1";
        QTest::newRow("host name") << "localhost";
        // Sent to 127.0.0.1, as the address parser reads it.
        QTest::newRow("dotted address and a space") << "127.0.0.1 ";
    }
    void firstReplyShown() {
        QFETCH(QString, host);
        FakeServer server;
        QVERIFY(server.start(
            1,
            QJsonArray{QJsonObject{
                {"replies", QJsonArray{tokens(
                                {"gametype", "Island Raid", "numplayers", "2", "maxplayers", "12",
                                 "gstate", "14", "player_0", "Ann", "score_0", "5", "player_1",
                                 QString::fromLatin1("J\xf6rg"), "score_1", "2"})}}}}));
        QVERIFY(open(server.ports[0], host.toStdString()));
        QCOMPARE(ui()->host->text(), QString("%1:%2").arg(host).arg(server.ports[0]));
        QTRY_COMPARE(ui()->status->text(), QString("Game in progress..."));
        QCOMPARE(colourOf(ui()->status), maroon);
        QVERIFY(!ui()->LR->isHidden());
        QCOMPARE(ui()->players->text(), QString("2/10"));
        QCOMPARE(colourOf(ui()->players), green);
        QCOMPARE(ui()->mission->text(), QString("Island Raid"));
        QCOMPARE(colourOf(ui()->mission), green);
        QCOMPARE(rows(), (QStringList{"Ann=5", QString::fromLatin1("J\xf6rg=2")}));
        QCOMPARE(ui()->playerList->columnWidth(0), 70);
        QCOMPARE(ui()->playerList->columnWidth(1), 100);
        QCOMPARE(sink.played, QStringList());
        QVERIFY(form()->Timer2->isActive());
    }

    // A poll whose requests are lost is asked again within the poll, after the server's wait
    // (1 s, 1.5 s, 1.5 s for a server never heard from), up to four requests.
    void lostRequestsAskedAgain_data() {
        QTest::addColumn<int>("lost");
        QTest::newRow("one request lost") << 1;
        QTest::newRow("three requests lost") << 3;
    }
    void lostRequestsAskedAgain() {
        QFETCH(int, lost);
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{
                   {"replies", QJsonArray{QJsonObject{{"silent", true}, {"times", lost}},
                                          tokens({"gstate", "14"})}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE_WITH_TIMEOUT(ui()->status->text(), QString("Game in progress..."), 6000);
        QCOMPARE(server.received().size(), lost + 1);
        QCOMPARE(events, 1);
    }

    // Two polls: the second reply's state against the first's decides the alert (the rule's
    // cases are in core_watcher; here the window's wiring to the settings and the sink).
    void alertOnStateChange_data() {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<int>("watchers");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("played");
        QTest::newRow("game over, new game: sound1")
            << QStringList{"gstate", "14"} << QStringList{"gstate", "9"} << 2 << "Debriefing"
            << QStringList{"file /sounds/new game.wav"};
        QTest::newRow("a player joins the empty server: sound2")
            << QStringList{"numplayers", "0"} << QStringList{"numplayers", "1", "gstate", "2"} << 2
            << "Selecting mission" << QStringList{"file /sounds/joined.wav"};
        QTest::newRow("still in game: no alert")
            << QStringList{"gstate", "14"} << QStringList{"gstate", "14"} << 1
            << "Game in progress..." << QStringList{};
    }
    void alertOnStateChange() {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(int, watchers);
        QFETCH(QString, status);
        QFETCH(QStringList, played);
        vkr::store().settings.watchers = watchers;
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{{"replies", QJsonArray{tokens(first), tokens(second)}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE(events, 1);
        QCOMPARE(sink.played, QStringList());
        poll();
        QCOMPARE(ui()->status->text(), status);
        QCOMPARE(sink.played, played);
    }

    // Friends joining the watched server, poll by poll: each poll alerts with the player-joined
    // sound (a new game's own when it comes with one), once however many friends join in it and
    // however many datagrams its reply takes. Friends are edited in the Friends window before
    // the poll that their column lists differently.
    void friendJoins_data() {
        QTest::addColumn<QStringList>("friends"); // per poll, names joined by ","
        // Per poll, the server's datagrams joined by ";", each the players' names joined by ","
        // (the first one with gstate 14, or the gstate before a ":"); "-" no reply.
        QTest::addColumn<QStringList>("polls");
        QTest::addColumn<QStringList>("sounds"); // per poll
        const QString joined = "file /sounds/joined.wav";
        const QStringList two{"Ann,Bob", "Ann,Bob"};
        QTest::newRow("joined") << two << QStringList{"Carl", "Carl,Ann"}
                                << QStringList{"", joined};
        QTest::newRow("already there at the first poll")
            << two << QStringList{"Ann", "Ann,Carl"} << QStringList{"", ""};
        QTest::newRow("left and came back")
            << QStringList{"Ann", "Ann", "Ann"} << QStringList{"Ann", "Carl", "Carl,Ann"}
            << QStringList{"", "", joined};
        QTest::newRow("case and spaces")
            << two << QStringList{"Carl", "Carl,  bOB "} << QStringList{"", joined};
        QTest::newRow("not a friend")
            << two << QStringList{"Carl", "Carl,Anne"} << QStringList{"", ""};
        QTest::newRow("an unanswered poll between")
            << QStringList{"Ann,Bob", "Ann,Bob", "Ann,Bob"} << QStringList{"Ann", "-", "Ann,Bob"}
            << QStringList{"", "", joined};
        QTest::newRow("two friends in a reply split over datagrams: one alert")
            << two << QStringList{"Carl", "Carl,Ann;Bob"} << QStringList{"", joined};
        QTest::newRow("with a new game: its sound alone")
            << two << QStringList{"Carl", "9:Carl,Ann"}
            << QStringList{"", "file /sounds/new game.wav"};
        QTest::newRow("befriended, then joins")
            << QStringList{"", "Ann"} << QStringList{"Carl", "Carl,Ann"} << QStringList{"", joined};
    }
    void friendJoins() {
        QFETCH(QStringList, friends);
        QFETCH(QStringList, polls);
        QFETCH(QStringList, sounds);
        // The players' count stays, so that the state alone never alerts.
        QJsonArray replies;
        QList<int> datagramsPerPoll;
        for (const QString& poll : polls) {
            if (poll == "-") {
                replies.append(QJsonObject{{"silent", true}});
                datagramsPerPoll << 0;
                continue;
            }
            QJsonArray datagrams;
            for (const QString& part : poll.split(';')) {
                QStringList t;
                QString names = part;
                if (datagrams.isEmpty()) {
                    const QString state = part.contains(':') ? part.section(':', 0, 0) : "14";
                    names = part.section(':', -1);
                    t << "numplayers"
                      << "3"
                      << "gstate" << state;
                }
                int i = 0;
                for (const QString& name : names.split(',')) {
                    t << QString("player_%1").arg(i) << name << QString("score_%1").arg(i) << "0";
                    ++i;
                }
                datagrams.append(tokens(t));
            }
            replies.append(QJsonObject{{"datagrams", datagrams}});
            datagramsPerPoll << int(datagrams.size());
        }
        vkr::store().settings.autojoin = true;
        FakeServer server;
        QVERIFY(server.start(1, QJsonArray{QJsonObject{{"replies", replies}}}));
        editFriends(friends[0]);
        QVERIFY(open(server.ports[0]));
        QStringList played;
        int expected = 0;
        for (int p = 0; p < polls.size(); ++p) {
            if (p > 0) {
                if (friends[p] != friends[p - 1]) {
                    editFriends(friends[p]);
                }
                form()->UpdateStatus();
            }
            expected += datagramsPerPoll[p];
            QTRY_VERIFY(events >= expected);
            played << sink.played.join(',');
            sink.played.clear();
        }
        QCOMPARE(played, sounds);
        // A friend's join does not start auto-join; a new game does.
        QCOMPARE(form()->Timer3->isActive(), sounds.last().contains("new game"));
    }

    // The watcher is the active window: no flash, but the sound plays.
    void alertWhileActive() {
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{
                   {"replies", QJsonArray{tokens({"gstate", "14"}), tokens({"gstate", "2"})}}}}));
        QVERIFY(open(server.ports[0]));
        QVERIFY(form()->isActiveWindow());
        QTRY_COMPARE(events, 1);
        poll();
        QCOMPARE(sink.played, QStringList{"file /sounds/new game.wav"});
    }

    // Only the watched server's address and query port are read: a datagram from another port
    // of the same host changes nothing.
    void otherSendersIgnored() {
        FakeServer server;
        QJsonObject stray = tokens({"numplayers", "0", "gstate", "13"});
        stray["fromOtherPort"] = true;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{{"replies", QJsonArray{stray, tokens({"gstate", "2"})}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE(events, 1);
        QCOMPARE(ui()->status->text(), QString("Waiting status..."));
        QCOMPARE(ui()->players->text(), QString("?/?"));
        poll();
        QCOMPARE(ui()->status->text(), QString("Selecting mission"));
        // The stray datagram recorded no state: the first real one does not alert.
        QCOMPARE(sink.played, QStringList());
    }

    // Every opening starts clean: reopened on a server that does not answer, the watcher shows
    // the placeholders, whatever the watch before ended with, and never an alert or countdown.
    void reopenedOnSilentServer_data() {
        QTest::addColumn<QJsonArray>("replies"); // of the first server, one per poll
        QTest::addColumn<bool>("autojoin");
        QTest::addColumn<QString>("before"); // the first watch's status when it ends
        const QJsonObject inGame =
            tokens({"gametype", "Island Raid", "numplayers", "2", "maxplayers", "12", "gstate",
                    "14", "player_0", "Ann", "score_0", "5", "player_1", "Bob", "score_1", "2"});
        const QJsonObject newGame = tokens(
            {"gametype", "Island Raid", "numplayers", "4", "maxplayers", "12", "gstate", "9"});
        QTest::newRow("in game") << QJsonArray{inGame} << false << "Game in progress...";
        QTest::newRow("counting down") << QJsonArray{inGame, newGame} << true << "Joining in 5...";
        QTest::newRow("after an auto-join") << QJsonArray{inGame, newGame} << true << "";
        const QJsonObject silent{{"silent", true}};
        QTest::newRow("no reply from server")
            << QJsonArray{inGame, silent, silent, silent} << false << "No reply from server";
    }
    void reopenedOnSilentServer() {
        QFETCH(QJsonArray, replies);
        QFETCH(bool, autojoin);
        QFETCH(QString, before);
        vkr::store().settings.autojoin = autojoin;
        FakeServer server;
        QVERIFY(server.start(
            2, QJsonArray{QJsonObject{{"replies", replies}},
                          QJsonObject{{"replies", QJsonArray{QJsonObject{{"silent", true}}}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE(events, 1);
        for (int i = 1; i < replies.size(); ++i) {
            form()->UpdateStatus();
        }
        if (before.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(form()->isHidden(), 10000); // joined and closed
        } else {
            QTRY_COMPARE(ui()->status->text(), before);
            QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        }
        QVERIFY(form()->isHidden());

        QVERIFY(open(server.ports[1]));
        for (int poll = 0; poll < 2; ++poll) {
            QCOMPARE(ui()->host->text(), QString("127.0.0.1:%1").arg(server.ports[1]));
            QCOMPARE(ui()->status->text(), QString("Waiting status..."));
            QCOMPARE(colourOf(ui()->status), maroon);
            QVERIFY(!ui()->LR->isHidden());
            QCOMPARE(ui()->players->text(), QString("?/?"));
            QCOMPARE(colourOf(ui()->players), maroon);
            QCOMPARE(ui()->mission->text(), QString("none"));
            QCOMPARE(rows(), QStringList{"="});
            QVERIFY(!form()->Timer3->isActive());
            QTest::qWait(1200); // a countdown left running would have ticked
            form()->UpdateStatus();
        }
    }

    // Closing forgets the state: reopened on a server setting up a game, its first reply does
    // not alert.
    void closeAndReopen() {
        FakeServer server;
        QVERIFY(server.start(
            2, QJsonArray{QJsonObject{{"replies", QJsonArray{tokens({"gstate", "14"})}}},
                          QJsonObject{{"replies", QJsonArray{tokens({"gstate", "9"})}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE(events, 1);
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QVERIFY(form()->isHidden());
        QVERIFY(!form()->Timer2->isActive());
        QVERIFY(vkr::forms().form1->isVisible());
        QVERIFY(vkr::forms().form4->isVisible());
        QVERIFY(form()->Timer1->isActive());

        QVERIFY(open(server.ports[1]));
        QTRY_COMPARE(events, 2);
        QCOMPARE(ui()->status->text(), QString("Debriefing"));
        QCOMPARE(sink.played, QStringList());
    }

    // A second start of the launcher brings forward the watcher while it stands in for the
    // hidden main window, and the main window again once the watcher is closed.
    void secondStartBringsTheWatcherForward() {
        FakeServer server;
        QVERIFY(server.start(1, QJsonArray{}));
        QVERIFY(open(server.ports[0]));
        QCOMPARE(vkr::windowToBringForward(), static_cast<QWidget*>(form()));
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QCOMPARE(vkr::windowToBringForward(), static_cast<QWidget*>(vkr::forms().form1));
    }

    // A reply that arrives after Close changes nothing: it records no state, so the next
    // server's first reply does not alert either.
    void replyAfterCloseIgnored() {
        FakeServer server;
        QVERIFY(server.start(
            2, QJsonArray{QJsonObject{{"replies", QJsonArray{QJsonObject{
                                                      {"tokens", QJsonArray{"gstate", "14"}},
                                                      {"delayMs", 200}}}}},
                          QJsonObject{{"replies", QJsonArray{tokens({"gstate", "2"})}}}}));
        QVERIFY(open(server.ports[0]));
        form()->close();
        QTRY_COMPARE(events, 1);
        QCOMPARE(ui()->status->text(), QString("Waiting status..."));
        QVERIFY(open(server.ports[1]));
        QTRY_COMPARE(events, 2);
        QCOMPARE(ui()->status->text(), QString("Selecting mission"));
        QCOMPARE(sink.played, QStringList());
    }

    // A host name is looked up once per poll, away from the GUI thread, and its replies are
    // read.
    void slowHostLookedUpOnce() {
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{{"replies", QJsonArray{tokens({"gstate", "6"})}}}}));
        QVERIFY(open(server.ports[0], slowHost));
        QTRY_COMPARE(ui()->status->text(), QString("Setting up"));
        QCOMPARE(slowLookups.load(), 1);
        QCOMPARE(slowLookupsOnGuiThread.load(), 0);
    }

    // A name server that never answers holds the watcher's send for a while only: the name then
    // counts as one that does not resolve, as the browser's look-ups do.
    void stalledLookUpEnds() {
        // Shared with the look-up's thread, which outlives the test.
        auto release = std::make_shared<QSemaphore>();
        vkr::setHostLookup([release](const std::string&) {
            release->tryAcquire(1, 120000);
            return vkr::IPv4Bytes{127, 0, 0, 1};
        });
        // Ends the wait should it never end by itself, so that the test fails instead of hanging.
        bool rescued = false;
        QTimer rescue;
        rescue.setSingleShot(true);
        QObject::connect(&rescue, &QTimer::timeout, [&rescued] {
            rescued = true;
            TNMUDP::EndLookUpWaits();
        });
        rescue.start(60000);
        QVERIFY(open(9, "stalled.vkr.test"));
        QVERIFY(!rescued);
        QVERIFY(form()->isVisible());
        QCOMPARE(ui()->status->text(), QString("Waiting status..."));
        release->release();
    }

    // Two polls in a row without a reply: the next poll says so and puts the green lamp out;
    // the reply that follows shows its state again and, a new game after the game it last
    // told, alerts as it would have without the silence.
    void noReplyFromServer() {
        FakeServer server;
        QJsonObject silent{{"silent", true}, {"times", 2}};
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{{"replies", QJsonArray{tokens({"gstate", "14"}), silent,
                                                             tokens({"gstate", "2"})}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE(events, 1);
        form()->UpdateStatus();
        form()->UpdateStatus();
        QCOMPARE(ui()->status->text(), QString("Game in progress..."));
        form()->UpdateStatus();
        QCOMPARE(ui()->status->text(), QString("No reply from server"));
        QCOMPARE(colourOf(ui()->status), maroon);
        for (int tick = 0; tick < 2; ++tick) {
            form()->Timer1Timer();
            QVERIFY(ui()->LR->isHidden() && ui()->LG->isHidden());
        }
        QTRY_COMPARE(events, 2);
        QCOMPARE(ui()->status->text(), QString("Selecting mission"));
        QVERIFY(ui()->LR->isHidden());
        form()->Timer1Timer();
        const bool lit = !ui()->LG->isHidden();
        form()->Timer1Timer();
        QCOMPARE(ui()->LG->isHidden(), lit);
        QCOMPARE(sink.played, QStringList{"file /sounds/new game.wav"});
    }

    // In another language the watcher's words are the catalogue's, letters outside Latin-1
    // too, and the server's mission is still read as Latin-1.
    void translatedStatus() {
        struct Finnish : QTranslator {
            QString translate(const char* context, const char* source, const char*,
                              int) const override {
                return QString(context) == "TFormWatcher" && QString(source) == "Briefing"
                           ? QString("Tehtävänanto \u2013 odota")
                           : QString();
            }
        } finnish;
        vkr::installTranslations("en");
        QCoreApplication::installTranslator(&finnish);
        struct Undo {
            ~Undo() { vkr::setTranslateFunction(nullptr); }
        } undo;
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{
                   {"replies", QJsonArray{tokens({"gstate", "13", "gametype",
                                                  QString::fromLatin1("\xcele Raid")})}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE(ui()->status->text(), QString("Tehtävänanto \u2013 odota"));
        QCOMPARE(ui()->mission->text(), QString("Île Raid"));
    }

    // At the first opening the focus is on Close, first in the tab order: Enter closes. Esc is
    // Close wherever the focus is. Either way the watcher stops polling and the main window and
    // the browser come back.
    void keysClose_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus"); // empty: where the first opening puts it
        QTest::newRow("Enter") << int(Qt::Key_Return) << "";
        QTest::newRow("Esc") << int(Qt::Key_Escape) << "";
        QTest::newRow("Esc on Join") << int(Qt::Key_Escape) << "BitBtn2";
    }
    void keysClose() {
        QFETCH(int, key);
        QFETCH(QString, focus);
        QVERIFY(open(9));
        QCOMPARE(form()->focusWidget(), ui()->BitBtn1);
        if (!focus.isEmpty()) {
            form()->findChild<QWidget*>(focus)->setFocus();
        }
        QTest::keyClick(form()->focusWidget(), Qt::Key(key));
        QVERIFY(form()->isHidden());
        QVERIFY(!form()->Timer2->isActive());
        QVERIFY(vkr::forms().form1->isVisible());
        QVERIFY(vkr::forms().form4->isVisible());
    }

    // Join starts the game on the watched server, then closes the watcher.
    void join() {
        QVERIFY(open(9));
        QTest::keyClick(ui()->BitBtn2, Qt::Key_Space);
        QCOMPARE(launches(), 1);
        QVERIFY(form()->isHidden());
        QVERIFY(vkr::forms().form1->isVisible());
        QVERIFY(vkr::forms().form4->isVisible());
    }

    // Auto-join: the new-game alert starts a countdown on the status line that joins when it
    // runs out; each row ends it (or keeps it from starting) another way. The countdown asks
    // the server every second, long before the next poll.
    void autojoin_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QJsonObject>("third"); // the server's replies from then on
        QTest::addColumn<QString>("end");       // what happens during the countdown
        QTest::addColumn<QString>("status");    // the status line once it is over
        const QJsonObject newGame = tokens({"gstate", "9"});
        QTest::newRow("runs out: joins") << true << newGame << ""
                                         << "";
        QTest::newRow("one reply lost: joins") << true << QJsonObject{{"silent", true}} << ""
                                               << "";
        QTest::newRow("two replies lost: paused, then joins")
            << true << QJsonObject{{"silent", true}, {"times", 2}} << ""
            << "";
        QTest::newRow("not ticked: no countdown") << false << newGame << ""
                                                  << "Debriefing";
        QTest::newRow("unticked") << true << newGame << "untick"
                                  << "Debriefing";
        QTest::newRow("Close") << true << newGame << "close"
                               << "Waiting status...";
        QTest::newRow("game starts") << true << tokens({"gstate", "14"}) << "wait"
                                     << "Game in progress...";
        QTest::newRow("server falls silent")
            << true << QJsonObject{{"silent", true}, {"times", 40}} << "wait"
            << "Auto-join stopped";
    }
    void autojoin() {
        QFETCH(bool, ticked);
        QFETCH(QJsonObject, third);
        QFETCH(QString, end);
        QFETCH(QString, status);
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{
                   {"replies", QJsonArray{tokens({"gstate", "14"}), tokens({"gstate", "9"}), third,
                                          tokens({"gstate", "9"})}}}}));
        QVERIFY(open(server.ports[0]));
        QVERIFY(ui()->autojoin->isVisible() && !ui()->autojoin->isChecked());
        if (ticked) {
            QTest::mouseClick(ui()->autojoin, Qt::LeftButton);
        }
        QVERIFY(fx->stored(vkr::Hive::CurrentUser, vkr::kLauncherKey, "autojoin") ==
                (ticked ? std::optional(vkr::RegValue::dword(1)) : std::nullopt));
        QTRY_COMPARE(events, 1);
        poll();
        if (!ticked) {
            QCOMPARE(ui()->status->text(), status);
            QVERIFY(!form()->Timer3->isActive());
            return;
        }
        QCOMPARE(ui()->status->text(), QString("Joining in 5..."));
        QCOMPARE(colourOf(ui()->status), green);
        if (end.isEmpty()) {
            QDir().mkpath("/tmp/shots");
            QVERIFY(form()->grab().save("/tmp/shots/watcher_countdown.png"));
            for (const char* text :
                 {"Joining in 4...", "Joining in 3...", "Joining in 2...", "Joining in 1..."}) {
                QTRY_COMPARE(ui()->status->text(), QString(text));
                QCOMPARE(launches(), 0);
            }
            QTRY_COMPARE(launches(), 1);
            QVERIFY(form()->isHidden());
            return;
        }
        if (end == "untick") {
            QTest::mouseClick(ui()->autojoin, Qt::LeftButton);
            QVERIFY(!vkr::store().settings.autojoin);
        } else if (end == "close") {
            QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(ui()->status->text(), status, 8000);
        }
        QCOMPARE(ui()->status->text(), status);
        // Why a countdown ended without joining, when the status does not say it.
        QCOMPARE(ui()->status->toolTip(),
                 status == "Auto-join stopped"
                     ? QString("Auto-join stopped: no reply from the server")
                     : QString());
        QVERIFY(!form()->Timer3->isActive());
        QCOMPARE(launches(), 0);
    }

    // Auto-join is in sight in both views: a stored tick shows when the watcher opens, and one
    // click on it cancels a countdown. Ticked while the server sets up a game, it counts down
    // at once.
    void autojoinInEitherView_data() {
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QStringList>("first"); // the server's first reply; later ones are 9
        QTest::newRow("collapsed, stored tick") << false << true << QStringList{"gstate", "14"};
        QTest::newRow("expanded, stored tick") << true << true << QStringList{"gstate", "14"};
        QTest::newRow("collapsed, ticked during a new game")
            << false << false << QStringList{"gstate", "9"};
        QTest::newRow("expanded, ticked during a new game")
            << true << false << QStringList{"gstate", "9"};
    }
    void autojoinInEitherView() {
        QFETCH(bool, expanded);
        QFETCH(bool, stored);
        QFETCH(QStringList, first);
        fx->writeStandardRegistry(stored ? "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                                           "\"autojoin\"=dword:00000001\n"
                                         : "");
        fx->start();
        form()->setSoundSink(&sink);
        auto* browserJoin = vkr::forms().form4->findChild<QPushButton*>("BitBtn1");
        QSignalSpy pressed(browserJoin, &QPushButton::clicked);
        FakeServer server;
        QVERIFY(
            server.start(1, QJsonArray{QJsonObject{
                                {"replies", QJsonArray{tokens(first), tokens({"gstate", "9"})}}}}));
        QVERIFY(open(server.ports[0]));
        if (expanded) {
            QTest::mouseClick(ui()->SpeedButton1, Qt::LeftButton);
        }
        QCOMPARE(form()->width() > 300, expanded);
        QVERIFY(ui()->autojoin->isVisible());
        QCOMPARE(ui()->autojoin->isChecked(), stored);
        QTRY_COMPARE(ui()->status->text(),
                     QString(first[1] == "9" ? "Debriefing" : "Game in progress..."));
        if (stored) {
            form()->UpdateStatus();
        } else {
            QTest::mouseClick(ui()->autojoin, Qt::LeftButton);
        }
        QTRY_COMPARE(ui()->status->text(), QString("Joining in 5..."));
        QTest::mouseClick(ui()->autojoin, Qt::LeftButton);
        QCOMPARE(ui()->status->text(), QString("Debriefing"));
        QVERIFY(!form()->Timer3->isActive());
        QTest::qWait(1200);
        QCOMPARE(pressed.count(), 0);
    }

    // The countdown's requests, once a second, replace the player list: it never grows, and
    // a countdown that a state change ends leaves the list of the last reply.
    void countdownListsPlayersOnce_data() {
        QTest::addColumn<QString>("end"); // the server's state once the countdown runs
        QTest::newRow("still setting up") << "9";
        QTest::newRow("the game begins") << "14";
    }
    void countdownListsPlayersOnce() {
        QFETCH(QString, end);
        vkr::store().settings.autojoin = true;
        const QStringList players{"numplayers", "2",        "player_0", "Ann",     "score_0",
                                  "5",          "player_1", "Bob",      "score_1", "2"};
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{
                   {"replies", QJsonArray{tokens(QStringList{"gstate", "14"} + players),
                                          tokens(QStringList{"gstate", "9"} + players),
                                          tokens(QStringList{"gstate", "9"} + players),
                                          tokens(QStringList{"gstate", end} + players)}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE(events, 1);
        poll();
        QCOMPARE(ui()->status->text(), QString("Joining in 5..."));
        QTRY_COMPARE_WITH_TIMEOUT(events, 4, 10000);
        QCOMPARE(rows(), (QStringList{"Ann=5", "Bob=2"}));
        if (end == "14") {
            QCOMPARE(ui()->status->text(), QString("Game in progress..."));
            QVERIFY(!form()->Timer3->isActive());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(events, 5, 10000);
            QCOMPARE(rows(), (QStringList{"Ann=5", "Bob=2"}));
        }
    }

    // Each activation empties the player list.
    void activationEmptiesList() {
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{
                   {"replies", QJsonArray{tokens({"player_0", "Ann", "score_0", "1", "player_1",
                                                  "Bob", "score_1", "2"})}}}}));
        QVERIFY(open(server.ports[0]));
        QTRY_COMPARE(rows(), (QStringList{"Ann=1", "Bob=2"}));
        vkr::showForm(vkr::forms().form1);
        QVERIFY(QTest::qWaitForWindowActive(vkr::forms().form1));
        QCOMPARE(rows().size(), 2);
        form()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form()));
        QCOMPARE(rows(), QStringList{"="});
    }

    void toggle_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("button");
        QTest::addColumn<QSize>("bevel");
        QTest::newRow("collapsed at start")
            << 0 << QSize(265, 151) << "More >>" << QPoint(200, 77) << QSize(241, 81);
        QTest::newRow("expanded") << 1 << QSize(362, 210) << "<< Less" << QPoint(296, 133)
                                  << QSize(337, 137);
        QTest::newRow("collapsed again")
            << 2 << QSize(265, 151) << "More >>" << QPoint(200, 77) << QSize(241, 81);
    }
    void toggle() {
        QFETCH(int, clicks);
        QFETCH(QSize, size);
        QFETCH(QString, caption);
        QFETCH(QPoint, button);
        QFETCH(QSize, bevel);
        QVERIFY(open(9));
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(ui()->SpeedButton1, Qt::LeftButton);
        }
        // The outer size, the frame included.
        QCOMPARE(form()->frameGeometry().size(), size);
        QCOMPARE(ui()->SpeedButton1->text(), caption);
        QCOMPARE(ui()->SpeedButton1->pos(), button);
        QCOMPARE(ui()->Bevel1->size(), bevel);
        const bool expanded = size.width() > 300;
        QCOMPARE(ui()->playerList->isVisible(), expanded);
        QCOMPARE(ui()->mission->isVisible(), expanded);
        QCOMPARE(ui()->Label4->isVisible(), expanded);
        QVERIFY(ui()->autojoin->isVisible());
        // The lamps keep their place at the bottom-right corner, the buttons at the bottom.
        const QSize client = form()->size();
        for (QLabel* lamp : {ui()->LG2, ui()->LG, ui()->LR}) {
            QCOMPARE(lamp->geometry(), QRect(client.width() - 37, client.height() - 28, 20, 20));
        }
        QCOMPARE(ui()->BitBtn1->geometry().bottom(), client.height() - 8);
        QCOMPARE(ui()->BitBtn2->geometry().bottom(), client.height() - 8);
        // The view survives a close.
        form()->close();
        QVERIFY(open(9));
        QCOMPARE(form()->frameGeometry().size(), size);
    }

    void screenshots() {
        FakeServer server;
        QVERIFY(server.start(
            1, QJsonArray{QJsonObject{
                   {"replies",
                    QJsonArray{tokens({"gametype", "Island Raid", "numplayers", "2", "maxplayers",
                                       "12", "gstate", "14", "player_0", "Ann", "score_0", "5",
                                       "player_1", "Bob", "score_1", "2"}),
                               QJsonObject{{"silent", true}}}}}}));
        vkr::store().settings.watchers = 0;
        vkr::store().settings.autojoin = true;
        QVERIFY(open(server.ports[0]));
        QTRY_VERIFY(events > 0);
        QDir().mkpath("/tmp/shots");
        QVERIFY(form()->grab().save("/tmp/shots/watcher_collapsed.png"));
        QTest::mouseClick(ui()->SpeedButton1, Qt::LeftButton);
        QVERIFY(form()->grab().save("/tmp/shots/watcher_expanded.png"));
        for (int poll = 0; poll < 3; ++poll) {
            form()->UpdateStatus();
        }
        QVERIFY(form()->grab().save("/tmp/shots/watcher_no_reply.png"));
    }
};

QTEST_MAIN(WatcherTest)
#include "gui_watcher.moc"
