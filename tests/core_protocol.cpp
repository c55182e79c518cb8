#include "net/tick.h"
#include "settings/errors.h"
#include "status/protocol.h"
#include "status/query_schedule.h"
#include "status/server_details.h"

#include <QTest>

#include <string>
#include <vector>

using namespace vkr;

namespace {

// Endpoint stand-in: records what it is asked to send, or fails.
struct RecordingSender : DatagramSender {
    std::string buffer;
    int count = -1;
    bool fail = false;
    void SendDatagram(const std::string& buff, int n) override {
        if (fail) {
            throw Exception("Host Lookup Canceled");
        }
        buffer = buff;
        count = n;
    }
    uint32_t LastSendTick() const override { return 4711; }
};

// A reply written as the tests in this file write it: "|" stands for a backslash.
std::string reply(const char* text) {
    std::string r(text);
    for (char& c : r) {
        if (c == '|') {
            c = '\\';
        }
    }
    return r;
}

const char* keyName(ReplyKey key) {
    switch (key) {
    case ReplyKey::gametype:
        return "gametype";
    case ReplyKey::numplayers:
        return "numplayers";
    case ReplyKey::maxplayers:
        return "maxplayers";
    case ReplyKey::player:
        return "player";
    case ReplyKey::score:
        return "score";
    case ReplyKey::gstate:
        return "gstate";
    case ReplyKey::hostname:
        return "hostname";
    case ReplyKey::queryid:
        return "queryid";
    case ReplyKey::final:
        return "final";
    }
    return "?";
}

QStringList scan(const std::string& text, ReplyKeySet keys) {
    QStringList delivered;
    ScanReply(text, keys, [&](ReplyKey key, std::string_view value) {
        delivered << QString("%1=%2").arg(keyName(key),
                                          QString::fromLatin1(value.data(), value.size()));
    });
    return delivered;
}

QString players(const ServerStatus& s) {
    QStringList list;
    for (int j = 0; j < s.playerCount; ++j) {
        list << QString::fromStdString(s.playerName(j) + ":" + s.playerScore(j));
    }
    return list.join(",");
}

// A server table with one sockets row for 127.0.0.1, game port 2302, reset by a pass whose
// request went out at sendTick.
struct OneServer {
    ServerTable servers;
    QueryRows rows;
    explicit OneServer(uint32_t sendTick = 1000) {
        ServerEntry& e = servers.append();
        e.ip = "127.0.0.1";
        e.port = "2302";
        e.sockets = true;
        rows[0].status.address = "127.0.0.1";
        rows[0].status.sendTick = sendTick;
        rows[0].status.resetPlayers();
    }
    std::vector<int> apply(const std::string& text, uint32_t tick = 1003) {
        return ApplyReply(servers, rows, "127.0.0.1", 2303, text, tick);
    }
    QueryRow& row() { return rows[0]; }
};

} // namespace

class CoreProtocol : public QObject {
    Q_OBJECT
private slots:
    void marks_data() {
        QTest::addColumn<QString>("datagram");
        QTest::addColumn<QString>("marks"); // "id part final"; "-" unmarked
        QTest::newRow("part of several") << "|player_0|Ann|queryid|12.3|"
                                         << "12 3 no";
        QTest::newRow("the last part") << "|final||queryid|12.2|"
                                       << "12 2 final";
        QTest::newRow("no part number: the first") << "|queryid|12|final||"
                                                   << "12 1 final";
        QTest::newRow("final alone: unmarked") << "|final||"
                                               << "- final";
        QTest::newRow("no markers") << "|numplayers|2|"
                                    << "- no";
        QTest::newRow("part 0") << "|queryid|12.0|"
                                << "- no";
        QTest::newRow("part past the bound") << "|queryid|12.33|"
                                             << "- no";
        QTest::newRow("part not a number") << "|queryid|12.x|"
                                           << "- no";
        QTest::newRow("empty id") << "|queryid|.1|"
                                  << "- no";
    }
    void marks() {
        QFETCH(QString, datagram);
        QFETCH(QString, marks);
        const ReplyMarks m = replyMarks(reply(datagram.toLatin1().constData()), 32);
        const QString id = m.id.empty()
                               ? QString("-")
                               : QString("%1 %2").arg(QString::fromStdString(m.id)).arg(m.part);
        QCOMPARE(id + (m.final ? " final" : " no"), marks);
    }

    // A reply's keys and values for its details ("|" for a backslash, "#" a datagram's end).
    void details_data() {
        QTest::addColumn<QByteArray>("datagrams");
        QTest::addColumn<QStringList>("pairs"); // "key=value"
        QTest::newRow("keys in the order sent")
            << QByteArray("|mapname|Velkrand|gametype|Island Raid|numplayers|0|")
            << QStringList{"mapname=Velkrand", "gametype=Island Raid", "numplayers=0"};
        QTest::newRow("parts in part order, the markers kept")
            << QByteArray("|b|2|queryid|7.2|final||#|a|1|queryid|7.1|")
            << QStringList{"a=1", "queryid=7.1", "b=2", "queryid=7.2", "final="};
        QTest::newRow("unmarked parts as they came")
            << QByteArray("|b|2|#|a|1|") << QStringList{"b=2", "a=1"};
        QTest::newRow("a key without a value, text after the last backslash")
            << QByteArray("|empty||queryid|1.1|tail")
            << QStringList{"empty=", "queryid=1.1", "tail="};
        QTest::newRow("cut at a NUL") << QByteArray("|a|1|b|\0|2|", 11) << QStringList{"a=1", "b="};
        QTest::newRow("no leading backslash") << QByteArray("k|v|") << QStringList{"k=v"};
        QTest::newRow("Latin-1 bytes kept")
            << QByteArray("|hostname|K\xe4rp\xe4|") << QStringList{"hostname=K\u00e4rp\u00e4"};
        QTest::newRow("empty") << QByteArray() << QStringList{};
    }
    void details() {
        QFETCH(QByteArray, datagrams);
        QFETCH(QStringList, pairs);
        std::vector<std::string> parts;
        for (QByteArray d : datagrams.split('#')) {
            parts.push_back(d.replace('|', '\\').toStdString());
        }
        QStringList got;
        for (const auto& [key, value] : replyPairs(parts)) {
            got << QString::fromLatin1(key + "=" + value);
        }
        QCOMPARE(got, pairs);
    }

    // A server's answers pass by pass ("30" a round trip, "-" no answer, "?" an answer whose
    // round trip is not known, "?30" one told later, "+" a pass begun and not over).
    void pingHistory_data() {
        QTest::addColumn<QStringList>("passes");
        QTest::addColumn<QString>("summary"); // "lowest median highest answered/asked"
        QTest::newRow("none") << QStringList{} << "- - - 0/0";
        QTest::newRow("odd count") << QStringList{"30", "10", "20"} << "10 20 30 3/3";
        QTest::newRow("even count, no answer, an open pass")
            << QStringList{"30", "-", "10", "+"} << "10 20 30 2/3";
        QTest::newRow("round trip unknown, then told") << QStringList{"?", "?40"} << "40 40 40 2/2";
        QTest::newRow("the last 20 passes")
            << (QStringList(5, "-") + QStringList(20, "7")) << "7 7 7 20/20";
    }
    void pingHistory() {
        QFETCH(QStringList, passes);
        QFETCH(QString, summary);
        PingHistory h;
        for (const QString& p : passes) {
            h.begin();
            if (p == "-") {
                h.giveUp();
            } else if (p.startsWith('?')) {
                h.answer(std::nullopt);
                if (p.size() > 1) {
                    h.answer(p.mid(1).toUInt());
                }
            } else if (p != "+") {
                h.answer(p.toUInt());
                h.answer(99); // a further part of the same reply changes nothing
            }
        }
        const PingHistory::Summary s = h.summary();
        auto n = [](std::optional<uint32_t> v) { return v ? QString::number(*v) : QString("-"); };
        QCOMPARE(QString("%1 %2 %3 %4/%5")
                     .arg(n(s.lowest), n(s.median), n(s.highest))
                     .arg(s.answered)
                     .arg(s.asked),
                 summary);
        QVERIFY(h.passes().size() <= PingHistory::capacity);
    }

    // A server's datagrams in one pass, asked at 0 and, when no reply came by then, at 1000
    // ("tick datagram", "|" for each backslash): the players and the ping its row shows.
    void replyScenes_data() {
        QTest::addColumn<QStringList>("datagrams");
        QTest::addColumn<QString>("players");
        QTest::addColumn<QString>("ping");
        const auto part = [](int at, int n, const QString& name, bool last = false) {
            return QString("%1 |player_0|%2|score_0|%3|queryid|5.%3|%4")
                .arg(at)
                .arg(name)
                .arg(n)
                .arg(last ? "final||" : "");
        };
        for (int gap : {30, 150, 500}) {
            QTest::addRow("three parts %d ms apart", gap)
                << QStringList{part(40, 1, "Ann"), part(40 + gap, 2, "Bob"),
                               part(40 + 2 * gap, 3, "Cid", true)}
                << "Ann:1,Bob:2,Cid:3"
                << "40";
        }
        QTest::newRow("parts in any order")
            << QStringList{part(40, 3, "Cid", true), part(70, 1, "Ann"), part(90, 2, "Bob")}
            << "Cid:3,Ann:1,Bob:2"
            << "40";
        QTest::newRow("the retry's reply, then the late first one: listed once, no ping told")
            << QStringList{"1030 |player_0|Ann|score_0|1|queryid|7.1|final||",
                           "1100 |player_0|Ann|score_0|1|queryid|6.1|final||"}
            << "Ann:1"
            << "??";
        QTest::newRow("a far server's replies to both requests: listed once, its ping told")
            << QStringList{"1030 |player_0|Ann|score_0|1|queryid|6.1|final||",
                           "2031 |player_0|Ann|score_0|1|queryid|7.1|final||"}
            << "Ann:1"
            << "1030";
        QTest::newRow("a flood of the reply and of other queryids")
            << QStringList{part(40, 1, "Ann", true), part(41, 1, "Ann", true), part(42, 2, "Bob"),
                           "43 |player_0|Eve|score_0|1|queryid|9.1|final||",
                           "44 |player_0|Eve|score_0|1|queryid|10.1|"}
            << "Ann:1"
            << "40";
        QTest::newRow("unmarked parts within 100 ms")
            << QStringList{"40 |player_0|Ann|score_0|1|", "90 |player_1|Bob|score_1|2|",
                           "160 |player_2|Cid|score_2|3|"}
            << "Ann:1,Bob:2"
            << "40";
        QStringList flood, listed;
        for (int k = 0; k < 40; ++k) {
            flood << QString("%1 |player_%2|P%2|score_%2|%2|").arg(40 + k).arg(k);
            listed << QString("P%1:%1").arg(k);
        }
        QTest::newRow("an unmarked flood that tells no player count: the first 32 datagrams")
            << flood << listed.mid(0, QuerySchedule::maxParts).join(',') << "40";
    }
    void replyScenes() {
        QFETCH(QStringList, datagrams);
        QFETCH(QString, players);
        QFETCH(QString, ping);
        const Destination server{"127.0.0.1", 2303};
        QuerySchedule schedule;
        schedule.beginPass(0);
        schedule.ask(server, 0);
        schedule.sent(server.key(), 0);
        QueryRow row;
        row.status.resetPlayers();
        if (datagrams.first().section(' ', 0, 0).toInt() >= 1000) {
            QCOMPARE(schedule.due(1000).resend.size(), size_t(1));
            schedule.sent(server.key(), 1000);
        }
        for (const QString& d : datagrams) {
            const int at = d.section(' ', 0, 0).toInt();
            const std::string bytes = reply(d.section(' ', 1).toLatin1().constData());
            const QuerySchedule::Heard heard =
                schedule.received(server.key(), bytes, static_cast<uint32_t>(at));
            if (heard.counts || heard.ping) {
                applyToRow(row, heard.counts ? bytes : "", heard.ping);
            }
        }
        QCOMPARE(::players(row.status), players);
        QCOMPARE(QString::fromStdString(row.cells.ping), ping);
    }

    void requestOnTheWire() {
        QCOMPARE(QByteArray(statusRequest.data(), statusRequest.size()).toHex(),
                 QByteArray("5c696e666f5c5c7374617475735c"));
        RecordingSender udps;
        QCOMPARE(SendStatusRequest(udps), std::optional<uint32_t>(4711));
        QCOMPARE(udps.count, 14);
        QCOMPARE(udps.buffer.size(), size_t(128));
        QCOMPARE(udps.buffer.substr(0, 14), std::string(statusRequest));
        udps.fail = true;
        QCOMPARE(SendStatusRequest(udps), std::nullopt);
    }

    void queryPorts_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("sockets");
        QTest::addColumn<int>("expected");
        QTest::newRow("sockets") << "2302" << true << 2303;
        QTest::newRow("directplay") << "2302" << false << 2304;
        QTest::newRow("hexadecimal text") << "$8FE" << true << 2303;
        QTest::newRow("largest integer wraps") << "2147483647" << false << INT32_MIN + 1;
    }
    void queryPorts() {
        QFETCH(QString, port);
        QFETCH(bool, sockets);
        QFETCH(int, expected);
        ServerEntry e;
        e.port = port.toStdString();
        e.sockets = sockets;
        QCOMPARE(queryPort(e), expected);
    }

    void portThatIsNotANumber() {
        ServerEntry e;
        e.port = "abc";
        try {
            queryPort(e);
            QFAIL("no error raised");
        } catch (const EConvertError& error) {
            QCOMPARE(std::string(error.what()), std::string("'abc' is not a valid integer value"));
        }
    }

    void scanning_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("watcher");
        QTest::addColumn<QStringList>("delivered");
        QTest::newRow("keys and values")
            << "|gametype|Island Raid|numplayers|3|maxplayers|12|" << false
            << QStringList{"gametype=Island Raid", "numplayers=3", "maxplayers=12"};
        QTest::newRow("last value without a closing backslash")
            << "|numplayers|3|maxplayers|12" << false << QStringList{"numplayers=3"};
        QTest::newRow("no backslash before the first key")
            << "gametype|Desert|" << false << QStringList{"gametype=Desert"};
        QTest::newRow("a NUL ends the text")
            << "|numplayers|3|\\0|gametype|X|" << false << QStringList{"numplayers=3"};
        QTest::newRow("a name that is a key is armed too")
            << "|player_0|player_x|score_0|4|" << false
            << QStringList{"player=player_x", "player=score_0", "score=4"};
        QTest::newRow("prefixes") << "|player_12|Ann|scoreboard|7|player|Bob|score|1|" << false
                                  << QStringList{"player=Ann", "score=7", "score=1"};
        QTest::newRow("whole tokens and case") << "|gametypes|A|Gametype|B|numplayer|3|gametype||"
                                               << false << QStringList{"gametype="};
        QTest::newRow("gstate for the browser")
            << "|gstate|14|numplayers|3|" << false << QStringList{"numplayers=3"};
        QTest::newRow("gstate for the watcher")
            << "|gstate|14|numplayers|3|" << true << QStringList{"gstate=14", "numplayers=3"};
        QTest::newRow("a value that is a key")
            << "|gametype|numplayers|5|" << false
            << QStringList{"gametype=numplayers", "numplayers=5"};
        QTest::newRow("only backslashes") << "||||" << true << QStringList{};
    }
    void scanning() {
        QFETCH(QString, text);
        QFETCH(bool, watcher);
        QFETCH(QStringList, delivered);
        std::string bytes = reply(text.toLatin1().constData());
        // "\0" in a row stands for a NUL byte.
        for (size_t at; (at = bytes.find("\\0")) != std::string::npos;) {
            bytes.replace(at, 2, 1, '\0');
        }
        QCOMPARE(scan(bytes, watcher ? watcherKeys : browserKeys), delivered);
    }

    void applying_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mission");
        QTest::addColumn<QString>("playerCell");
        QTest::addColumn<QString>("playerList");
        QTest::newRow("a full reply")
            << "|gametype|Island Raid|numplayers|3|maxplayers|12|player_0|Ann|score_0|5|player_1|"
               "Bob|score_1|2|"
            << "Island Raid"
            << "3/10"
            << "Ann:5,Bob:2";
        QTest::newRow("maxplayers never delivered") << "|numplayers|3|maxplayers|12"
                                                    << " "
                                                    << "3/??"
                                                    << "";
        QTest::newRow("an empty player count") << "|numplayers||maxplayers|12|"
                                               << " "
                                               << "/10"
                                               << "";
        QTest::newRow("capacity below zero") << "|numplayers|4|maxplayers|1|"
                                             << " "
                                             << "4/-1"
                                             << "";
        QTest::newRow("capacity not a number, the rest still read")
            << "|numplayers|4|maxplayers|twelve|gametype|Desert|"
            << "Desert"
            << "4/??"
            << "";
        QTest::newRow("capacity of the smallest integer") << "|numplayers|4|maxplayers|-2147483648|"
                                                          << " "
                                                          << "4/-2147483650"
                                                          << "";
        QTest::newRow("empty capacity") << "|maxplayers||numplayers|4|"
                                        << " "
                                        << "4/??"
                                        << "";
        QTest::newRow("a later capacity wins") << "|maxplayers|x|numplayers|4|maxplayers|8|"
                                               << " "
                                               << "4/6"
                                               << "";
        QTest::newRow("a later capacity that is not a number")
            << "|maxplayers|12|numplayers|4|maxplayers|x|"
            << " "
            << "4/??"
            << "";
        QTest::newRow("no player count keeps the cell") << "|maxplayers|12|gametype||"
                                                        << ""
                                                        << " "
                                                        << "";
        QTest::newRow("a name that is a key") << "|player_0|player_x|score_0|4|"
                                              << " "
                                              << " "
                                              << "player_x:,score_0:4";
        QTest::newRow("a score before any player is dropped") << "|score_0|9|player_0|Ann|"
                                                              << " "
                                                              << " "
                                                              << "Ann:";
        QTest::newRow("a NUL after the player count")
            << "|numplayers|3|\\0|maxplayers|12|gametype|X|"
            << " "
            << "3/??"
            << "";
    }
    void applying() {
        QFETCH(QString, text);
        QFETCH(QString, mission);
        QFETCH(QString, playerCell);
        QFETCH(QString, playerList);
        std::string bytes = reply(text.toLatin1().constData());
        for (size_t at; (at = bytes.find("\\0")) != std::string::npos;) {
            bytes.replace(at, 2, 1, '\0');
        }
        OneServer server(1000);
        QCOMPARE(server.apply(bytes, 1042), std::vector<int>{0});
        QCOMPARE(server.row().cells.ping, std::string("42"));
        QCOMPARE(QString::fromStdString(server.row().cells.mission), mission);
        QCOMPARE(QString::fromStdString(server.row().cells.players), playerCell);
        QCOMPARE(players(server.row().status), playerList);
    }

    // A datagram received before the row's request went out (a late reply to an earlier pass)
    // leaves the row as the pass reset it.
    void pingAgainstTheSend_data() {
        QTest::addColumn<uint32_t>("sendTick");
        QTest::addColumn<uint32_t>("receiveTick");
        QTest::addColumn<QString>("ping"); // "??": the row was not answered
        QTest::newRow("after the send") << 1000u << 1042u << "42";
        QTest::newRow("in the send's millisecond") << 1000u << 1000u << "0";
        QTest::newRow("across the tick wrap") << 4294967290u << 10u << "16";
        QTest::newRow("before the send") << 1000u << 999u << "??";
        QTest::newRow("before the send, across the wrap") << 5u << 4294967290u << "??";
    }
    void pingAgainstTheSend() {
        QFETCH(uint32_t, sendTick);
        QFETCH(uint32_t, receiveTick);
        QFETCH(QString, ping);
        OneServer server(sendTick);
        const bool answered = ping != "??";
        QCOMPARE(server.apply(reply("|numplayers|1|player_0|Ann|"), receiveTick).size(),
                 size_t(answered ? 1 : 0));
        QCOMPARE(QString::fromStdString(server.row().cells.ping), ping);
        QCOMPARE(QString::fromStdString(server.row().cells.players), answered ? "1/??" : " ");
        QCOMPARE(server.row().status.playerCount, answered ? 1 : 0);
    }

    void replyOverTwoDatagrams() {
        OneServer server(1000);
        std::string first = "\\gametype\\Coast\\numplayers\\16\\maxplayers\\18\\";
        std::string second;
        for (int k = 0; k < 16; ++k) {
            std::string part = "player_" + std::to_string(k) + "\\P" + std::to_string(k) +
                               "\\score_" + std::to_string(k) + "\\" + std::to_string(k) + "\\";
            (k < 10 ? first : second) += part;
        }
        server.apply(first, 1005);
        server.apply(second, 1012);
        const ServerStatus& s = server.row().status;
        QCOMPARE(s.playerCount, 16);
        QCOMPARE(s.playerName(0), std::string("P0"));
        QCOMPARE(s.playerName(15), std::string("P15"));
        QCOMPARE(s.playerScore(15), std::string("15"));
        QCOMPARE(server.row().cells.ping, std::string("12"));
        // The second datagram has no count or mission: the first one's stay.
        QCOMPARE(server.row().cells.players, std::string("16/16"));
        QCOMPARE(server.row().cells.mission, std::string("Coast"));
    }

    void sameDatagramTwice() {
        OneServer server;
        std::string text = reply("|player_0|Ann|score_0|5|player_1|Bob|score_1|2|");
        server.apply(text);
        server.apply(text);
        QCOMPARE(players(server.row().status), QString("Ann:5,Bob:2,Ann:5,Bob:2"));
    }

    void resetByAPass() {
        OneServer server;
        server.apply(reply("|player_0|Ann|score_0|5|player_1|Bob|score_1|2|"));
        ServerStatus& s = server.row().status;
        s.resetPlayers();
        QCOMPARE(s.playerCount, 0);
        QCOMPARE(s.playerName(0), std::string("no players"));
        QCOMPARE(s.playerScore(0), std::string(""));
        server.apply(reply("|player_0|Cy|"));
        QCOMPARE(players(s), QString("Cy:"));
    }

    // A pass's player list stops at 1025 players or at the byte bound, whichever comes first;
    // the scores of the dropped names never land on the last player kept.
    void playerCapacity_data() {
        QTest::addColumn<int>("nameLength"); // 0: the names are N0, N1, ...
        QTest::addColumn<int>("kept");
        QTest::newRow("short names: 1025 players") << 0 << ServerStatus::playerCapacity;
        QTest::newRow("names of 1000 bytes: the byte bound") << 1000 << 32;
    }
    void playerCapacity() {
        QFETCH(int, nameLength);
        QFETCH(int, kept);
        auto name = [&](int k) {
            std::string n = "N" + std::to_string(k);
            return n + std::string(std::max<size_t>(n.size(), size_t(nameLength)) - n.size(), 'x');
        };
        OneServer server;
        std::string text;
        for (int k = 0; k < ServerStatus::playerCapacity + 5; ++k) {
            text += "\\player_\\" + name(k) + "\\score\\" + std::to_string(k);
        }
        server.apply(text + "\\");
        const ServerStatus& s = server.row().status;
        QCOMPARE(s.playerCount, kept);
        QCOMPARE(s.playerName(kept - 1), name(kept - 1));
        QCOMPARE(s.playerScore(kept - 1), std::to_string(kept - 1));
        QCOMPARE(s.playerName(kept), std::string(""));
    }

    // After the byte bound has dropped a long name, a later name that still fits is kept with
    // its own score, and the dropped name's score lands on no one.
    void afterADroppedName_data() {
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("last"); // the last player kept, name:score
        QTest::newRow("a short name and its score") << "|player_|Zed|score|7|"
                                                    << "Zed:7";
        QTest::newRow("only the dropped name's score") << "|"
                                                       << "N31:31";
    }
    void afterADroppedName() {
        QFETCH(QString, tail);
        QFETCH(QString, last);
        OneServer server;
        std::string text;
        for (int k = 0; k < 33; ++k) { // 32 names of 1000 bytes fit the bound, the 33rd not
            text += "\\player_\\N" + std::to_string(k) + std::string(998 - (k > 9), 'x') +
                    "\\score\\" + std::to_string(k);
        }
        server.apply(text + "\\score\\99" + reply(tail.toLatin1().constData()));
        const ServerStatus& s = server.row().status;
        const int n = s.playerCount;
        QCOMPARE(
            QString::fromStdString(s.playerName(n - 1).substr(0, 3) + ":" + s.playerScore(n - 1)),
            last);
    }

    void attribution_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("portText");
        QTest::addColumn<bool>("sockets");
        QTest::addColumn<QString>("fromIP");
        QTest::addColumn<int>("fromPort");
        QTest::addColumn<bool>("answered");
        QTest::newRow("sockets query port") << "10.0.0.5"
                                            << "2302" << true << "10.0.0.5" << 2303 << true;
        QTest::newRow("the game port") << "10.0.0.5"
                                       << "2302" << true << "10.0.0.5" << 2302 << false;
        QTest::newRow("directplay query port") << "10.0.0.5"
                                               << "2302" << false << "10.0.0.5" << 2304 << true;
        QTest::newRow("sockets port for directplay")
            << "10.0.0.5"
            << "2302" << false << "10.0.0.5" << 2303 << false;
        QTest::newRow("another sender") << "10.0.0.5"
                                        << "2302" << true << "10.0.0.6" << 2303 << false;
        QTest::newRow("leading zero") << "10.0.0.5"
                                      << "02302" << true << "10.0.0.5" << 2303 << false;
        QTest::newRow("leading space") << "10.0.0.5"
                                       << " 2302" << true << "10.0.0.5" << 2303 << false;
        QTest::newRow("unresolved host") << "0.0.0.0"
                                         << "2302" << true << "0.0.0.0" << 2303 << false;
        QTest::newRow("negative port text") << "10.0.0.5"
                                            << "-1" << true << "10.0.0.5" << 0 << true;
        QTest::newRow("port text not a number") << "10.0.0.5"
                                                << "abc" << true << "10.0.0.5" << 2303 << false;
    }
    void attribution() {
        QFETCH(QString, address);
        QFETCH(QString, portText);
        QFETCH(bool, sockets);
        QFETCH(QString, fromIP);
        QFETCH(int, fromPort);
        QFETCH(bool, answered);
        ServerTable servers;
        ServerEntry& e = servers.append();
        e.port = portText.toStdString();
        e.sockets = sockets;
        QueryRows rows;
        ServerStatus& s = rows[0].status;
        s.address = address.toStdString();
        QCOMPARE(answers(e, s, fromIP.toStdString(), fromPort), answered);
        // The rows looked up by sender are the rows that a look at every row finds.
        RowsBySender senders;
        senders.add(0, e, s);
        const std::vector<int> expected = answered ? std::vector<int>{0} : std::vector<int>{};
        QCOMPARE(ApplyReply(servers, rows, senders, fromIP.toStdString(), fromPort, "\\", 1),
                 expected);
        QCOMPARE(ApplyReply(servers, rows, fromIP.toStdString(), fromPort, "\\", 1), expected);
    }

    void everyMatchingRowIsUpdated_data() {
        QTest::addColumn<bool>("bySender");
        QTest::newRow("every row looked at") << false;
        QTest::newRow("rows looked up by sender") << true;
    }
    void everyMatchingRowIsUpdated() {
        QFETCH(bool, bySender);
        ServerTable servers;
        QueryRows rows;
        RowsBySender senders;
        // A DirectPlay row one port below shares the sockets rows' query port.
        for (auto [port, sockets] : {std::pair{"2302", true},
                                     {"2400", true},
                                     {"2302", true},
                                     {"2301", false},
                                     {"2302", true}}) {
            ServerEntry& e = servers.append();
            e.port = port;
            e.sockets = sockets;
            rows[servers.lastRow].status.address = "127.0.0.1";
            rows[servers.lastRow].status.resetPlayers();
            senders.add(servers.lastRow, e, rows[servers.lastRow].status);
        }
        servers.remove(servers.lastRow); // a row deleted after the pass is answered no more
        const std::string text = reply("|numplayers|2|player_0|A|");
        auto answered = bySender ? ApplyReply(servers, rows, senders, "127.0.0.1", 2303, text, 5)
                                 : ApplyReply(servers, rows, "127.0.0.1", 2303, text, 5);
        QCOMPARE(answered, (std::vector<int>{0, 2, 3}));
        QCOMPARE(rows[2].cells.players, std::string("2/??"));
        QCOMPARE(rows[2].status.playerCount, 1);
        QCOMPARE(rows[1].cells.players, std::string(" "));
        QCOMPARE(rows[1].status.playerCount, 0);
    }

    void ticks() {
        int64_t ns = (int64_t(1) << 32) * 1000000 + 5500000; // 2^32 ms and 5.5 ms
        setTickClock([&ns] { return ns; });
        QCOMPARE(GetTickCount(), 5u);
        QCOMPARE(tickAgo(2000000), 3u);
        ns = 3000000;
        QCOMPARE(tickAgo(3500000), 4294967295u); // half a millisecond before the clock's zero
        setTickClock({});
        uint32_t a = GetTickCount();
        QTest::qSleep(20);
        uint32_t b = GetTickCount();
        QVERIFY(b - a >= 19 && b - a < 1000);
    }
};

QTEST_GUILESS_MAIN(CoreProtocol)
#include "core_protocol.moc"
