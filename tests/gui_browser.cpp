// The server browser, offscreen, over real UDP against tools/fake-server on 127.0.0.1: passes,
// replies, players, Join through the fake game, the hand-over to the watcher.
#include "app/TForm1.h"
#include "app/window.h"
#include "net/TNMUDP.h"
#include "net/address.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"
#include "support/fake_server.h"
#include "support/launcher_fixture.h"
#include "ui_TForm4.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QSemaphore>
#include <QStatusBar>
#include <QThread>
#include <QUdpSocket>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

struct Server {
    Server(std::string name, std::string ip, std::string port, bool sockets = true,
           std::string pass = {}, std::string mods = {})
        : name(std::move(name)), ip(std::move(ip)), port(std::move(port)), sockets(sockets),
          pass(std::move(pass)), mods(std::move(mods)) {}
    std::string name, ip, port;
    bool sockets;
    std::string pass, mods;
};

std::string serverSection(int id, const Server& s) {
    return "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\" + std::to_string(id) +
           "]\n\"name\"=\"" + s.name + "\"\n\"ip\"=\"" + s.ip + "\"\n\"port\"=\"" + s.port +
           "\"\n\"pass\"=\"" + s.pass + "\"\n\"sockets\"=dword:0000000" + (s.sockets ? "1" : "0") +
           "\n\"mods\"=\"" + s.mods + "\"\n\n";
}

// The game port of a sockets server whose query port is the fake server's.
std::string gamePort(int queryPort) {
    return std::to_string(queryPort - 1);
}

QJsonObject tokens(const QStringList& list) {
    return QJsonObject{{"tokens", QJsonArray::fromStringList(list)}};
}

const QStringList islandRaid{"gametype", "Island Raid", "numplayers", "3",       "maxplayers",
                             "12",       "player_0",    "Ann",        "score_0", "5",
                             "player_1", "Bob",         "score_1",    "2"};

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;
    QStringList statuses;
    QString startDir;

    TForm4* form() { return vkr::forms().form4; }
    Ui::TForm4* ui() { return form()->ui(); }
    QString cell(int row, int column) {
        QTableWidgetItem* item = ui()->SGrid->item(row, column);
        return item ? item->text() : QString("<none>");
    }
    QStringList rowCells(int row) {
        return {cell(row, 0), cell(row, 1), cell(row, 2), cell(row, 3), cell(row, 4)};
    }
    QStringList players() {
        QStringList list;
        for (int j = 0; j < ui()->PlrGrid->rowCount(); ++j) {
            list << ui()->PlrGrid->item(j, 0)->text() + " " + ui()->PlrGrid->item(j, 1)->text();
        }
        return list;
    }
    void clickRow(int row) {
        QRect r = ui()->SGrid->visualItemRect(ui()->SGrid->item(row, 0));
        QTest::mouseClick(ui()->SGrid->viewport(), Qt::LeftButton, {}, r.center());
    }
    bool activate(QWidget* w) {
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    }

    // The launcher with these servers, the browser opened from the main window as the user
    // does; returns when its first pass is done.
    void openBrowser(const std::vector<Server>& servers) {
        std::string sections;
        for (size_t i = 0; i < servers.size(); ++i) {
            sections += serverSection(static_cast<int>(i + 1), servers[i]);
        }
        fx->writeStandardRegistry(sections);
        fx->start();
        QObject::connect(ui()->StatusBar1, &QStatusBar::messageChanged,
                         [this](const QString& text) { statuses << text; });
        vkr::forms().form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(vkr::forms().form1));
        vkr::forms().form1->BitBtn5Click();
        QVERIFY(QTest::qWaitForWindowActive(form()));
        QTRY_VERIFY(statuses.contains("Query done..."));
    }
    // The browser with one server row per socket, each socket its query port.
    void openOnSockets(QUdpSocket (&sockets)[2]) {
        std::vector<Server> servers;
        for (QUdpSocket& s : sockets) {
            QVERIFY(s.bind(QHostAddress::LocalHost, 0));
            servers.emplace_back("S", "127.0.0.1", gamePort(s.localPort()));
        }
        openBrowser(servers);
    }
    void waitForRefresh() { QTRY_VERIFY(ui()->BitBtn2->isEnabled()); }
    // The status bar's second panel.
    QString progress() { return ui()->StatusBar1->findChild<QLabel*>("Progress")->text(); }
    // The fake game in place of the game executable, which records its arguments.
    QString installFakeGame() {
        const QString exe = QString::fromStdString(fx->executablePath());
        QFile::remove(exe);
        if (!QFile::copy(QString(VKR_BINARY_DIR) + "/tools/fake-game", exe) ||
            !QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner)) {
            qWarning("the fake game could not be installed");
        }
        return exe;
    }
    // The arguments of the fake game's first launch; empty when it did not start in time.
    QStringList launchedWith() {
        QFile record(QString::fromStdString(fx->gameFolder()) + "/launch-record.json");
        if (!QTest::qWaitFor([&] { return record.exists() && record.size() > 0; }, 10000) ||
            !record.open(QIODevice::ReadOnly)) {
            return {};
        }
        QJsonObject o = QJsonDocument::fromJson(record.readAll().split('\n').first()).object();
        return o["argv"].toVariant().toStringList();
    }

private slots:
    void initTestCase() {
        startDir = QDir::currentPath();
        QDir().mkpath("/tmp/shots");
    }
    void init() {
        statuses.clear();
        fx = std::make_unique<LauncherFixture>();
    }
    void cleanup() {
        vkr::setHostLookup({});
        fx.reset();
        QDir::setCurrent(startDir); // a launch moves into the game folder
    }

    void firstShowing() {
        FakeServer fake;
        QVERIFY(fake.start(2));
        QElapsedTimer sinceOpening;
        sinceOpening.start();
        openBrowser({{"One", "127.0.0.1", gamePort(fake.ports[0])},
                     {"Two", "127.0.0.1", gamePort(fake.ports[1])}});
        QElapsedTimer sinceDone;
        sinceDone.start();
        QCOMPARE(statuses.mid(0, 2), (QStringList{"Querying servers...", "Query done..."}));
        QVERIFY(!ui()->BitBtn2->isEnabled());
        QStringList header;
        for (int c = 0; c < 5; ++c) {
            header << ui()->SGrid->horizontalHeaderItem(c)->text();
        }
        QCOMPARE(header, (QStringList{"Server Name", "Hostname/IP", "Ping", "Players", "Mission"}));
        QCOMPARE(ui()->SGrid->rowCount(), 2);
        waitForRefresh();
        QVERIFY(sinceDone.elapsed() >= 400);
        QTRY_COMPARE(cell(1, 3), QString("2/10"));
        QCOMPARE(cell(0, 0), QString("One"));
        QCOMPARE(cell(1, 1), QString("127.0.0.1:%1").arg(fake.ports[1] - 1));
        QCOMPARE(cell(0, 4), QString("Island Raid"));
        // A ping is a number of milliseconds within the time the window has been open.
        bool number = false;
        const qint64 ping = cell(0, 2).toLongLong(&number);
        QVERIFY2(number && ping >= 0 && ping <= sinceOpening.elapsed(), qPrintable(cell(0, 2)));
        QCOMPARE(statuses.mid(2, 2), (QStringList{"Receiving data...", "Ready"}));
    }

    void replies_data() {
        QTest::addColumn<QJsonArray>("replies");
        QTest::addColumn<int>("passes");
        QTest::addColumn<QStringList>("cells"); // ping replaced by "ms" when it is a number
        QTest::addColumn<QStringList>("players");
        QTest::newRow("Island Raid")
            << QJsonArray{tokens(islandRaid)} << 1 << QStringList{"ms", "3/10", "Island Raid"}
            << QStringList{"Ann 5", "Bob 2"};
        QTest::newRow("answered once, then never")
            << QJsonArray{tokens(islandRaid), QJsonObject{{"silent", true}}} << 2
            << QStringList{"??", " ", " "} << QStringList{"no players "};
        QTest::newRow("players over two datagrams")
            << QJsonArray{QJsonObject{
                   {"datagrams", QJsonArray{tokens({"player_0", "Ann", "score_0", "5"}),
                                            tokens({"numplayers", "2", "player_1", "Bob"})}}}}
            << 1 << QStringList{"ms", "2/??", " "} << QStringList{"Ann 5", "Bob "};
    }
    void replies() {
        QFETCH(QJsonArray, replies);
        QFETCH(int, passes);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, players);
        FakeServer fake;
        QVERIFY(fake.start(1, QJsonArray{QJsonObject{{"replies", replies}}}));
        openBrowser({{"Raid", "127.0.0.1", gamePort(fake.ports[0])}});
        for (int pass = 1; pass < passes; ++pass) {
            QTRY_VERIFY(statuses.contains("Ready"));
            waitForRefresh();
            statuses.clear();
            QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
            QCOMPARE(statuses.value(0), QString("Querying servers..."));
        }
        waitForRefresh();
        QTest::qWait(200); // what arrives at all has arrived by now
        QString ping = cell(0, 2);
        QCOMPARE(
            (QStringList{ping.toInt() > 0 || ping == "0" ? "ms" : ping, cell(0, 3), cell(0, 4)}),
            cells);
        clickRow(0);
        QCOMPARE(this->players(), players);
        if (QTest::currentDataTag() == QString("Island Raid")) {
            QVERIFY(form()->grab().save("/tmp/shots/browser.png"));
        }
    }

    // A datagram from the server's game port answers no row; one from its query port does.
    void gamePortAnswersNoRow() {
        QUdpSocket game, query;
        QVERIFY(game.bind(QHostAddress::LocalHost, 0));
        QVERIFY(query.bind(QHostAddress::LocalHost, game.localPort() + 1));
        openBrowser({{"Ports", "127.0.0.1", std::to_string(game.localPort())}});
        QTRY_VERIFY(query.hasPendingDatagrams());
        QNetworkDatagram request = query.receiveDatagram();
        QCOMPARE(request.data(), QByteArray("\\info\\\\status\\"));
        const QByteArray reply = "\\numplayers\\3\\maxplayers\\12\\";
        statuses.clear();
        game.writeDatagram(reply, request.senderAddress(), request.senderPort());
        QTRY_COMPARE(statuses, (QStringList{"Receiving data...", "Ready"}));
        QCOMPARE(cell(0, 3), QString(" "));
        query.writeDatagram(reply, request.senderAddress(), request.senderPort());
        QTRY_COMPARE(cell(0, 3), QString("3/10"));
    }

    // Refresh while the first request still waits for its reply: the new pass waits for that
    // same request instead of asking again, so the reply, whether it reached the socket before
    // the new pass began or after, shows the ping from the request it answers, and its players
    // once, though it arrives twice.
    void replyAcrossRefresh_data() {
        QTest::addColumn<bool>("beforeRefresh"); // the reply reaches the socket before it
        QTest::newRow("the reply read after Refresh") << true;
        QTest::newRow("the reply sent after Refresh") << false;
    }
    void replyAcrossRefresh() {
        QFETCH(bool, beforeRefresh);
        QUdpSocket query;
        QVERIFY(query.bind(QHostAddress::LocalHost, 0));
        openBrowser({{"Slow", "127.0.0.1", gamePort(query.localPort())}});
        QTRY_VERIFY(query.hasPendingDatagrams());
        QElapsedTimer sinceRequest;
        sinceRequest.start();
        const QNetworkDatagram request = query.receiveDatagram();
        waitForRefresh();
        const QByteArray reply = "\\numplayers\\1\\player_0\\Ann\\score_0\\5\\";
        auto answer = [&] {
            for (int copy = 0; copy < 2; ++copy) {
                query.writeDatagram(reply, request.senderAddress(), request.senderPort());
            }
        };
        if (beforeRefresh) {
            answer();
            QThread::msleep(5); // no events run in between: read only after the next pass began
        }
        form()->BitBtn2Click();
        if (!beforeRefresh) {
            answer();
        }
        const qint64 roundTrip = sinceRequest.elapsed();
        QTRY_COMPARE(cell(0, 3), QString("1/??"));
        QVERIFY2(cell(0, 2).toInt() >= roundTrip - 20, qPrintable(cell(0, 2)));
        QCOMPARE(players(), QStringList{"Ann 5"});
        QVERIFY(!query.hasPendingDatagrams()); // not asked again
    }

    // Lost requests are sent again, up to four in all; duplicate datagrams count once; a server
    // whose every request is lost is drawn grey with the tooltip "No reply".
    void lossAndDuplicates_data() {
        QTest::addColumn<QJsonObject>("server");
        QTest::addColumn<int>("requests");
        QTest::addColumn<QStringList>("cells"); // ping replaced by "ms" when it is a number
        QTest::addColumn<QStringList>("players");
        const QJsonObject lost{{"silent", true}};
        const QJsonObject lostTwice{{"silent", true}, {"times", 2}};
        const QStringList raid{"ms", "3/10", "Island Raid"}, annBob{"Ann 5", "Bob 2"};
        QTest::newRow("first request lost")
            << QJsonObject{{"replies", QJsonArray{lost, tokens(islandRaid)}}} << 2 << raid
            << annBob;
        QTest::newRow("first and second lost")
            << QJsonObject{{"replies", QJsonArray{lostTwice, tokens(islandRaid)}}} << 3 << raid
            << annBob;
        QTest::newRow("every request lost")
            << QJsonObject{{"replies", QJsonArray{lost}}} << 4 << QStringList{"??", " ", " "}
            << QStringList{"no players "};
        QTest::newRow("every datagram twice")
            << QJsonObject{{"replies", QJsonArray{tokens(islandRaid)}}, {"duplicate", true}} << 1
            << raid << annBob;
        QTest::newRow("a reply in two parts, each twice")
            << QJsonObject{{"replies",
                            QJsonArray{QJsonObject{
                                {"datagrams",
                                 QJsonArray{tokens({"player_0", "Ann", "score_0", "5"}),
                                            tokens({"numplayers", "2", "player_1", "Bob"})}}}}},
                           {"duplicate", true}}
            << 1 << QStringList{"ms", "2/??", " "} << QStringList{"Ann 5", "Bob "};
    }
    void lossAndDuplicates() {
        QFETCH(QJsonObject, server);
        QFETCH(int, requests);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, players);
        FakeServer fake;
        QVERIFY(fake.start(1, QJsonArray{server}));
        openBrowser({{"Lossy", "127.0.0.1", gamePort(fake.ports[0])}});
        const bool answers = cells[0] == "ms";
        if (answers) {
            QTRY_COMPARE(cell(0, 3), cells[1]);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(drawn(0), QStringList(5, "grey"), 15000);
        }
        QTest::qWait(300); // a further request or datagram, if there were one, has come by now
        QCOMPARE(fake.received().size(), requests);
        const QString ping = cell(0, 2);
        QCOMPARE(
            (QStringList{ping.toInt() > 0 || ping == "0" ? "ms" : ping, cell(0, 3), cell(0, 4)}),
            cells);
        // The ping is measured from the request that was answered, not from the first one.
        QVERIFY2(!answers || ping.toInt() < 200, qPrintable(ping));
        clickRow(0);
        QCOMPARE(this->players(), players);
        QCOMPARE(progress(), QString());
    }

    // A host name whose look-up does not end holds up no other row: the dotted rows are asked
    // and answered while it runs, the progress counts them, and after 5 s the name counts as
    // one that does not resolve.
    void deadNameServer() {
        FakeServer fake;
        QVERIFY(fake.start(2));
        // Shared with the look-up's thread, which outlives the test.
        auto release = std::make_shared<QSemaphore>();
        vkr::setHostLookup([release](const std::string&) {
            release->tryAcquire(1, 60000);
            return vkr::IPv4Bytes{127, 0, 0, 1};
        });
        std::string sections =
            serverSection(1, {"Dotted", "127.0.0.1", gamePort(fake.ports[0])}) +
            serverSection(2, {"Dead", "dead.test", gamePort(fake.ports[1])}) +
            serverSection(3, {"Also dotted", "127.0.0.1", gamePort(fake.ports[1])});
        fx->writeStandardRegistry(sections);
        fx->start();
        QObject::connect(ui()->StatusBar1, &QStatusBar::messageChanged,
                         [this](const QString& text) { statuses << text; });
        vkr::forms().form1->show();
        vkr::forms().form1->BitBtn5Click();
        QTRY_COMPARE(cell(2, 3), QString("2/10"));
        QTRY_COMPARE(cell(0, 3), QString("2/10"));
        QCOMPARE(cell(1, 2), QString("??"));
        QVERIFY(!statuses.contains("Query done..."));
        QCOMPARE(progress(), QString("Answered 2 of 2"));
        QVERIFY(!ui()->BitBtn2->isEnabled());
        QVERIFY(form()->grab().save("/tmp/shots/browser_looking_up.png"));
        QTRY_VERIFY_WITH_TIMEOUT(statuses.contains("Query done..."), 15000);
        QVERIFY(statuses.contains("Invalid Host error occured."));
        QCOMPARE(rowCells(1).mid(2), (QStringList{"??", " ", " "}));
        QCOMPARE(drawn(1), QStringList(5, "grey"));
        QCOMPARE(fake.received().size(), 2);
        QCOMPARE(progress(), QString());
        release->release(); // the look-up's thread ends; its late answer changes nothing
        QTest::qWait(100);
        QCOMPARE(fake.received().size(), 2);
    }

    // A reply for the selected row shows its players at once; one for another row leaves them.
    void playersFollowReplies_data() {
        QTest::addColumn<int>("answering");
        QTest::addColumn<QStringList>("players");
        QTest::newRow("the selected row") << 0 << QStringList{"Ann 5"};
        QTest::newRow("another row") << 1 << QStringList{"no players "};
    }
    void playersFollowReplies() {
        QFETCH(int, answering);
        QFETCH(QStringList, players);
        QUdpSocket sockets[2];
        openOnSockets(sockets);
        waitForRefresh();
        QCOMPARE(ui()->SGrid->currentRow(), 0);
        QCOMPARE(this->players(), QStringList{"no players "});
        QUdpSocket& query = sockets[answering];
        QTRY_VERIFY(query.hasPendingDatagrams());
        const QNetworkDatagram request = query.receiveDatagram();
        query.writeDatagram("\\numplayers\\1\\player_0\\Ann\\score_0\\5\\", request.senderAddress(),
                            request.senderPort());
        QTRY_COMPARE(cell(answering, 3), QString("1/??"));
        QCOMPARE(this->players(), players);
    }

    // How each cell of a row is drawn: "grey" with the tooltip "No reply", else "normal".
    QStringList drawn(int row) {
        QStringList list;
        for (int c = 0; c < 5; ++c) {
            const QTableWidgetItem* item = ui()->SGrid->item(row, c);
            const bool grey = item->foreground() == QBrush(Qt::gray);
            list << (grey && item->toolTip() == "No reply" ? "grey"
                     : !grey && item->toolTip().isEmpty()  ? "normal"
                                                           : "mixed");
        }
        return list;
    }

    // A row without a reply 2 s after its request is drawn grey and keeps its placeholders; a
    // row that answered is not; a late reply draws the row normally again. Sorted, the silent
    // server listed first, the grey follows the server.
    void silentRowsGreyed_data() {
        QTest::addColumn<bool>("sorted");
        QTest::newRow("table order") << false;
        QTest::newRow("sorted, the silent server first") << true;
    }
    void silentRowsGreyed() {
        QFETCH(bool, sorted);
        QUdpSocket sockets[2];
        openOnSockets(sockets);
        int silentRow = 1;
        if (sorted) {
            // By Hostname/IP, in the direction that lists server 1 first.
            const bool descending = cell(1, 1) > cell(0, 1);
            QHeaderView* header = ui()->SGrid->horizontalHeader();
            const int x = header->sectionViewportPosition(1) + header->sectionSize(1) / 2;
            for (int i = 0; i < (descending ? 2 : 1); ++i) {
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 8));
            }
            silentRow = 0;
        }
        const int answeringRow = 1 - silentRow;
        QNetworkDatagram requests[2];
        for (int i : {0, 1}) {
            QTRY_VERIFY(sockets[i].hasPendingDatagrams());
            requests[i] = sockets[i].receiveDatagram();
        }
        const QByteArray reply = "\\numplayers\\3\\";
        auto answer = [&](int i) {
            sockets[i].writeDatagram(reply, requests[i].senderAddress(), requests[i].senderPort());
        };
        answer(0);
        const QStringList grey(5, "grey"), normal(5, "normal");
        QTRY_COMPARE_WITH_TIMEOUT(drawn(silentRow), grey, 10000);
        QCOMPARE(drawn(answeringRow), normal);
        QCOMPARE(rowCells(silentRow).mid(2), (QStringList{"??", " ", " "}));
        QVERIFY(form()->grab().save("/tmp/shots/browser_no_reply.png"));
        answer(1);
        QTRY_COMPARE(cell(silentRow, 3), QString("3/??"));
        QCOMPARE(drawn(silentRow), normal);
    }

    // A server listed twice is asked once, and each row lists its players once.
    void serverListedTwice() {
        FakeServer fake;
        QVERIFY(fake.start(1));
        openBrowser({{"First", "127.0.0.1", gamePort(fake.ports[0])},
                     {"Again", "127.0.0.1", gamePort(fake.ports[0])}});
        waitForRefresh();
        QTRY_COMPARE(cell(1, 3), QString("2/10"));
        QTest::qWait(200); // a second reply, if there were one, has arrived by now
        QCOMPARE(fake.received().size(), 1);
        for (int row : {0, 1}) {
            clickRow(row);
            QCOMPARE(players(), (QStringList{"Player 0 0", "Player 1 1"}));
        }
    }

    void join_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("name");
        QTest::newRow("click, two-word name") << "click"
                                              << "John Smith";
        QTest::newRow("Enter") << "Enter"
                               << "Ann";
        QTest::newRow("double-click on the row") << "double-click"
                                                 << "Ann";
    }
    void join() {
        QFETCH(QString, how);
        QFETCH(QString, name);
        openBrowser({{"Plain", "127.0.0.1", "2400", true, "", "@a"},
                     {"Locked", "127.0.0.1", "2400", false, "secret", "@b"}});
        const QString exe = installFakeGame();
        clickRow(1);
        ui()->PlayerName->lineEdit()->clear();
        QTest::keyClicks(ui()->PlayerName->lineEdit(), name);
        if (how == "Enter") {
            QTest::keyClick(ui()->SGrid, Qt::Key_Return);
        } else if (how == "click") {
            QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        } else {
            // From another row: a double-click's first click selects, the second joins.
            clickRow(0);
            clickRow(1);
            const QRect r = ui()->SGrid->visualItemRect(ui()->SGrid->item(1, 0));
            QTest::mouseDClick(ui()->SGrid->viewport(), Qt::LeftButton, {}, r.center());
        }
        QCOMPARE(launchedWith(),
                 (QStringList{exe, "-nosplash", "-mod=@b", "-connect=127.0.0.1", "-port=2400",
                              "-password=secret", "-dplay", "-name=" + name}));
    }

    // Sorting moves rows, never servers: the row clicked joins the server it shows, after a
    // new pass too. Players sort as numbers, the silent server last in both directions; names
    // sort regardless of case.
    void sortedJoin_data() {
        QTest::addColumn<int>("column"); // the header clicked
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("row");                  // the grid row joined
        QTest::addColumn<int>("server");               // the server that must be joined
        QTest::addColumn<QStringList>("playersCells"); // the Players column, top down
        const QString five = "5/10", twelve = "12/10";
        QTest::newRow("unsorted") << 3 << 0 << 1 << 1 << QStringList{five, twelve, " "};
        QTest::newRow("players up") << 3 << 1 << 1 << 1 << QStringList{five, twelve, " "};
        QTest::newRow("players down") << 3 << 2 << 0 << 1 << QStringList{twelve, five, " "};
        QTest::newRow("players down, silent") << 3 << 2 << 2 << 2 << QStringList{twelve, five, " "};
        QTest::newRow("ping down, silent") << 2 << 2 << 2 << 2 << QStringList{};
        QTest::newRow("name up") << 0 << 1 << 1 << 0 << QStringList{twelve, five, " "};
        QTest::newRow("name down") << 0 << 2 << 0 << 2 << QStringList{" ", five, twelve};
    }
    void sortedJoin() {
        QFETCH(int, column);
        QFETCH(int, clicks);
        QFETCH(int, row);
        QFETCH(int, server);
        QFETCH(QStringList, playersCells);
        QUdpSocket sockets[3];
        const char* names[] = {"bravo", "Alpha", "Charlie"};
        std::vector<Server> servers;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(sockets[i].bind(QHostAddress::LocalHost, 0));
            servers.emplace_back(names[i], "127.0.0.1", gamePort(sockets[i].localPort()));
        }
        openBrowser(servers);
        // Servers 0 and 1 answer every pass with 5 and 12 players; server 2 never does.
        auto answerPass = [&] {
            for (int i : {0, 1}) {
                QTRY_VERIFY(sockets[i].hasPendingDatagrams());
                const QNetworkDatagram request = sockets[i].receiveDatagram();
                sockets[i].writeDatagram(i == 0 ? "\\numplayers\\5\\maxplayers\\12\\"
                                                : "\\numplayers\\12\\maxplayers\\12\\",
                                         request.senderAddress(), request.senderPort());
            }
        };
        answerPass();
        QHeaderView* header = ui()->SGrid->horizontalHeader();
        for (int i = 0; i < clicks; ++i) {
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 8));
        }
        auto shownPlayers = [&] {
            QStringList list;
            for (int r = 0; r < 3; ++r) {
                list << cell(r, 3);
            }
            return list;
        };
        if (!playersCells.isEmpty()) {
            QTRY_COMPARE(shownPlayers(), playersCells);
        }
        QVERIFY(form()->grab().save("/tmp/shots/browser_sorted.png"));
        // A new pass, its replies arriving while sorted, keeps the order.
        waitForRefresh();
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        answerPass();
        waitForRefresh();
        QTRY_COMPARE(rowCells(row)[0], QString(names[server]));
        if (!playersCells.isEmpty()) {
            QTRY_COMPARE(shownPlayers(), playersCells);
        }
        const QString exe = installFakeGame();
        clickRow(row);
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QVERIFY(launchedWith().contains("-port=" + QString::fromStdString(servers[server].port)));
    }

    // Every opening lists the servers in table order, whatever the last sort was.
    void reopeningListsTableOrder() {
        openBrowser({{"b", "127.0.0.1", "2400"}, {"A", "127.0.0.1", "2402"}});
        QHeaderView* header = ui()->SGrid->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(cell(0, 0), QString("A"));
        form()->close();
        vkr::forms().form1->BitBtn5Click();
        QTRY_VERIFY(form()->isVisible());
        QCOMPARE(cell(0, 0), QString("b"));
    }

    void watcher_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("remotePort"); // 0: the watcher is not opened
        QTest::newRow("sockets 2302") << "2302" << 2303;
        QTest::newRow("port abc") << "abc" << 0;
    }
    void watcher() {
        QFETCH(QString, port);
        QFETCH(int, remotePort);
        openBrowser({{"Watched", "127.0.0.1", port.toStdString()}});
        waitForRefresh();
        fx->prompts.clear();
        TFormWatcher* w = vkr::forms().formWatcher;
        QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
        if (remotePort == 0) {
            QCOMPARE(fx->prompts.errors(),
                     std::vector<std::string>{"'abc' is not a valid integer value."});
            QVERIFY(form()->isVisible() && vkr::forms().form1->isVisible());
            QVERIFY(!w->isVisible() && !w->Timer2->isActive());
            return;
        }
        QVERIFY(fx->prompts.errors().empty());
        QVERIFY(!form()->isVisible() && !vkr::forms().form1->isVisible());
        QVERIFY(w->isVisible());
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(w->udps->RemoteHost, std::string("127.0.0.1"));
        QCOMPARE(w->udps->RemotePort, remotePort);
        QVERIFY(w->Timer2->isActive());
    }

    // A port text that is not a number stops its own row only, and is reported once.
    void badPortRow() {
        FakeServer fake;
        QVERIFY(fake.start(2));
        openBrowser({{"Good", "127.0.0.1", gamePort(fake.ports[0])},
                     {"Bad", "127.0.0.1", "abc"},
                     {"Also good", "127.0.0.1", gamePort(fake.ports[1])}});
        QCOMPARE(fx->prompts.errors(),
                 std::vector<std::string>{"'abc' is not a valid integer value."});
        waitForRefresh();
        QTRY_COMPARE(cell(2, 3), QString("2/10"));
        QCOMPARE(cell(0, 3), QString("2/10"));
        QCOMPARE(rowCells(1), (QStringList{"Bad", "127.0.0.1:abc", "??", " ", " "}));
        clickRow(1);
        QCOMPARE(players(), QStringList{"no players "});
    }

    void reactivationStartsAPass() {
        openBrowser({{"Any", "127.0.0.1", "2400"}});
        waitForRefresh();
        QCOMPARE(statuses.count("Querying servers..."), 1);
        QVERIFY(activate(vkr::forms().form1));
        QVERIFY(activate(form()));
        QVERIFY(form()->Timer2->isActive());
        QTRY_COMPARE(statuses.count("Querying servers..."), 2);
    }

    // A pass looks its host names up off the GUI thread: the look-up here goes on only once
    // the GUI thread has run a timer after the look-up began, which it could not do if it
    // waited for the look-up. A name that does not resolve is an invalid host.
    void hostNames_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("players"); // the row's Players cell after the pass
        QTest::addColumn<QString>("status");  // a status text of the pass
        QTest::newRow("resolves") << "alpha.test"
                                  << "2/10"
                                  << "Ready";
        QTest::newRow("does not resolve") << "nowhere.test"
                                          << " "
                                          << "Invalid Host error occured.";
    }
    void hostNames() {
        QFETCH(QString, host);
        QFETCH(QString, players);
        QFETCH(QString, status);
        FakeServer fake;
        QVERIFY(fake.start(1));
        std::atomic<bool> waiting{false};
        QSemaphore guiRan;
        vkr::setHostLookup([&](const std::string& name) {
            waiting = true;
            const bool ran = guiRan.tryAcquire(1, 10000);
            return ran && name == "alpha.test" ? vkr::IPv4Bytes{127, 0, 0, 1} : vkr::IPv4Bytes{};
        });
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            if (waiting.exchange(false)) {
                guiRan.release();
            }
        });
        ticker.start(10);
        openBrowser({{"Named", host.toStdString(), gamePort(fake.ports[0])}});
        waitForRefresh();
        QTRY_COMPARE(cell(0, 3), players);
        QVERIFY(statuses.contains(status));
        if (players == " ") {
            QCOMPARE(fake.received().size(), 0);
        }
    }

    // A pass asked for while one runs (here while its host names are looked up) is dropped;
    // the running one completes.
    void passDuringPass() {
        FakeServer fake;
        QVERIFY(fake.start(1));
        openBrowser({{"Named", "localhost", gamePort(fake.ports[0])}});
        waitForRefresh();
        QTRY_COMPARE(fake.received().size(), 1);
        bool asked = false;
        QObject::connect(ui()->StatusBar1, &QStatusBar::messageChanged, form(),
                         [this, &asked](const QString& text) {
                             if (text == "Querying servers..." && !asked) {
                                 asked = true;
                                 QTimer::singleShot(0, form(), [this] { form()->Timer2Timer(); });
                             }
                         });
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QVERIFY(asked);
        waitForRefresh();
        QTest::qWait(300);
        QCOMPARE(fake.received().size(), 2);
        QCOMPARE(cell(0, 3), QString("2/10"));
    }

    void emptiedTable() {
        openBrowser({{"Gone", "127.0.0.1", "2400"}});
        waitForRefresh();
        vkr::store().servers.clear();
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QCOMPARE(ui()->SGrid->rowCount(), 0);
        QCOMPARE(ui()->SGrid->horizontalHeaderItem(0)->text(), QString("Server Name"));
        fx->prompts.clear();
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
        QVERIFY(fx->prompts.shown.empty());
        QVERIFY(form()->isVisible() && !vkr::forms().formWatcher->isVisible());
        waitForRefresh();
    }

    void sizeColumns_data() {
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<QList<int>>("widths"); // SGrid's five, then PlrGrid's two
        QTest::newRow("design size, grid 481")
            << 500 << QList<int>{128, 128, 30, 50, 138, 150, 331};
        QTest::newRow("grid 200") << 219 << QList<int>{34, 34, 30, 50, 44, 150, 50};
    }
    void sizeColumns() {
        QFETCH(int, windowWidth);
        QFETCH(QList<int>, widths);
        openBrowser({{"Any", "127.0.0.1", "2400"}});
        form()->resize(windowWidth, 378);
        QTRY_COMPARE(ui()->SGrid->width(), windowWidth - 19);
        QList<int> got;
        for (int c = 0; c < 5; ++c) {
            got << ui()->SGrid->columnWidth(c);
        }
        got << ui()->PlrGrid->columnWidth(0) << ui()->PlrGrid->columnWidth(1);
        QCOMPARE(got, widths);
    }
};

QTEST_MAIN(BrowserTest)
#include "gui_browser.moc"
