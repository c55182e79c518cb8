// The lists of servers kept and shared: the history of servers played on, and the list files
// imported and exported.
#include "status/play_history.h"
#include "status/server_list.h"

#include <QTest>

#include <string>
#include <vector>

using namespace vkr;

namespace {

ServerEntry server(const std::string& ip, const std::string& port, const std::string& name = "S") {
    ServerEntry e;
    e.ip = ip;
    e.port = port;
    e.name = name;
    return e;
}

std::vector<std::string> lines(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& line : list) {
        out.push_back(line.toStdString());
    }
    return out;
}

// "10.0.0.<i>:2302|S<i>|T<i>" for i in [first, last).
QStringList played(int first, int last) {
    QStringList list;
    for (int i = first; i < last; ++i) {
        list << QString("10.0.0.%1:2302|S%1|T%1").arg(i);
    }
    return list;
}

} // namespace

class ServerListsTest : public QObject {
    Q_OBJECT

private slots:
    // A start on a server puts its line first, once per address (the host in any case, the
    // port as a number), and the history keeps the newest 100; lines it cannot read stay.
    void recordPlayed_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first start") << QStringList{} << "h.example"
                                     << "2302" << QStringList{"h.example:2302|S|T"};
        QTest::newRow("played again: moves first")
            << QStringList{"b:2302|B|1", "h.example:2302|S|0"} << "h.example"
            << "2302" << QStringList{"h.example:2302|S|T", "b:2302|B|1"};
        QTest::newRow("same server, other case and port text")
            << QStringList{"H.Example:2302|Old|0", "x|y"} << "h.example"
            << "02302" << QStringList{"h.example:02302|S|T", "x|y"};
        QTest::newRow("other port: another server")
            << QStringList{"h.example:2402|S|0"} << "h.example"
            << "2302" << QStringList{"h.example:2302|S|T", "h.example:2402|S|0"};
        QTest::newRow("100 kept") << played(0, 100) << "h.example"
                                  << "2302" << QStringList{"h.example:2302|S|T"} + played(0, 99);
    }
    void recordPlayed() {
        QFETCH(QStringList, before);
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QStringList, after);
        std::vector<std::string> history = lines(before);
        const ServerEntry e = server(host.toStdString(), port.toStdString());
        vkr::recordPlayed(history, e, "T");
        QCOMPARE(history, lines(after));
        QCOMPARE(lastPlayed(history, e), std::optional<std::string>("T"));
        QCOMPARE(PlayHistory(history).find(server("H.EXAMPLE", "2302"))->rank, 0);
    }

    // A list file's servers are added through the typed-address reader, the port read as the
    // query port; whatever the file holds, each line is added, found listed, refused for a full
    // table or counted as not understood.
    void importList_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("already");
        QTest::addColumn<QString>("report");
        QTest::newRow("comments, blanks, a type, CRLF, no port")
            << QByteArray("# shared list\r\n\r\n10.0.0.1:2303\r\n  gps 10.0.0.2:2403 \r\n"
                          "h.example\r\n#10.0.0.9:2303")
            << 3 << 0 << "3 added, 0 already listed, 0 lines not understood";
        QTest::newRow("twice in the file, and in the table")
            << QByteArray("10.0.0.7:2303\n10.0.0.1:2303\nGPS 10.0.0.1:2303\n10.0.0.7:2303\n") << 1
            << 3 << "1 added, 3 already listed, 0 lines not understood";
        static const char odd[] = "10.0.0.1:2303\ncaf\xe9.example:2303\n# caf\xe9\nbad\0host:2303\n"
                                  "10.0.0.2:1\n10.0.0.3:70000\ngps 10.0.0.4:2303 x\nq/3 10.0.0.5\n"
                                  "10.0.0.6:2303";
        QTest::newRow("Latin-1, a NUL, bad ports and words")
            << QByteArray(odd, sizeof odd - 1) << 2 << 0
            << "2 added, 0 already listed, 6 lines not understood (first: line 2: A host has "
               "only letters, digits, dots, hyphens and underscores.)";
    }
    void importList() {
        QFETCH(QByteArray, file);
        QFETCH(int, added);
        QFETCH(int, already);
        QFETCH(QString, report);
        ServerTable table;
        int32_t next = 1;
        const IdSource draw = [&] { return next++; };
        table.append() = server("10.0.0.7", "2302");
        const ServerListImport done =
            importServerList(table, std::string_view(file.constData(), file.size()), draw);
        QCOMPARE(done.added, added);
        QCOMPARE(done.already, already);
        QCOMPARE(QString::fromStdString(done.report()), report);
        QCOMPARE(table.count(), 1 + added);
        if (added > 0) {
            QCOMPARE(table[1].ip + ":" + table[1].port, std::string("10.0.0.1:2302"));
        }
    }

    // 10,000 lines, each address twice: the table takes 1,025 rows and says why it took no more.
    void importIntoFullTable() {
        std::string file;
        for (int i = 0; i < 10000; ++i) {
            file += "10." + std::to_string(i % 5000 / 250) + "." + std::to_string(i % 250) +
                    ".1:2303\n";
        }
        ServerTable table;
        int32_t next = 1;
        const ServerListImport done = importServerList(table, file, [&] { return next++; });
        QCOMPARE(table.count(), ServerTable::capacity);
        QCOMPARE(QString::fromStdString(done.report()),
                 QString("1025 added, 1025 already listed, 0 lines not understood\n7950 not "
                         "added: ") +
                     QString::fromStdString(tableFullMessage("servers")));
    }

    // An exported table reads back as the same servers; a row without a game port is left out.
    void exportReadsBack() {
        ServerTable table;
        table.append() = server("10.0.0.1", "2302", "One\nTwo");
        table.append() = server("h.example", "abc");
        table.append() = server("h.example", "65534");
        const ServerListExport out = writeServerList(table);
        QCOMPARE(out.written, 2);
        QCOMPARE(out.leftOut, 1);
        QCOMPARE(readServerList(out.text).addresses,
                 (std::vector<std::string>{"10.0.0.1:2302", "h.example:65534"}));
        QCOMPARE(readServerList(out.text).notUnderstood, 0);
    }
};

QTEST_APPLESS_MAIN(ServerListsTest)
#include "core_server_lists.moc"
