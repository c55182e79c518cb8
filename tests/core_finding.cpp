// Finding servers and friends: the typed address, the friend comparison, adding found servers
// to the table and the list of a local network search.
#include "settings/editing.h"
#include "settings/settings.h"
#include "status/friends.h"
#include "status/lan_search.h"
#include "status/typed_address.h"

#include <QtTest>

#include <algorithm>
#include <set>

using namespace vkr;

namespace {

std::vector<std::string> strings(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list) {
        out.push_back(s.toStdString());
    }
    return out;
}

// A reply written with '|' for each backslash.
std::string reply(const char* text) {
    std::string r(text);
    std::replace(r.begin(), r.end(), '|', '\\');
    return r;
}

} // namespace

class FindingTest : public QObject {
    Q_OBJECT

private slots:
    void typedAddress_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result"); // "host|port", or the message
        QTest::newRow("dotted, no port") << "10.0.0.5"
                                         << "10.0.0.5|2302";
        QTest::newRow("dotted with port") << "10.0.0.5:2402"
                                          << "10.0.0.5|2402";
        QTest::newRow("name with port") << "game.example.org:2310"
                                        << "game.example.org|2310";
        QTest::newRow("spaces around") << "  host-1:2302\t"
                                       << "host-1|2302";
        QTest::newRow("lowest port") << "h:1"
                                     << "h|1";
        QTest::newRow("highest port") << "h:65535"
                                      << "h|65535";
        QTest::newRow("leading zeros") << "h:02302"
                                       << "h|2302";
        const char* range = "The port must be a number from 1 to 65535.";
        QTest::newRow("port 0") << "h:0" << range;
        QTest::newRow("port 65536") << "h:65536" << range;
        QTest::newRow("port far too big") << "h:99999999999999999999" << range;
        QTest::newRow("signed port") << "h:+2302" << range;
        QTest::newRow("port with letters") << "h:23a" << range;
        QTest::newRow("no port after colon") << "h:"
                                             << "The port is missing after the colon.";
        QTest::newRow("empty") << ""
                               << "Type a host name or address, with :port when it is not 2302.";
        QTest::newRow("only spaces")
            << "   "
            << "Type a host name or address, with :port when it is not 2302.";
        QTest::newRow("no host") << ":2302"
                                 << "The host is missing before the colon.";
        QTest::newRow("space inside") << "10.0.0.5 :2302"
                                      << "An address has no spaces.";
        QTest::newRow("space in the name") << "my host"
                                           << "An address has no spaces.";
        QTest::newRow("two colons") << "h:2302:2303"
                                    << "Only one colon, between host and port.";
        QTest::newRow("IPv6") << "::1"
                              << "Only one colon, between host and port.";
        QTest::newRow("semicolon")
            << "10.0.0.5;2302"
            << "A host has only letters, digits, dots, hyphens and underscores.";
        QTest::newRow("too long") << QString(128, 'a') << "The host is longer than 127 characters.";
        QTest::newRow("longest") << QString(127, 'a') + ":7" << QString(127, 'a') + "|7";
    }
    void typedAddress() {
        QFETCH(QString, text);
        QFETCH(QString, result);
        const TypedAddress a = parseTypedAddress(text.toStdString());
        const QString got = a.error.empty()
                                ? QString::fromStdString(a.host) + "|" + QString::number(a.port)
                                : QString::fromStdString(a.error);
        QCOMPARE(got, result);
    }

    // Names as the server sends them (bytes, one character each) against friends as typed.
    void friendsAmongPlayers_data() {
        QTest::addColumn<QStringList>("friends");
        QTest::addColumn<QByteArrayList>("sent");
        QTest::addColumn<QByteArrayList>("marked");
        QTest::newRow("exact") << QStringList{"Ann", "Bob"} << QByteArrayList{"Ann", "Carl", "Bob"}
                               << QByteArrayList{"Ann", "Bob"};
        QTest::newRow("case and spaces")
            << QStringList{" ann ", "BOB"} << QByteArrayList{"ANN", "  bob\t", "Anne"}
            << QByteArrayList{"ANN", "  bob\t"};
        QTest::newRow("inner spaces count")
            << QStringList{"Ann Lee"} << QByteArrayList{"Ann  Lee", "annlee", "ann lee"}
            << QByteArrayList{"ann lee"};
        QTest::newRow("Latin-1 letters in either case")
            << QStringList{QString::fromUtf8("Jöran")} << QByteArrayList{"J\xd6RAN", "JORAN"}
            << QByteArrayList{"J\xd6RAN"};
        QTest::newRow("a name beyond Latin-1 matches no bytes")
            << QStringList{QString::fromUtf8("Ж")} << QByteArrayList{"\xd0\x96", "\xc6"}
            << QByteArrayList{};
        QTest::newRow("prefix is not the name")
            << QStringList{"Ann"} << QByteArrayList{"Ann2", "An"} << QByteArrayList{};
        QTest::newRow("empty friend names nobody")
            << QStringList{"", "  "} << QByteArrayList{"", " "} << QByteArrayList{};
        QTest::newRow("no friends") << QStringList{} << QByteArrayList{"Ann"} << QByteArrayList{};
    }
    void friendsAmongPlayers() {
        QFETCH(QStringList, friends);
        QFETCH(QByteArrayList, sent);
        QFETCH(QByteArrayList, marked);
        ServerStatus status;
        status.resetPlayers();
        for (const QByteArray& name : sent) {
            status.addPlayer(name.toStdString());
        }
        QByteArrayList got;
        for (const std::string& name : FriendSet(strings(friends)).friendsIn(status)) {
            got << QByteArray::fromStdString(name);
        }
        QCOMPARE(got, marked);
        for (const QByteArray& name : sent) {
            QCOMPARE(isFriend(strings(friends), name.toStdString()), marked.contains(name));
        }
    }

    void editingFriends_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("added");   // empty: none
        QTest::addColumn<QString>("removed"); // empty: none
        QTest::addColumn<QStringList>("after");
        QTest::newRow("add, kept trimmed") << QStringList{"Ann"} << "  Bob "
                                           << "" << QStringList{"Ann", "Bob"};
        QTest::newRow("add a friend again in other case") << QStringList{"Ann"} << "ANN"
                                                          << "" << QStringList{"Ann"};
        QTest::newRow("add only spaces") << QStringList{"Ann"} << "   "
                                         << "" << QStringList{"Ann"};
        QTest::newRow("remove in other case") << QStringList{"Ann", "Bob"} << ""
                                              << " ann" << QStringList{"Bob"};
        QTest::newRow("remove one not there") << QStringList{"Ann"} << ""
                                              << "Bo" << QStringList{"Ann"};
        QTest::newRow("remove takes every spelling") << QStringList{"Ann", "Bob", "ANN "} << ""
                                                     << "ann" << QStringList{"Bob"};
    }
    void editingFriends() {
        QFETCH(QStringList, before);
        QFETCH(QString, added);
        QFETCH(QString, removed);
        QFETCH(QStringList, after);
        std::vector<std::string> friends = strings(before);
        if (!added.isEmpty()) {
            QCOMPARE(addFriend(friends, added.toStdString()), before.size() != after.size());
        }
        if (!removed.isEmpty()) {
            QCOMPARE(removeFriend(friends, removed.toStdString()), before.size() != after.size());
        }
        QCOMPARE(friends, strings(after));
    }

    void friendsTooltipText() {
        QCOMPARE(friendsTooltip({"Ann", "Bob"}), std::string("Friends: Ann, Bob"));
        // Names as sent (Latin-1), the tooltip in UTF-8.
        QCOMPARE(friendsTooltip({"J\xf6rg"}), std::string("Friends: J\xc3\xb6rg"));
    }

    // A typed address added to a table holding 10.0.0.5:2302 and game.example:2310.
    void typedServer_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");        // -1: none
        QTest::addColumn<QString>("result"); // the added row name|ip|port, or the message
        QTest::newRow("new, default port") << "10.0.0.6" << 2 << "10.0.0.6|10.0.0.6|2302";
        QTest::newRow("new name") << "other.example:2400" << 2
                                  << "other.example|other.example|2400";
        QTest::newRow("there already") << "10.0.0.5" << 0 << "";
        QTest::newRow("there already, other case") << " GAME.example:2310 " << 1 << "";
        QTest::newRow("same host, other port") << "10.0.0.5:2303" << 2 << "10.0.0.5|10.0.0.5|2303";
        QTest::newRow("bad input") << "10.0.0.5:" << -1 << "The port is missing after the colon.";
    }
    void typedServer() {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(QString, result);
        ServerTable servers;
        servers.append() = {7, "Home", "10.0.0.5", "2302", "pw", false, "@a;"};
        servers.append() = {8, "Game", "game.example", "2310", "", true, ""};
        int32_t next = 7;
        const TypedServer t = addTypedServer(servers, text.toStdString(), [&] { return next++; });
        QCOMPARE(t.row, row);
        QCOMPARE(t.added, row == 2);
        QCOMPARE(servers.count(), row == 2 ? 3 : 2);
        if (t.added) {
            const ServerEntry& e = servers[2];
            QCOMPARE(QString::fromStdString(e.name + "|" + e.ip + "|" + e.port), result);
            QVERIFY(e.sockets && e.pass.empty() && e.mods.empty());
            QCOMPARE(e.id, 9); // 7 and 8 are taken
        } else {
            QCOMPARE(QString::fromStdString(t.error), result);
        }
    }

    // A server added as "h" and the name it has at its first replies.
    void provisionalName_data() {
        QTest::addColumn<QString>("nameAtReply");   // the row's name when the reply comes
        QTest::addColumn<QStringList>("hostnames"); // per reply; "-" for none
        QTest::addColumn<QStringList>("renames");   // per reply; "" for none
        QTest::newRow("renamed at the first reply")
            << "h" << QStringList{"Home", "Other"} << QStringList{"Home", ""};
        QTest::newRow("renamed by the user") << "Mine" << QStringList{"Home"} << QStringList{""};
        QTest::newRow("first reply without a hostname")
            << "h" << QStringList{"-", "Home"} << QStringList{"", ""};
        QTest::newRow("empty hostname") << "h" << QStringList{""} << QStringList{""};
        QTest::newRow("Latin-1 hostname")
            << "h" << QStringList{"J\u00f6rg's Raid"} << QStringList{"J\u00f6rg's Raid"};
    }
    void provisionalName() {
        QFETCH(QString, nameAtReply);
        QFETCH(QStringList, hostnames);
        QFETCH(QStringList, renames);
        ProvisionalNames names;
        names.add(5, "h");
        ServerEntry e{5, nameAtReply.toStdString(), "h", "2302", "", true, ""};
        const ServerEntry other{6, "h", "h", "2302", "", true, ""};
        QCOMPARE(names.atReply(other, std::string("X")), std::nullopt); // never added so
        QStringList got;
        for (const QString& h : hostnames) {
            const auto rename = names.atReply(
                e, h == "-" ? std::nullopt : std::optional(h.toLatin1().toStdString()));
            got << QString::fromStdString(rename.value_or(""));
        }
        QCOMPARE(got, renames);
    }

    // Polls of a watched server, each a list of datagrams of player names, and the friends
    // (Ann, Bob) whose arrival each poll alerts on.
    void friendJoins_data() {
        QTest::addColumn<QStringList>(
            "polls"); // datagrams joined by ';', names by ','; "-" no reply
        QTest::addColumn<QStringList>("alerts"); // per poll, names joined by ','
        QTest::newRow("there at the first poll: no alert")
            << QStringList{"Ann,Carl", "Ann,Carl"} << QStringList{"", ""};
        QTest::newRow("joins at the second poll")
            << QStringList{"Carl", "Carl, ANN "} << QStringList{"", " ANN "};
        QTest::newRow("leaves and comes back")
            << QStringList{"Ann", "Carl", "ann"} << QStringList{"", "", "ann"};
        QTest::newRow("once per poll over datagrams")
            << QStringList{"Carl", "Ann;Ann,Bob"} << QStringList{"", "Ann;Bob"};
        QTest::newRow("an unanswered poll between")
            << QStringList{"Ann", "-", "Ann,Bob"} << QStringList{"", "", "Bob"};
        QTest::newRow("not a friend") << QStringList{"", "Carl"} << QStringList{"", ""};
    }
    void friendJoins() {
        QFETCH(QStringList, polls);
        QFETCH(QStringList, alerts);
        const FriendSet friends({"Ann", "Bob"});
        FriendWatch watch;
        QStringList got;
        for (const QString& poll : polls) {
            watch.startPoll();
            QStringList perDatagram;
            for (const QString& datagram : poll == "-" ? QStringList{} : poll.split(';')) {
                const std::vector<std::string> joined =
                    watch.joined(friends, strings(datagram.split(',', Qt::SkipEmptyParts)));
                QStringList names;
                for (const std::string& n : joined) {
                    names << QString::fromStdString(n);
                }
                if (!names.isEmpty()) {
                    perDatagram << names.join(',');
                }
            }
            got << perDatagram.join(';');
        }
        QCOMPARE(got, alerts);
    }

    // Found servers go into the table unless a row has their host and game port already.
    void addingFoundServers_data() {
        QTest::addColumn<QStringList>("table"); // host:port of each row
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("skipped");
        QTest::newRow("into an empty table")
            << QStringList{} << QStringList{"10.0.0.5:2302", "10.0.0.6:2304"}
            << QStringList{"10.0.0.5:2302", "10.0.0.6:2304"} << 0;
        QTest::newRow("same address and port skipped")
            << QStringList{"10.0.0.5:2302"} << QStringList{"10.0.0.5:2302", "10.0.0.5:2304"}
            << QStringList{"10.0.0.5:2302", "10.0.0.5:2304"} << 1;
        QTest::newRow("port text read as a number")
            << QStringList{"10.0.0.5: 2302"} << QStringList{"10.0.0.5:2302"}
            << QStringList{"10.0.0.5: 2302"} << 1;
        QTest::newRow("host in other case")
            << QStringList{"Game.Example:2302"} << QStringList{"game.example:2302"}
            << QStringList{"Game.Example:2302"} << 1;
        QTest::newRow("twice in one add")
            << QStringList{} << QStringList{"10.0.0.5:2302", "10.0.0.5:2302"}
            << QStringList{"10.0.0.5:2302"} << 1;
        QTest::newRow("other host, same port")
            << QStringList{"10.0.0.5:2302"} << QStringList{"10.0.0.50:2302"}
            << QStringList{"10.0.0.5:2302", "10.0.0.50:2302"} << 0;
    }
    void addingFoundServers() {
        QFETCH(QStringList, table);
        QFETCH(QStringList, found);
        QFETCH(QStringList, after);
        QFETCH(int, skipped);
        ServerTable servers;
        int32_t next = 0;
        const IdSource draw = [&] { return next++ % 3; }; // ids collide: each is drawn anew
        for (const QString& row : table) {
            ServerEntry& e = servers.append();
            e.id = drawNewId(servers, draw);
            e.ip = row.section(':', 0, 0).toStdString();
            e.port = row.section(':', 1).toStdString();
        }
        std::vector<ServerEntry> entries;
        for (const QString& f : found) {
            entries.push_back({0, "n", f.section(':', 0, 0).toStdString(),
                               f.section(':', 1).toStdString(), "", true, ""});
        }
        const AddedServers result = addServers(servers, entries, draw);
        QStringList got;
        std::set<int32_t> ids;
        for (int i = 0; i <= servers.lastRow; ++i) {
            got << QString::fromStdString(servers[i].ip + ":" + servers[i].port);
            ids.insert(servers[i].id);
        }
        QCOMPARE(got, after);
        QCOMPARE(result.skipped, skipped);
        QCOMPARE(static_cast<int>(result.added.size()), after.size() - table.size());
        QCOMPARE(static_cast<int>(ids.size()), after.size()); // no two rows share an id
    }

    void addingToAFullTable() {
        ServerTable servers;
        int32_t next = 0;
        const IdSource draw = [&] { return next++; };
        while (!servers.full()) {
            ServerEntry& e = servers.append();
            e.id = draw();
            e.ip = "10.1.0." + std::to_string(servers.lastRow);
            e.port = "2302";
        }
        const AddedServers result = addServers(servers,
                                               {{0, "a", "10.1.0.0", "2302", "", true, ""},
                                                {0, "b", "10.9.9.9", "2302", "", true, ""}},
                                               draw);
        QCOMPARE(result.skipped, 1);
        QCOMPARE(result.refused, 1);
        QVERIFY(result.added.empty());
        QCOMPARE(servers.count(), ServerTable::capacity);
    }

    // Datagrams of one search (sent at tick 1000) and what the list shows afterwards.
    void lanList_data() {
        QTest::addColumn<QStringList>("datagrams"); // "address port tick reply"
        QTest::addColumn<QStringList>("listed");    // name|address:gameport|ping|players|mission
        QTest::newRow("name, else the address")
            << QStringList{"10.0.0.7 2303 1012 |hostname|Home|gametype|Raid|numplayers|2|"
                           "maxplayers|12|",
                           "10.0.0.8 2305 1020 |numplayers|0|maxplayers|10|"}
            << QStringList{"Home|10.0.0.7:2302|12|2/10|Raid", "10.0.0.8|10.0.0.8:2304|20|0/8| "};
        QTest::newRow("a server listed once, its later datagram applied")
            << QStringList{"10.0.0.7 2303 1010 |hostname|A|numplayers|1|maxplayers|4|",
                           "10.0.0.7 2303 1030 |gametype|Later|"}
            << QStringList{"A|10.0.0.7:2302|30|1/2|Later"};
        QTest::newRow("same address, two ports")
            << QStringList{"10.0.0.7 2303 1010 |hostname|A|", "10.0.0.7 2312 1010 |hostname|B|"}
            << QStringList{"A|10.0.0.7:2302|10| | ", "B|10.0.0.7:2311|10| | "};
        QTest::newRow("ports outside the search")
            << QStringList{"10.0.0.7 2302 1010 |hostname|A|", "10.0.0.7 2313 1010 |hostname|B|",
                           "10.0.0.7 2304 1010 |hostname|C|"}
            << QStringList{"C|10.0.0.7:2303|10| | "};
        QTest::newRow("after two seconds")
            << QStringList{"10.0.0.7 2303 3000 |hostname|A|", "10.0.0.8 2303 3001 |hostname|B|",
                           "10.0.0.9 2303 999 |hostname|C|"}
            << QStringList{"A|10.0.0.7:2302|2000| | "};
        QTest::newRow("empty hostname") << QStringList{"10.0.0.7 2303 1001 |hostname||"}
                                        << QStringList{"10.0.0.7|10.0.0.7:2302|1| | "};
        QTest::newRow("Latin-1 hostname")
            << QStringList{"10.0.0.7 2303 1001 |hostname|J\u00f6rg's_Raid|"}
            << QStringList{"J\u00f6rg's_Raid|10.0.0.7:2302|1| | "};
    }
    void lanList() {
        QFETCH(QStringList, datagrams);
        QFETCH(QStringList, listed);
        LanList list;
        list.start(1000);
        for (const QString& d : datagrams) {
            const QStringList parts = d.split(' ');
            list.apply(parts[0].toStdString(), parts[1].toInt(),
                       reply(parts[3].toLatin1().constData()), parts[2].toUInt());
        }
        QStringList got;
        for (int i = 0; i < list.count(); ++i) {
            const LanServer& s = list[i];
            const ServerEntry e = s.entry();
            got << QString::fromStdString(e.name + "|" + e.ip + ":" + e.port + "|" +
                                          s.row.cells.ping + "|" + s.row.cells.players + "|" +
                                          s.row.cells.mission);
            QVERIFY(e.sockets && e.pass.empty() && e.mods.empty());
        }
        QCOMPARE(got, listed);
    }
};

QTEST_APPLESS_MAIN(FindingTest)
#include "core_finding.moc"
