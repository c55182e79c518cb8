// The "Local network" window searching a network of the test's own: run only inside a network
// namespace with lo and the veth pair vkr-lan0/vkr-lan1 (support/net_namespace.sh), so that no
// broadcast ever leaves the machine. Fake servers listen on all addresses there.
#include "app/TForm1.h"
#include "app/window.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/TFormLan.h"
#include "support/launcher_fixture.h"
#include "ui_TForm1.h"
#include "ui_TForm4.h"
#include "ui_TFormLan.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QProcess>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A server script that answers each request with one datagram of these tokens.
QJsonObject answering(const QStringList& tokens) {
    return QJsonObject{
        {"replies", QJsonArray{QJsonObject{{"tokens", QJsonArray::fromStringList(tokens)}}}}};
}

// tools/fake-server on fixed ports of every address of the namespace, recording what it gets.
class LanServers {
public:
    bool start(const QList<int>& ports, const QJsonArray& servers) {
        QFile script(dir.filePath("script.json"));
        if (!script.open(QIODevice::WriteOnly)) {
            return false;
        }
        script.write(QJsonDocument(QJsonObject{{"servers", servers}}).toJson());
        script.close();
        QStringList args{"--all",
                         "--lifetime",
                         "120000",
                         "--script",
                         script.fileName(),
                         "--record",
                         dir.filePath("record.txt")};
        for (int port : ports) {
            args << "--port" << QString::number(port);
        }
        process.start(VKR_BINARY_DIR "/tools/fake-server", args);
        return process.waitForStarted() && process.waitForReadyRead(10000) &&
               process.readLine().startsWith("ready");
    }
    ~LanServers() {
        process.kill();
        process.waitForFinished();
    }
    int requests() const {
        QFile f(dir.filePath("record.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : 0;
    }

private:
    QTemporaryDir dir;
    QProcess process;
};

const std::string kServersKey = "\\Software\\VKR Launcher2\\servers";

std::string serverRow(int id, const std::string& name, const std::string& ip,
                      const std::string& port) {
    return "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\" + std::to_string(id) +
           "]\n\"name\"=\"" + name + "\"\n\"ip\"=\"" + ip + "\"\n\"port\"=\"" + port +
           "\"\n\"pass\"=\"\"\n\"sockets\"=dword:00000001\n\"mods\"=\"\"\n\n";
}

bool setLinks(const char* state) {
    for (const char* link : {"vkr-lan0", "vkr-lan1"}) {
        if (QProcess::execute("ip", {"link", "set", link, state}) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

class LanTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

    TFormLan* form() { return vkr::forms().formLan; }
    Ui::TFormLan* ui() { return form()->ui(); }

    void waitForTheSearch() { QTRY_VERIFY_WITH_TIMEOUT(ui()->SearchButton->isEnabled(), 20000); }
    // The listed rows in the view's order, "A" standing for the address of the search's
    // network, and the ping checked to be a number.
    QStringList listed() {
        QStringList rows;
        const QAbstractItemModel* m = ui()->ServerView->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 5; ++c) {
                cells << m->index(r, c).data().toString();
            }
            bool number = false;
            cells[2].toInt(&number);
            if (!number) {
                return {"ping " + cells[2]};
            }
            cells.removeAt(2);
            rows << cells.join('|').replace(QRegularExpression("10\\.213\\.0\\.[12]"), "A");
        }
        return rows;
    }
    // The server table's rows, sorted.
    QStringList table() {
        QStringList rows;
        const vkr::ServerTable& servers = vkr::store().servers;
        for (int i = 0; i <= servers.lastRow; ++i) {
            const vkr::ServerEntry& e = servers[i];
            rows << QString::fromStdString(e.name + "|" + e.ip + ":" + e.port + "|" +
                                           (e.sockets ? "sockets" : "dplay") + "|" + e.pass + "|" +
                                           e.mods)
                        .replace(QRegularExpression("10\\.213\\.0\\.[12]"), "A");
        }
        rows.sort();
        return rows;
    }

private slots:
    void initTestCase() {
        // The search broadcasts: anywhere but a namespace holding only lo and the test's own
        // veth pair it would reach a real network.
        for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
            if (!QStringList{"lo", "vkr-lan0", "vkr-lan1"}.contains(nic.name())) {
                QSKIP(qPrintable("refusing to broadcast outside a network namespace of the "
                                 "test's own (interface " +
                                 nic.name() + "); run through support/net_namespace.sh"));
            }
        }
        QVERIFY(setLinks("up"));
        QCOMPARE(TFormLan::broadcastAddresses(), std::vector<std::string>{"10.213.0.255"});
    }
    void init() {
        QVERIFY(setLinks("up"));
        fx = std::make_unique<LauncherFixture>();
    }
    void cleanup() { fx.reset(); }

    // Servers on ports of the search and outside it; the list, then all of it added.
    void search_data() {
        QTest::addColumn<QList<int>>("ports");
        QTest::addColumn<QJsonArray>("servers");
        QTest::addColumn<QString>("tableBefore"); // registry rows already there
        QTest::addColumn<QStringList>("listed");  // name|address:port|players|mission
        QTest::addColumn<QString>("found");
        QTest::addColumn<QStringList>("tableAfter");
        QTest::addColumn<QString>("added");
        const QJsonObject home =
            answering({"hostname", "Home", "gametype", "Island Raid", "numplayers", "1",
                       "maxplayers", "12", "player_0", "Ann", "score_0", "3"});
        const QJsonObject nameless = answering({"numplayers", "0", "maxplayers", "10"});
        QTest::newRow("two servers, one without a name")
            << QList<int>{2303, 2312} << QJsonArray{home, nameless} << QString()
            << QStringList{"Home|A:2302|1/10|Island Raid", "A|A:2311|0/8| "} << "2 servers found."
            << QStringList{"Home|A:2302|sockets||", "A|A:2311|sockets||"}
            << "2 servers added to the favourites.";
        QTest::newRow("one in the table already")
            << QList<int>{2303, 2305} << QJsonArray{home, nameless}
            << QString::fromStdString(serverRow(1, "Old 1", "10.213.0.1", "2302") +
                                      serverRow(2, "Old 2", "10.213.0.2", "2302"))
            << QStringList{"Home|A:2302|1/10|Island Raid", "A|A:2304|0/8| "} << "2 servers found."
            << QStringList{"Old 1|A:2302|sockets||", "Old 2|A:2302|sockets||", "A|A:2304|sockets||"}
            << "1 server added to the favourites. 1 was there already.";
        QTest::newRow("ports outside the search")
            << QList<int>{2302, 2313, 2304} << QJsonArray{home, home, home} << QString()
            << QStringList{"Home|A:2303|1/10|Island Raid"} << "1 server found."
            << QStringList{"Home|A:2303|sockets||"} << "1 server added to the favourites.";
        QTest::newRow("no server")
            << QList<int>{2313} << QJsonArray{home} << QString() << QStringList{}
            << "No server answered." << QStringList{} << "Select the servers to add.";
    }
    void search() {
        QFETCH(QList<int>, ports);
        QFETCH(QJsonArray, servers);
        QFETCH(QString, tableBefore);
        QFETCH(QStringList, listed);
        QFETCH(QString, found);
        QFETCH(QStringList, tableAfter);
        QFETCH(QString, added);
        LanServers lan;
        QVERIFY(lan.start(ports, servers));
        fx->writeStandardRegistry(tableBefore.toStdString());
        fx->start();
        vkr::showForm(form());
        form()->Search();
        QVERIFY(!ui()->SearchButton->isEnabled());
        waitForTheSearch();
        QCOMPARE(ui()->Status->text(), found);
        ui()->ServerView->sortByColumn(1, Qt::AscendingOrder);
        QCOMPARE(this->listed(), listed);
        if (QTest::currentDataTag() == QByteArray("two servers, one without a name")) {
            QDir().mkpath("/tmp/shots");
            QVERIFY(form()->grab().save("/tmp/shots/local_network.png"));
        }

        ui()->ServerView->selectAll();
        QTest::mouseClick(ui()->AddButton, Qt::LeftButton);
        QCOMPARE(ui()->Status->text(), added);
        // Saved and reloaded, as the server editor saves: the rows come in the order of their
        // random ids. A fresh launcher reads the same.
        tableAfter.sort();
        QCOMPARE(table(), tableAfter);
        fx->stop();
        fx->start();
        QCOMPARE(table(), tableAfter);
    }

    // "Search again" asks anew, and the list is that of the new search.
    void searchAgain() {
        LanServers lan;
        QVERIFY(lan.start({2303}, {answering({"hostname", "Home"})}));
        fx->writeStandardRegistry();
        fx->start();
        vkr::showForm(form());
        form()->Search();
        waitForTheSearch();
        const int asked = lan.requests();
        QVERIFY(asked > 0);
        QTest::mouseClick(ui()->SearchButton, Qt::LeftButton);
        QCOMPARE(ui()->ServerView->model()->rowCount(), 0);
        waitForTheSearch();
        QVERIFY(lan.requests() > asked);
        QCOMPARE(listed(), QStringList{"Home|A:2302| | "});
    }

    // With no interface that can broadcast the window says so and nothing is sent.
    void noLocalNetwork() {
        LanServers lan;
        QVERIFY(lan.start({2303}, {answering({"hostname", "Home"})}));
        QVERIFY(setLinks("down"));
        fx->writeStandardRegistry();
        fx->start();
        vkr::showForm(form());
        form()->Search();
        QCOMPARE(ui()->Status->text(), QString("No local network found."));
        QVERIFY(ui()->SearchButton->isEnabled());
        QTest::qWait(300);
        QCOMPARE(lan.requests(), 0);
    }

    // The browser's "LAN..." opens the same window and search; the servers added there are
    // listed in the browser at once.
    void fromTheBrowser() {
        LanServers lan;
        QVERIFY(lan.start({2303}, {answering({"hostname", "Home"})}));
        fx->writeStandardRegistry(serverRow(1, "Old", "127.0.0.1", "2400"));
        fx->start();
        TForm4* browser = vkr::forms().form4;
        vkr::showForm(browser);
        QTest::mouseClick(browser->ui()->LanButton, Qt::LeftButton);
        QVERIFY(form()->isVisible());
        QVERIFY(!ui()->SearchButton->isEnabled());
        waitForTheSearch();
        QCOMPARE(listed(), QStringList{"Home|A:2302| | "});
        ui()->ServerView->selectAll();
        QTest::mouseClick(ui()->AddButton, Qt::LeftButton);
        const QAbstractItemModel* grid = browser->ui()->SGrid->model();
        QStringList names;
        for (int r = 0; r < grid->rowCount(); ++r) {
            names << grid->index(r, 0).data().toString();
        }
        names.sort();
        QCOMPARE(names, (QStringList{"Home", "Old"}));
    }

    // The main window with an empty server table offers the search.
    void emptyTableOffersTheSearch_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void emptyTableOffersTheSearch() {
        QFETCH(bool, yes);
        LanServers lan;
        QVERIFY(lan.start({2303}, {answering({"hostname", "Home"})}));
        fx->writeStandardRegistry();
        fx->start();
        TForm1* main = vkr::forms().form1;
        main->show();
        fx->prompts.confirmAnswers = {yes};
        QTest::mouseClick(main->ui()->BitBtn5, Qt::LeftButton);
        QCOMPARE(fx->prompts.texts(ScriptedPrompts::Shown::Confirm),
                 std::vector<std::string>{"No server entries found. Search the local network?"});
        QCOMPARE(form()->isVisible(), yes);
        if (yes) {
            waitForTheSearch();
            QCOMPARE(listed(), QStringList{"Home|A:2302| | "});
        } else {
            QTest::qWait(300);
            QCOMPARE(lan.requests(), 0);
        }
    }
};

QTEST_MAIN(LanTest)
#include "netns_lan.moc"
