#include "status/watcher_rule.h"

#include <QTest>

#include <string>
#include <vector>

using namespace vkr;

namespace {

// A reply written as the tests write it: "|" stands for a backslash; sent in Latin-1.
std::string reply(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    std::string r(bytes.constData(), size_t(bytes.size()));
    for (char& c : r) {
        if (c == '|') {
            c = '\\';
        }
    }
    return r;
}

QString describe(const std::optional<WatcherText>& text) {
    if (!text) {
        return "-";
    }
    return QString::fromStdString(text->text) +
           (text->colour == WatcherColour::green ? " green" : " maroon");
}

const char* alertName(WatcherAlert alert) {
    switch (alert) {
    case WatcherAlert::none:
        return "none";
    case WatcherAlert::newGame:
        return "new game";
    case WatcherAlert::playerJoined:
        return "joined";
    case WatcherAlert::slotFree:
        return "slot free";
    case WatcherAlert::friendJoined:
        return "friend joined";
    }
    return "?";
}

QString describe(const WatcherStatus& status) {
    const char* lamps[] = {" blink", " red", " dark"};
    return describe(status.line) + lamps[int(status.lamp)];
}

// What one reading changes, as one line: status (with the lamp), players, mission, alert.
QString describe(const WatcherReading& r) {
    return QString("status %1; players %2; mission %3; alert %4")
        .arg(r.status ? describe(*r.status) : "-", describe(r.players), describe(r.mission),
             alertName(r.alert));
}

// The player entries of a reply for names joined by ",", each with score 0, after a backslash
// and ending in one.
QString players(const QString& names) {
    QString entries;
    int i = 0;
    for (const QString& name : names.split(',', Qt::SkipEmptyParts)) {
        entries += QString("|player_%1|%2|score_%1|0").arg(i++).arg(name);
    }
    return entries + "|";
}

std::vector<std::string> strings(const QString& commaSeparated) {
    std::vector<std::string> list;
    for (const QString& s : commaSeparated.split(',', Qt::SkipEmptyParts)) {
        list.push_back(s.toStdString());
    }
    return list;
}

QString rowsText(const std::vector<PlayerRow>& rows) {
    QStringList cells;
    for (const PlayerRow& row : rows) {
        cells << QString::fromStdString(row.name + "=" + row.score);
    }
    return cells.join(", ");
}

} // namespace

class CoreWatcher : public QObject {
    Q_OBJECT
private slots:
    // Replies of one watch, each after a poll ("-" a poll without a reply): what each one shows
    // and alerts, what a poll shows, and the state recorded at the end.
    void watch_data() {
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<QStringList>("readings");
        QTest::addColumn<int>("lastState");

        const QString inGame = "status Game in progress... maroon red; players 5/10 green; "
                               "mission Island Raid green; alert none";
        QTest::newRow("first reply in game never alerts")
            << QStringList{"|numplayers|5|maxplayers|12|gstate|14|gametype|Island Raid|"}
            << QStringList{inGame} << 14;
        QTest::newRow("14 then 9: new game, then 2 gives none")
            << QStringList{"|numplayers|5|maxplayers|12|gstate|14|gametype|Island Raid|",
                           "|gstate|9|", "|gstate|2|"}
            << QStringList{inGame,
                           "status Debriefing green blink; players -; mission -; "
                           "alert new game",
                           "status Selecting mission green blink; players -; mission -; "
                           "alert none"}
            << 2;
        QTest::newRow("13 then 2: new game")
            << QStringList{"|gstate|13|", "|gstate|2|"}
            << QStringList{"status Briefing maroon red; players -; mission -; alert none",
                           "status Selecting mission green blink; players -; mission -; "
                           "alert new game"}
            << 2;
        QTest::newRow("empty, then a player and gstate 2: joined")
            << QStringList{"|numplayers|0|maxplayers|12|", "|numplayers|1|gstate|2|"}
            << QStringList{"status Empty maroon red; players 0/10 maroon; mission -; alert none",
                           "status Selecting mission green blink; players 1/? green; mission -; "
                           "alert joined"}
            << 2;
        QTest::newRow("empty, then a player and gstate 14: none")
            << QStringList{"|numplayers|0|maxplayers|12|", "|numplayers|1|gstate|14|"}
            << QStringList{"status Empty maroon red; players 0/10 maroon; mission -; alert none",
                           "status Game in progress... maroon red; players 1/? green; "
                           "mission -; alert none"}
            << 14;
        QTest::newRow("numplayers 0 overrides gstate 14")
            << QStringList{"|gstate|14|numplayers|0|maxplayers|12|"}
            << QStringList{"status Empty maroon red; players 0/10 maroon; mission -; alert none"}
            << 256;
        QTest::newRow("gstate 5 leaves status and state")
            << QStringList{"|gstate|13|", "|numplayers|3|gstate|5|"}
            << QStringList{"status Briefing maroon red; players -; mission -; alert none",
                           "status -; players 3/? green; mission -; alert none"}
            << 13;
        QTest::newRow("gstate must be exact")
            << QStringList{"|gstate|13|", "|gstate| 2|", "|gstate|02|"}
            << QStringList{"status Briefing maroon red; players -; mission -; alert none",
                           "status -; players -; mission -; alert none",
                           "status -; players -; mission -; alert none"}
            << 13;
        QTest::newRow("without numplayers: players unchanged, no empty server")
            << QStringList{"|maxplayers|12|gstate|2|"}
            << QStringList{"status Selecting mission green blink; players -; mission -; alert none"}
            << 2;
        QTest::newRow("the later of two gstates wins")
            << QStringList{"|gstate|14|", "|gstate|2|gstate|13|"}
            << QStringList{"status Game in progress... maroon red; players -; mission -; "
                           "alert none",
                           "status Briefing maroon red; players -; mission -; alert none"}
            << 13;
        QTest::newRow("11 of 10 maroon and full, 9 of 10 green and a free slot")
            << QStringList{"|numplayers|11|maxplayers|12|gametype||",
                           "|numplayers|9|maxplayers|12|"}
            << QStringList{"status -; players 11/10 maroon; mission None maroon; alert none",
                           "status -; players 9/10 green; mission -; alert slot free"}
            << 0;
        QTest::newRow("a mission sent in Latin-1 shows as sent")
            << QStringList{"|numplayers|1|maxplayers|12|gametype|Île Raid|"}
            << QStringList{"status -; players 1/10 green; mission Île Raid green; alert none"} << 0;
        QTest::newRow("maxplayers not a number: capacity ?, the rest is read")
            << QStringList{"|numplayers|3|maxplayers|twelve|gametype|Desert|gstate|2|"}
            << QStringList{"status Selecting mission green blink; players 3/? green; "
                           "mission Desert green; alert none"}
            << 2;

        const QString noReply = "poll No reply from server maroon dark";
        const QString briefing = "status Briefing maroon red; players -; mission -; alert none";
        QTest::newRow("one poll without a reply: the next reply alerts")
            << QStringList{"|gstate|13|", "-", "|gstate|2|"}
            << QStringList{briefing, "status Selecting mission green blink; players -; "
                                     "mission -; alert new game"}
            << 2;
        QTest::newRow("two polls without a reply: no reply, then the new game alerts")
            << QStringList{"|gstate|13|", "-", "-", "|gstate|2|", "|gstate|13|", "|gstate|6|"}
            << QStringList{briefing, noReply,
                           "status Selecting mission green blink; players -; mission -; "
                           "alert new game",
                           briefing,
                           "status Setting up green blink; players -; mission -; alert new game"}
            << 6;
        QTest::newRow("in game, three polls lost, then a new game")
            << QStringList{"|gstate|14|", "-", "-", "-", "|gstate|9|"}
            << QStringList{"status Game in progress... maroon red; players -; mission -; "
                           "alert none",
                           noReply, noReply,
                           "status Debriefing green blink; players -; mission -; alert new game"}
            << 9;
        QTest::newRow("empty, two polls lost, then a player setting up: joined")
            << QStringList{"|numplayers|0|maxplayers|12|", "-", "-", "|numplayers|1|gstate|6|"}
            << QStringList{"status Empty maroon red; players 0/10 maroon; mission -; alert none",
                           noReply,
                           "status Setting up green blink; players 1/? green; mission -; "
                           "alert joined"}
            << 6;
        QTest::newRow("no reply from the start, said at each poll")
            << QStringList{"-", "-", "-", "-"} << QStringList{noReply, noReply} << 0;
        QTest::newRow("a reply without a state ends the silence")
            << QStringList{"|numplayers|0|", "-", "-", "|numplayers|3|", "-"}
            << QStringList{"status Empty maroon red; players 0/? maroon; mission -; alert none",
                           noReply,
                           "status Waiting status... maroon red; players 3/? green; "
                           "mission -; alert none"}
            << 256;

        const QString full = "status -; players 10/10 green; mission -; alert none";
        QTest::newRow("full, then a free slot: slot free")
            << QStringList{"|numplayers|10|maxplayers|12|", "|numplayers|9|maxplayers|12|"}
            << QStringList{full, "status -; players 9/10 green; mission -; alert slot free"} << 0;
        QTest::newRow("a free slot at the first reply: none")
            << QStringList{"|numplayers|9|maxplayers|12|"}
            << QStringList{"status -; players 9/10 green; mission -; alert none"} << 0;
        QTest::newRow("full, then no capacity told: none, still full")
            << QStringList{"|numplayers|10|maxplayers|12|", "|numplayers|9|",
                           "|numplayers|9|maxplayers|12|"}
            << QStringList{full, "status -; players 9/? green; mission -; alert none",
                           "status -; players 9/10 green; mission -; alert slot free"}
            << 0;
        QTest::newRow("full, silent, then free: slot free")
            << QStringList{"|numplayers|10|maxplayers|12|", "-", "-",
                           "|numplayers|9|maxplayers|12|"}
            << QStringList{full, noReply,
                           "status Waiting status... maroon red; players 9/10 green; "
                           "mission -; alert slot free"}
            << 0;
        QTest::newRow("a new game and a free slot at once: new game")
            << QStringList{"|numplayers|10|maxplayers|12|gstate|14|",
                           "|numplayers|9|maxplayers|12|gstate|9|"}
            << QStringList{"status Game in progress... maroon red; players 10/10 green; "
                           "mission -; alert none",
                           "status Debriefing green blink; players 9/10 green; mission -; "
                           "alert new game"}
            << 9;
    }
    void watch() {
        QFETCH(QStringList, replies);
        QFETCH(QStringList, readings);
        QFETCH(int, lastState);
        WatcherState state;
        QStringList got;
        for (const QString& r : replies) {
            if (auto shown = state.startPoll({})) {
                got << "poll " + describe(*shown);
            }
            if (r != "-") {
                got << describe(readWatcherReply(reply(r), state));
            }
        }
        QCOMPARE(got, readings);
        QCOMPARE(state.lastState, lastState);
    }

    // The counts are kept from the poll to the next: a second datagram without numplayers
    // shows the first one's count again and finds the server still empty.
    void countsLastUntilThePoll() {
        WatcherState state;
        state.startPoll({});
        readWatcherReply(reply("|numplayers|0|maxplayers|12|"), state);
        QCOMPARE(describe(readWatcherReply(reply("|gstate|2|"), state)),
                 QString("status Empty maroon red; players 0/10 maroon; mission -; alert none"));
        QCOMPARE(state.lastState, 256);
        state.startPoll({});
        QCOMPARE(describe(readWatcherReply(reply("|gstate|2|"), state)),
                 QString("status Selecting mission green blink; players -; mission -; "
                         "alert joined"));
    }

    void playerRows_data() {
        QTest::addColumn<QStringList>("datagrams"); // all after one poll
        QTest::addColumn<QString>("rows");
        QTest::newRow("no players: one blank row") << QStringList{"|numplayers|0|"} << "=";
        QTest::newRow("two players in order")
            << QStringList{"|player_0|Ann|score_0|5|player_1|Bob|score_1|2|"} << "Ann=5, Bob=2";
        QTest::newRow("a name without a score is overwritten by the next")
            << QStringList{"|player_0|Ann|player_1|Bob|"} << "Bob=";
        QTest::newRow("a name after the last score is dropped")
            << QStringList{"|player_0|Ann|score_0|5|player_1|Bob|"} << "Ann=5";
        QTest::newRow("player_x read as a name, then as the key of the next name")
            << QStringList{"|player_0|player_x|score_0|4|"} << "score_0=4";
        QTest::newRow("a reply over two datagrams continues the list")
            << QStringList{"|player_0|Ann|score_0|5|", "|player_1|Bob|score_1|2|"}
            << "Ann=5, Bob=2";
        QTest::newRow("a datagram without players keeps the list")
            << QStringList{"|player_0|Ann|score_0|5|", "|final||"} << "Ann=5";
        QTest::newRow("a datagram the network duplicated is read once")
            << QStringList{"|player_0|Ann|score_0|5|", "|player_1|Bob|score_1|2|",
                           "|player_0|Ann|score_0|5|"}
            << "Ann=5, Bob=2";
        QTest::newRow("the same datagram after a new request is read again")
            << QStringList{"|player_0|Ann|score_0|5|", "request", "|player_0|Ann|score_0|5|"}
            << "Ann=5";
        QTest::newRow("a request between polls: its reply replaces the list")
            << QStringList{"|player_0|Ann|score_0|5|player_1|Bob|score_1|2|", "request",
                           "|player_0|Ann|score_0|5|player_1|Bob|score_1|2|", "request",
                           "|player_0|Cid|score_0|1|"}
            << "Cid=1";
    }
    void playerRows() {
        QFETCH(QStringList, datagrams);
        QFETCH(QString, rows);
        WatcherState state;
        state.startPoll({});
        for (const QString& d : datagrams) {
            if (d == "request") {
                state.startRequest();
            } else {
                readWatcherReply(reply(d), state);
            }
        }
        QCOMPARE(rowsText(state.rows), rows);
        state.clearRows();
        QCOMPARE(rowsText(state.rows), QString("="));
    }

    // A server that sends players without end fills the list to its capacity and no further.
    void rowsStopAtCapacity() {
        std::string many;
        for (int i = 0; i < 700; ++i) {
            many += "\\player_\\p" + std::to_string(i) + "\\score\\" + std::to_string(i);
        }
        many += "\\";
        WatcherState state;
        state.startPoll({});
        readWatcherReply(many, state);
        readWatcherReply("\\queryid\\1.2" + many, state); // another datagram, the same players
        QCOMPARE(state.rows.size(), size_t(WatcherState::rowCapacity));
        QCOMPARE(state.rows.back(), (PlayerRow{"p324", "324"}));
    }

    // Auto-join follows the server's state. Events: "on"/"off" tick the box; "|...|" a poll
    // and its reply; "t" a second in which the server answered; "x" a second without a reply
    // (the silence growing by a second each). What each second did: count, pause, join, stop
    // or idle.
    void autoJoin_data() {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QString>("seconds");
        const QString inGame = "|numplayers|4|maxplayers|12|gstate|14|";
        const QString setUp = "|numplayers|4|maxplayers|12|gstate|9|";
        const QString full = "|numplayers|10|maxplayers|12|gstate|14|";
        const QString slot = "|numplayers|9|maxplayers|12|gstate|14|";
        const QStringList fiveSeconds{"t", "t", "t", "t", "t"};
        const QString joins = "count count count count join";
        QTest::newRow("ticked before a new game")
            << QStringList{"on", inGame, setUp} + fiveSeconds << joins;
        QTest::newRow("ticked during the setup")
            << QStringList{inGame, setUp, "on"} + fiveSeconds << joins;
        QTest::newRow("ticked, unticked and ticked again during the setup")
            << QStringList{"on", inGame, setUp, "t", "off", "on"} + fiveSeconds << "count " + joins;
        QTest::newRow("ticked before a player joins the empty server")
            << QStringList{"on", "|numplayers|0|maxplayers|12|", "|numplayers|1|gstate|2|"} +
                   fiveSeconds
            << joins;
        QTest::newRow("opened on a server setting up, ticked")
            << QStringList{"on", setUp} + fiveSeconds << joins;
        QTest::newRow("ticked right after a slot came free")
            << QStringList{full, slot, "on"} + fiveSeconds << joins;
        QTest::newRow("a slot free but never full: no join")
            << QStringList{"on", slot, "t", "t"} << "idle idle";
        QTest::newRow("in game: no join") << QStringList{"on", inGame, "t"} << "idle";
        QTest::newRow("setting up, full: no join")
            << QStringList{"on", "|numplayers|10|maxplayers|12|gstate|9|", "t"} << "idle";
        QTest::newRow("not ticked: no join") << QStringList{inGame, setUp, "t", "t"} << "idle idle";
        QTest::newRow("3.5 s of silence: paused, then joins")
            << QStringList{"on", inGame, setUp, "t", "x", "x", "x", setUp, "t", "t", "t", "t"}
            << "count pause pause pause count count count join";
        QTest::newRow("5 s of silence: stops")
            << QStringList{"on", inGame, setUp, "t", "x", "x", "x", "x", "x"}
            << "count pause pause pause pause stop";
        QTest::newRow("stopped by silence, the server back still setting up: counts anew")
            << QStringList{"on", setUp, "x", "x", "x", "x", "x", setUp, "t"}
            << "pause pause pause pause stop count";
        QTest::newRow("the game begins during the countdown")
            << QStringList{"on", inGame, setUp, "t", inGame, "t"} << "count idle";
        QTest::newRow("unticked during the countdown")
            << QStringList{"on", inGame, setUp, "t", "off", "t"} << "count idle";
        QTest::newRow("the slot taken again during the countdown")
            << QStringList{"on", full, slot, "t", full, "t"} << "count idle";
        QTest::newRow("a slot still free in game: joins")
            << QStringList{"on", full, slot, "t", slot, "t", "t", "t", "t"}
            << "count count count count join";
    }
    void autoJoin() {
        QFETCH(QStringList, events);
        QFETCH(QString, seconds);
        const char* words[] = {"idle", "count", "pause", "join", "stop"};
        WatcherState state;
        AutoJoin countdown;
        bool ticked = false;
        int silent = 0;
        QStringList got;
        for (const QString& e : events) {
            if (e == "on" || e == "off") {
                ticked = e == "on";
            } else if (e == "t" || e == "x") {
                silent = e == "t" ? 0 : silent + 1;
                got << words[int(countdown.tick(500 + silent * 1000))];
                continue;
            } else {
                state.startPoll({});
                readWatcherReply(reply(e), state);
                silent = 0;
            }
            countdown.follow(ticked, state);
        }
        QCOMPARE(got.join(' '), seconds);
    }

    // Friends joining over polls, with the state alerts: what each datagram alerts ("first"
    // sounds and flashes, "again" only tells the notification anew) and the poll's notification.
    void friendAlerts_data() {
        QTest::addColumn<QStringList>("friends");  // per poll, names joined by ","
        QTest::addColumn<QStringList>("polls");    // per poll, its datagrams joined by ";"
        QTest::addColumn<QStringList>("readings"); // per datagram
        const QString inGame = "|numplayers|2|gstate|14";
        QTest::newRow("a friend joins")
            << QStringList{"Ann", "Ann"}
            << QStringList{inGame + players("Carl"), inGame + players("Carl,Ann")}
            << QStringList{"none", "friend joined first: Ann joined Arena"};
        QTest::newRow("with a new game: the new game's alert, naming the friend")
            << QStringList{"Ann", "Ann"}
            << QStringList{inGame + players("Carl"), "|gstate|9" + players("Carl,Ann")}
            << QStringList{"none", "new game first: New game on Arena; Ann joined"};
        QTest::newRow("to the empty server: the friend named")
            << QStringList{"Ann", "Ann"}
            << QStringList{"|numplayers|0|", "|numplayers|2|gstate|2" + players("Carl,Ann")}
            << QStringList{"none", "joined first: Ann joined Arena"};
        QTest::newRow("a new game, then the friend in the reply's next datagram")
            << QStringList{"Ann", "Ann"}
            << QStringList{inGame + players("Carl"), "|gstate|9|;" + players("Carl,Ann")}
            << QStringList{"none", "new game first: New game on Arena",
                           "friend joined again: New game on Arena; Ann joined"};
        QTest::newRow("two friends in two datagrams: one sound, both named")
            << QStringList{"Ann,Bob", "Ann,Bob"}
            << QStringList{inGame + players("Carl"), players("Ann") + ";" + players("Bob")}
            << QStringList{"none", "friend joined first: Ann joined Arena",
                           "friend joined again: Ann and Bob joined Arena"};
        QTest::newRow("befriended while there: not a join")
            << QStringList{"", "Ann"}
            << QStringList{inGame + players("Ann"), inGame + players("Ann")}
            << QStringList{"none", "none"};
    }
    void friendAlerts() {
        QFETCH(QStringList, friends);
        QFETCH(QStringList, polls);
        QFETCH(QStringList, readings);
        WatcherState state;
        QStringList got;
        for (int p = 0; p < polls.size(); ++p) {
            state.startPoll(strings(friends[p]));
            for (const QString& datagram : polls[p].split(';')) {
                const WatcherReading r = readWatcherReply(reply(datagram), state);
                got << (r.alert == WatcherAlert::none
                            ? QString("none")
                            : QString("%1 %2: %3")
                                  .arg(alertName(r.alert), r.firstOfPoll ? "first" : "again",
                                       QString::fromStdString(alertSummary(state.pollAlert, "Arena",
                                                                           state.pollFriends))));
            }
        }
        QCOMPARE(got, readings);
    }

    void summaries_data() {
        QTest::addColumn<int>("alert");
        QTest::addColumn<QString>("friends"); // names joined by ","
        QTest::addColumn<QString>("summary");
        const int friendJoined = int(WatcherAlert::friendJoined);
        QTest::newRow("new game") << int(WatcherAlert::newGame) << ""
                                  << "New game on X";
        QTest::newRow("a player joined") << int(WatcherAlert::playerJoined) << ""
                                         << "A player joined X";
        QTest::newRow("a slot free, a friend") << int(WatcherAlert::slotFree) << "Ann"
                                               << "A slot is free on X; Ann joined";
        QTest::newRow("one friend") << friendJoined << "Ann"
                                    << "Ann joined X";
        QTest::newRow("two") << friendJoined << "Ann,Bob"
                             << "Ann and Bob joined X";
        QTest::newRow("three") << friendJoined << "Ann,Bob,Cid"
                               << "Ann, Bob and Cid joined X";
        QTest::newRow("four, all named") << friendJoined << "Ann,Bob,Cid,Dan"
                                         << "Ann, Bob, Cid and Dan joined X";
        QTest::newRow("five, two counted") << friendJoined << "Ann,Bob,Cid,Dan,Eve"
                                           << "Ann, Bob, Cid and 2 more joined X";
        QTest::newRow("a name as sent, in Latin-1")
            << friendJoined << QString::fromLatin1("J\xf6rg") << "Jörg joined X";
    }
    void summaries() {
        QFETCH(int, alert);
        QFETCH(QString, friends);
        QFETCH(QString, summary);
        std::vector<std::string> sent;
        for (const QString& name : friends.split(',', Qt::SkipEmptyParts)) {
            const QByteArray bytes = name.toLatin1();
            sent.emplace_back(bytes.constData(), size_t(bytes.size()));
        }
        QCOMPARE(QString::fromStdString(alertSummary(WatcherAlert(alert), "X", sent)), summary);
    }

    void sounds_data() {
        QTest::addColumn<int>("alert");
        QTest::addColumn<int>("watchers");
        QTest::addColumn<QString>("sound1");
        QTest::addColumn<QString>("expected"); // "-", "built-in" or "file NAME"
        const int newGame = int(WatcherAlert::newGame);
        const int joined = int(WatcherAlert::playerJoined);
        const int none = int(WatcherAlert::none);
        QTest::newRow("0: no sound") << newGame << 0 << "a.wav"
                                     << "-";
        QTest::newRow("1: built-in for a new game") << newGame << 1 << "a.wav"
                                                    << "built-in";
        QTest::newRow("1: built-in for a join") << joined << 1 << "a.wav"
                                                << "built-in";
        QTest::newRow("2: sound1 for a new game") << newGame << 2 << "a.wav"
                                                  << "file a.wav";
        QTest::newRow("2: sound2 for a join") << joined << 2 << "a.wav"
                                              << "file b.wav";
        QTest::newRow("1: built-in for a friend") << int(WatcherAlert::friendJoined) << 1 << "a.wav"
                                                  << "built-in";
        QTest::newRow("2: sound2 for a friend") << int(WatcherAlert::friendJoined) << 2 << "a.wav"
                                                << "file b.wav";
        QTest::newRow("0: none for a friend") << int(WatcherAlert::friendJoined) << 0 << "a.wav"
                                              << "-";
        QTest::newRow("2: sound1 for a free slot") << int(WatcherAlert::slotFree) << 2 << "a.wav"
                                                   << "file a.wav";
        QTest::newRow("2: none is a file name") << newGame << 2 << "none"
                                                << "file none";
        QTest::newRow("7: no sound") << newGame << 7 << "a.wav"
                                     << "-";
        QTest::newRow("no alert: no sound") << none << 2 << "a.wav"
                                            << "-";
    }
    void sounds() {
        QFETCH(int, alert);
        QFETCH(int, watchers);
        QFETCH(QString, sound1);
        QFETCH(QString, expected);
        LauncherSettings settings;
        settings.watchers = watchers;
        settings.sound1 = sound1.toStdString();
        settings.sound2 = "b.wav";
        const WatcherSound sound = alertSound(WatcherAlert(alert), settings);
        QString got = "-";
        if (sound.kind == WatcherSound::Kind::builtIn) {
            got = "built-in";
        } else if (sound.kind == WatcherSound::Kind::file) {
            got = "file " + QString::fromStdString(sound.file);
        }
        QCOMPARE(got, expected);
    }
};

QTEST_GUILESS_MAIN(CoreWatcher)
#include "core_watcher.moc"
