// The server browser, offscreen, over real UDP against tools/fake-server on 127.0.0.1: passes,
// replies, players, Join through the fake game, the hand-over to the watcher.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TForm3.h"
#include "dialogs/TFormFriends.h"
#include "editor_rows.h"
#include "net/TNMUDP.h"
#include "net/address.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/TFormDetails.h"
#include "status/TFormWatcher.h"
#include "status/desktop_notifier.h"
#include "status/server_model.h"
#include "support/fake_server.h"
#include "support/launcher_fixture.h"
#include "ui_TForm1.h"
#include "ui_TForm3.h"
#include "ui_TForm4.h"
#include "ui_TFormDetails.h"
#include "ui_TFormFriends.h"
#include "ui_TFormWatcher.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkDatagram>
#include <QSemaphore>
#include <QStatusBar>
#include <QThread>
#include <QUdpSocket>
#include <QtTest>

#include <atomic>
#include <functional>
#include <map>
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

// A reply of these players, each scoring 1, on a server for 12.
QJsonArray playing(const QStringList& names) {
    QStringList t{"numplayers", QString::number(names.size()), "maxplayers", "12"};
    for (int j = 0; j < names.size(); ++j) {
        t << QString("player_%1").arg(j) << names[j] << QString("score_%1").arg(j) << "1";
    }
    return QJsonArray{tokens(t)};
}

// The launcher's key with these friends, as a REG_MULTI_SZ.
std::string friendsSection(const QStringList& names) {
    QByteArray bytes;
    for (const QString& name : names) {
        bytes += name.toUtf8() + '\0';
    }
    bytes += '\0';
    return "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"friends\"=hex(7):" +
           bytes.toHex(',').toStdString() + "\n\n";
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
    QModelIndex at(int row, int column = 0) { return ui()->SGrid->model()->index(row, column); }
    QString cell(int row, int column) {
        const QModelIndex i = at(row, column);
        return i.isValid() ? i.data().toString() : QString("<none>");
    }
    int rowCount() { return ui()->SGrid->model()->rowCount(); }
    QStringList rowCells(int row) {
        return {cell(row, 0), cell(row, 1), cell(row, 2), cell(row, 3), cell(row, 4)};
    }
    QStringList players() {
        QStringList list;
        const QAbstractItemModel* m = ui()->PlrGrid->model();
        for (int j = 0; j < m->rowCount(); ++j) {
            list << m->index(j, 0).data().toString() + " " + m->index(j, 1).data().toString();
        }
        return list;
    }
    void clickRow(int row) {
        QRect r = ui()->SGrid->visualRect(at(row));
        QTest::mouseClick(ui()->SGrid->viewport(), Qt::LeftButton, {}, r.center());
    }
    bool activate(QWidget* w) {
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    }

    // The launcher with these servers, the browser opened from the main window as the user
    // does; returns when its first pass has sent its requests.
    void openBrowser(const std::vector<Server>& servers, std::string sections = {}) {
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
        // The pass has sent its requests once it counts the replies (and is done once every
        // server has answered or been given up).
        QTRY_VERIFY(statuses.contains("Query done...") || !progress().isEmpty());
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
    // The cells of the selected row; empty when none is selected.
    QStringList selectedCells() {
        const QModelIndexList rows = ui()->SGrid->selectionModel()->selectedRows();
        return rows.isEmpty() ? QStringList{} : rowCells(rows.first().row());
    }
    // The menu that a right click on a row of the grid opens (a row past the last: as far below
    // it); none when it opens none.
    QMenu* menuOn(QTableView* grid, int row) {
        const int last = grid->model()->rowCount() - 1;
        const QPoint pos = grid->visualRect(grid->model()->index(std::min(row, last), 0)).center() +
                           QPoint(0, grid->rowHeight(0) * std::max(0, row - last));
        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, grid->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(grid->viewport(), &event);
        QTest::qWait(50);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    // The names of the player grid, a friend's between asterisks.
    QStringList playerNames() {
        QStringList list;
        const QAbstractItemModel* m = ui()->PlrGrid->model();
        for (int j = 0; j < m->rowCount(); ++j) {
            const QString name = m->index(j, 0).data().toString();
            list << (m->index(j, 0).data(Qt::FontRole).value<QFont>().bold() ? "*" + name + "*"
                                                                             : name);
        }
        return list;
    }
    // The stored friends as a fresh launcher reads them, joined by "|".
    QString storedFriends() {
        const auto v = fx->stored(vkr::Hive::CurrentUser, vkr::kLauncherKey, "friends");
        return v ? QString::fromStdString(v->data).replace(QChar('\0'), '|') : "<none>";
    }
    // The stored servers as a fresh launcher reads them, "name|host:port|sockets" (or dplay),
    // sorted.
    QStringList storedServers() {
        const std::string key = vkr::kServersKey;
        QStringList servers;
        for (const std::string& id : fx->storedSubkeys(vkr::Hive::CurrentUser, key)) {
            auto value = [&](const char* name) {
                return fx->stored(vkr::Hive::CurrentUser, key + "\\" + id, name);
            };
            auto text = [&](const char* name) {
                const auto v = value(name);
                return v ? QString::fromStdString(v->data).remove(QChar('\0')) : QString();
            };
            const auto sockets = value("sockets");
            servers << text("name") + "|" + text("ip") + ":" + text("port") + "|" +
                           (sockets && sockets->asDword() ? "sockets" : "dplay");
        }
        servers.sort();
        return servers;
    }
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
            header << ui()->SGrid->model()->headerData(c, Qt::Horizontal).toString();
        }
        QCOMPARE(header, (QStringList{"Server Name", "Hostname/IP", "Ping", "Players", "Mission"}));
        QCOMPARE(rowCount(), 2);
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
        // The replies came during the pass, which says so until it is done.
        QCOMPARE(statuses, (QStringList{"Querying servers...", "Query done..."}));
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
            QTRY_VERIFY(statuses.contains("Query done..."));
            waitForRefresh();
            statuses.clear();
            QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
            QCOMPARE(statuses.value(0), QString("Querying servers..."));
        }
        // A row keeps its last reply until the pass gives it up.
        QTRY_VERIFY_WITH_TIMEOUT(statuses.contains("Query done..."), 15000);
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
        QTest::qWait(100);
        QCOMPARE(statuses, QStringList{}); // the pass under way says nothing of it
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
        QTRY_COMPARE(players(), QStringList{"Ann 5"});
        QVERIFY(!query.hasPendingDatagrams()); // not asked again
    }

    // Lost requests are sent again, up to four in all; duplicate datagrams count once; a server
    // whose every request is lost is drawn grey with the tooltip "No reply". A reply that came
    // after a request was sent again is asked once more: that reply tells its ping.
    void lossAndDuplicates_data() {
        QTest::addColumn<QJsonObject>("server");
        QTest::addColumn<int>("requests");
        QTest::addColumn<QStringList>("cells"); // ping replaced by "ms" when it is a number
        QTest::addColumn<QStringList>("players");
        const QJsonObject lost{{"silent", true}};
        const QJsonObject lostTwice{{"silent", true}, {"times", 2}};
        const QStringList raid{"ms", "3/10", "Island Raid"}, annBob{"Ann 5", "Bob 2"};
        QTest::newRow("first request lost")
            << QJsonObject{{"replies", QJsonArray{lost, tokens(islandRaid)}}} << 3 << raid
            << annBob;
        QTest::newRow("first and second lost")
            << QJsonObject{{"replies", QJsonArray{lostTwice, tokens(islandRaid)}}} << 4 << raid
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

    // A far server beside near ones shows its own round trip, in the first pass and after
    // Refresh: the near servers' quick answers do not have it asked again before its reply. One
    // farther than the first wait is asked again before its reply comes; its reply to that
    // request tells which one the first reply answered.
    void farServerBesideNearOnes_data() {
        QTest::addColumn<int>("far");
        QTest::addColumn<int>("passes");
        QTest::addColumn<int>("requests");
        QTest::newRow("first pass") << 600 << 1 << 4;
        QTest::newRow("after Refresh") << 600 << 2 << 8;
        QTest::newRow("farther than the first wait") << 1100 << 1 << 6;
    }
    void farServerBesideNearOnes() {
        QFETCH(int, far);
        QFETCH(int, passes);
        QFETCH(int, requests);
        const QJsonObject near{{"delayMs", 10}};
        FakeServer fake;
        QVERIFY(fake.start(4, QJsonArray{near, near, near, QJsonObject{{"delayMs", far}}}));
        std::vector<Server> servers;
        for (int port : fake.ports) {
            servers.emplace_back("S", "127.0.0.1", gamePort(port));
        }
        openBrowser(servers);
        for (int pass = 0; pass < passes; ++pass) {
            if (pass > 0) {
                form()->BitBtn2Click();
            }
            QTRY_COMPARE_WITH_TIMEOUT(progress(), QString(), 10000);
            waitForRefresh();
        }
        QTRY_VERIFY2_WITH_TIMEOUT(cell(3, 2).toInt() >= far && cell(3, 2).toInt() < far + 100,
                                  qPrintable(cell(3, 2)), 3000);
        QTRY_COMPARE(fake.received().size(), requests); // the near ones asked once a pass
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
        QTRY_COMPARE(progress(), QString("Answered 2 of 2")); // at the views' next update
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
        QCOMPARE(ui()->SGrid->currentIndex().row(), 0);
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
            const QModelIndex i = at(row, c);
            const bool grey = i.data(Qt::ForegroundRole).value<QBrush>() == QBrush(Qt::gray);
            const QString tip = i.data(Qt::ToolTipRole).toString();
            list << (grey && tip == "No reply" ? "grey"
                     : !grey && tip.isEmpty()  ? "normal"
                                               : "mixed");
        }
        return list;
    }

    // A row without a reply 2 s after its request is drawn grey and keeps its placeholders; a
    // row that answered is not; a late reply draws the row normally again. Sorted, the silent
    // server listed first until the other answers, the grey follows the server, which then
    // comes last as every row without a reply does.
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
            QCOMPARE(cell(0, 1), QString("127.0.0.1:%1").arg(sockets[1].localPort() - 1));
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

    // Through a pass every row keeps its last values until its reply or its give-up, its ping
    // greyed meanwhile: a filter on reply data keeps the rows it showed, a dead server stays
    // hidden by "Hide no reply", and the selected server stays selected at every turn of the
    // event loop, so that Join joins it.
    void refreshKeepsRows_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("hideSilent");
        QTest::newRow("filter on the mission") << "Raid" << false;
        QTest::newRow("hide no reply") << "" << true;
    }
    void refreshKeepsRows() {
        QFETCH(QString, filter);
        QFETCH(bool, hideSilent);
        FakeServer fake;
        const QJsonObject late{{"delayMs", 200}};
        QVERIFY(fake.start(
            3, QJsonArray{late, late,
                          QJsonObject{{"replies", QJsonArray{QJsonObject{{"silent", true}}}}}}));
        openBrowser({{"One", "127.0.0.1", gamePort(fake.ports[0])},
                     {"Two", "127.0.0.1", gamePort(fake.ports[1])},
                     {"Dead", "127.0.0.1", gamePort(fake.ports[2])}});
        QTRY_VERIFY_WITH_TIMEOUT(statuses.contains("Query done..."), 15000);
        waitForRefresh();
        QTest::keyClicks(ui()->FilterText, filter);
        ui()->HideSilent->setChecked(hideSilent);
        const QStringList shown{"One", "Two"};
        QCOMPARE(shownNames(), shown);
        clickRow(1);
        statuses.clear();
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QCOMPARE(at(1, 2).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::gray));
        int turns = 0;
        while (!statuses.contains("Query done...") && turns < 100000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            ++turns;
            QCOMPARE(shownNames(), shown);
            QCOMPARE(selectedCells().value(0), QString("Two"));
            QCOMPARE(form()->findChild<QLabel*>("ShownCount")->text(),
                     QString("2 of 3 servers shown"));
        }
        QVERIFY(statuses.contains("Query done..."));
        QCOMPARE(at(1, 2).data(Qt::ForegroundRole), QVariant()); // answered anew
        const QString exe = installFakeGame();
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QVERIFY(
            launchedWith().contains("-port=" + QString::fromStdString(gamePort(fake.ports[1]))));
    }

    // The details window (Ctrl+I) of the selected server: its reply's keys and values in the
    // order sent, each tooltip the whole text escaped, the players, the pings; Esc closes it.
    void details_data() {
        QTest::addColumn<QJsonArray>("replies");
        QTest::addColumn<QStringList>("pairs"); // "key=value"
        QTest::addColumn<QString>("tooltip");   // the last value's
        const QString longValue = QString("long ").repeated(60);
        QTest::newRow("keys in the order sent, players")
            << QJsonArray{tokens({"mapname", "Velkrand", "gametype", "Island Raid", "numplayers",
                                  "1", "player_0", "Ann", "score_0", "5", "gstate", "14"})}
            << QStringList{"mapname=Velkrand", "gametype=Island Raid",
                           "numplayers=1",     "player_0=Ann",
                           "score_0=5",        "gstate=14"}
            << "<qt>14</qt>";
        QTest::newRow("two parts, in part order")
            << QJsonArray{QJsonObject{
                   {"datagrams", QJsonArray{tokens({"b", "2", "queryid", "7.2", "final", ""}),
                                            tokens({"a", "1", "queryid", "7.1"})}}}}
            << QStringList{"a=1", "queryid=7.1", "b=2", "queryid=7.2", "final="} << "";
        QTest::newRow("Latin-1 and markup as text")
            << QJsonArray{tokens({"hostname", "K\u00e4rp\u00e4 <b>&amp;</b>"})}
            << QStringList{"hostname=K\u00e4rp\u00e4 <b>&amp;</b>"}
            << "<qt>K\u00e4rp\u00e4 &lt;b&gt;&amp;amp;&lt;/b&gt;</qt>";
        QTest::newRow("a long value, elided")
            << QJsonArray{tokens({"rules", longValue})} << QStringList{"rules=" + longValue}
            << "<qt>" + longValue + "</qt>";
    }
    void details() {
        QFETCH(QJsonArray, replies);
        QFETCH(QStringList, pairs);
        QFETCH(QString, tooltip);
        FakeServer fake;
        QVERIFY(fake.start(1, QJsonArray{QJsonObject{{"replies", replies}}}));
        openBrowser({{"Raid", "127.0.0.1", gamePort(fake.ports[0])}});
        QTRY_VERIFY(statuses.contains("Query done..."));
        clickRow(0);
        QTest::keyClick(ui()->SGrid, Qt::Key_I, Qt::ControlModifier);
        TFormDetails* d = form()->details();
        QVERIFY(d && d->isVisible());
        const QAbstractItemModel* m = d->ui()->ReplyView->model();
        QStringList got;
        for (int r = 0; r < m->rowCount(); ++r) {
            got << m->index(r, 0).data().toString() + "=" + m->index(r, 1).data().toString();
        }
        QCOMPARE(got, pairs);
        const QModelIndex last = m->index(m->rowCount() - 1, 1);
        QCOMPARE(last.data(Qt::ToolTipRole).toString(), tooltip);
        const QTableView* view = d->ui()->ReplyView;
        if (QTest::currentDataTag() == QString("a long value, elided")) {
            QVERIFY(!view->wordWrap() && view->textElideMode() == Qt::ElideRight &&
                    view->fontMetrics().horizontalAdvance(last.data().toString()) >
                        view->columnWidth(1));
        }
        QCOMPARE(d->ui()->ServerName->textFormat(), Qt::PlainText);
        QVERIFY(d->ui()->PingFigures->text().endsWith("Answered 1 of 1"));
        if (QTest::currentDataTag() == QString("keys in the order sent, players")) {
            const QAbstractItemModel* p = d->ui()->PlayerView->model();
            QCOMPARE(p->index(0, 0).data().toString() + " " + p->index(0, 1).data().toString(),
                     QString("Ann 5"));
            QVERIFY(d->grab().save("/tmp/shots/details.png"));
        }
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    }

    // "Refresh server" (the row menu, or F5 in the details window) asks that server alone, as a
    // pass would, again and again while it does not answer: the other rows, the status line,
    // the pass's count and the Refresh button are left alone. A pass still awaiting the server
    // asks nothing more.
    void refreshOne_data() {
        QTest::addColumn<QString>("how");        // "menu" or "F5"
        QTest::addColumn<int>("slow");           // the server whose reply keeps the pass going
        QTest::addColumn<QJsonObject>("second"); // the server's answer after the first
        QTest::addColumn<QString>("cells");      // its row's players afterwards
        QTest::addColumn<int>("asked");          // the requests it had
        QTest::addColumn<QString>("answered");   // its pings' count
        QTest::addColumn<int>("pairs");          // the keys its details show
        const QJsonObject one = tokens({"numplayers", "1", "maxplayers", "12"});
        QTest::newRow("menu, after the pass")
            << "menu" << -1 << one << "1/10" << 2 << "Answered 2 of 2" << 2;
        QTest::newRow("F5 in the details, no answer: asked four times, then given up")
            << "F5" << -1 << QJsonObject{{"silent", true}} << " " << 5 << "Answered 1 of 2" << 0;
        QTest::newRow("during the pass, answered already: asked alone")
            << "menu" << 2 << one << "1/10" << 2 << "Answered 2 of 2" << 2;
        QTest::newRow("during the pass, still awaited: the pass's request stands")
            << "menu" << 0 << one << "3/10" << 1 << "Answered 1 of 1" << 7;
    }
    void refreshOne() {
        QFETCH(QString, how);
        QFETCH(int, slow);
        QFETCH(QJsonObject, second);
        QFETCH(QString, cells);
        QFETCH(int, asked);
        QFETCH(QString, answered);
        QFETCH(int, pairs);
        FakeServer fake;
        QJsonObject first = tokens(islandRaid);
        first["delayMs"] = slow == 0 ? 700 : 0; // within the first wait: asked once
        QVERIFY(fake.start(3, QJsonArray{QJsonObject{{"replies", QJsonArray{first, second}}},
                                         QJsonObject{},
                                         QJsonObject{{"delayMs", slow == 2 ? 1500 : 0}}}));
        openBrowser({{"Refreshed", "127.0.0.1", gamePort(fake.ports[0])},
                     {"Other", "127.0.0.1", gamePort(fake.ports[1])},
                     {"Slow", "127.0.0.1", gamePort(fake.ports[2])}});
        if (slow < 0) {
            QTRY_VERIFY(statuses.contains("Query done..."));
            waitForRefresh();
        } else if (slow == 2) {
            QTRY_COMPARE(cell(0, 3), QString("3/10"));
        }
        QTRY_VERIFY(!cell(1, 3).trimmed().isEmpty());
        const QStringList other = rowCells(1);
        auto requests = [&](int port) {
            return fake.received().filter(QRegularExpression(QString("^%1 ").arg(port))).size();
        };
        statuses.clear();
        QCOMPARE(progress().isEmpty(), slow < 0);
        if (how == "F5") {
            clickRow(0);
            form()->ShowDetails(*form()->selectedServer());
            QTRY_COMPARE(QApplication::activeWindow(), form()->details());
            QTest::keyClick(form()->details(), Qt::Key_F5);
        } else {
            QMenu* menu = menuOn(ui()->SGrid, 0);
            QVERIFY(menu);
            for (QAction* a : menu->actions()) {
                if (a->text() == "Refresh server") {
                    menu->close();
                    a->trigger();
                }
            }
        }
        QStringList progresses;
        QElapsedTimer waited;
        for (waited.start(); waited.elapsed() < (how == "F5" ? 6000 : 2500);) {
            progresses << progress();
            QTest::qWait(20);
        }
        progresses.removeDuplicates();
        QCOMPARE(cell(0, 3), cells);
        QCOMPARE(requests(fake.ports[0]), asked);
        QCOMPARE(requests(fake.ports[1]), 1);
        QCOMPARE(rowCells(1), other);
        QVERIFY(ui()->BitBtn2->isEnabled());
        QVERIFY2(!statuses.contains("Querying servers..."), qPrintable(statuses.join('|')));
        for (const QString& p : progresses) {
            QVERIFY2(p.isEmpty() || (slow >= 0 && p.endsWith(" of 3")), qPrintable(p));
        }
        form()->ShowDetails(*form()->model()->keyOf(form()->model()->index(0, 0)));
        QVERIFY(form()->details()->ui()->PingFigures->text().endsWith(answered));
        QCOMPARE(form()->details()->ui()->ReplyView->model()->rowCount(), pairs);
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
        // Refreshed from one row: asked once more, for both.
        form()->RefreshServer(*form()->model()->keyOf(form()->model()->index(1, 0)));
        QTRY_COMPARE(fake.received().size(), 2);
        QTest::qWait(200);
        QCOMPARE(fake.received().size(), 2);
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
        QTest::newRow("row menu") << "menu"
                                  << "Ann";
        QTest::newRow("watcher's Join") << "watcher"
                                        << "Ann";
        QTest::newRow("notification's Join") << "notification"
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
        } else if (how == "menu") {
            clickRow(0);
            form()->SGridContextMenu(ui()->SGrid->visualRect(at(1)).center(), false);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QApplication::activePopupWidget()->close();
            form()->findChild<QMenu*>("RowMenu")->actions().first()->trigger();
        } else if (how == "watcher" || how == "notification") {
            QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
            TFormWatcher* watcher = vkr::forms().formWatcher;
            if (how == "watcher") {
                QTest::mouseClick(watcher->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
            } else {
                watcher->notifier->onJoin();
            }
        } else {
            // From another row: a double-click's first click selects, the second joins.
            clickRow(0);
            clickRow(1);
            const QRect r = ui()->SGrid->visualRect(at(1));
            QTest::mouseDClick(ui()->SGrid->viewport(), Qt::LeftButton, {}, r.center());
        }
        QCOMPARE(launchedWith(),
                 (QStringList{exe, "-nosplash", "-mod=@b", "-connect=127.0.0.1", "-port=2400",
                              "-password=secret", "-dplay", "-name=" + name}));
        // Each way of starting records the server, saved at once, and its name cell tells when.
        const std::optional<vkr::RegValue> history =
            fx->stored(vkr::Hive::CurrentUser, vkr::kLauncherKey, "history");
        const std::vector<std::string> lines =
            history ? history->asStrings() : std::vector<std::string>{};
        QCOMPARE(lines.size(), size_t(1));
        const QString line = QString::fromStdString(lines[0]);
        QVERIFY2(line.startsWith("127.0.0.1:2400|Locked|"), qPrintable(line));
        const QDateTime time = QDateTime::fromString(line.section('|', 2), Qt::ISODate);
        QVERIFY(qAbs(time.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        QCOMPARE(at(1).data(Qt::ToolTipRole).toString(),
                 "Last played: " + QLocale().toString(time.toLocalTime(), QLocale::ShortFormat));
    }

    // "Import servers..." adds a list's new servers and asks them at once, and says what it
    // did; "Export servers..." writes the table as such a list.
    void importAndExport() {
        FakeServer fake;
        QVERIFY(fake.start(1));
        openBrowser({{"Old", "127.0.0.1", "2400"}});
        const QString list = QString::fromStdString(fx->folder("lists")) + "/shared.txt";
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# ours\r\n127.0.0.1:2401\r\ngps 127.0.0.1:" +
                   QByteArray::number(fake.ports[0]) + "\r\nnot a server\r\n");
        file.close();
        fx->prompts.fileAnswers = {list.toStdString(), (list + ".out").toStdString()};
        fx->prompts.clear();
        const QList<QAction*> items = ui()->ListButton->menu()->actions();
        items.at(0)->trigger();
        QCOMPARE(fx->prompts.messages(),
                 std::vector<std::string>{
                     "1 added, 1 already listed, 1 line not understood (first: line 4: A line "
                     "holds an address, perhaps after a server type, and nothing else.)"});
        QCOMPARE(rowCount(), 2);
        QTRY_COMPARE(cell(1, 3), QString("2/10"));
        items.at(1)->trigger();
        QFile out(list + ".out");
        QVERIFY(out.open(QIODevice::ReadOnly));
        QStringList addresses = QString(out.readAll()).split('\n');
        addresses.removeIf([](const QString& line) { return line.startsWith('#'); });
        QCOMPARE(addresses, (QStringList{"127.0.0.1:2401",
                                         "127.0.0.1:" + QString::number(fake.ports[0]), ""}));
    }

    // A server deleted from the table keeps its line in the history: added again by its
    // address, it is a server played before.
    void historyOutlivesServer() {
        openBrowser({{"Gone", "127.0.0.1", "2400"}});
        installFakeGame();
        clickRow(0);
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QVERIFY(!launchedWith().isEmpty());
        QTest::mouseClick(ui()->PlayedOnly, Qt::LeftButton);
        vkr::store().servers.remove(0);
        vkr::storeChanged(vkr::StorePart::servers);
        QCOMPARE(rowCount(), 0);
        QCOMPARE(vkr::store().settings.history.size(), size_t(1));
        QTest::keyClicks(ui()->AddServer, "127.0.0.1:2400");
        QTest::mouseClick(ui()->AddButton, Qt::LeftButton);
        QCOMPARE(shownNames(), QStringList{"127.0.0.1"});
        QVERIFY(at(0).data(Qt::ToolTipRole).toString().startsWith("Last played: "));
        clickRow(0);
        QTest::keyClick(ui()->SGrid, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(form()->details()->ui()->LastPlayed->text(), at(0).data(Qt::ToolTipRole));
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
        QTest::newRow("name down, silent last")
            << 0 << 2 << 0 << 0 << QStringList{five, twelve, " "};
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

    // The sort last chosen is shown at every opening, also after the watcher and after a
    // restart, and is kept in the launcher's key; absent, the table order.
    void rememberedSort_data() {
        QTest::addColumn<int>("clicks"); // on the Server Name header
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("sortcolumn"); // as stored
        QTest::addColumn<int>("sortorder");
        QTest::newRow("never sorted") << 0 << QStringList{"b", "A", "c"} << -1 << 0;
        QTest::newRow("up") << 1 << QStringList{"A", "b", "c"} << 0 << 0;
        QTest::newRow("down") << 2 << QStringList{"c", "b", "A"} << 0 << 1;
    }
    void rememberedSort() {
        QFETCH(int, clicks);
        QFETCH(QStringList, names);
        QFETCH(int, sortcolumn);
        QFETCH(int, sortorder);
        openBrowser(
            {{"b", "127.0.0.1", "2400"}, {"A", "127.0.0.1", "2402"}, {"c", "127.0.0.1", "2404"}});
        QHeaderView* header = ui()->SGrid->horizontalHeader();
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
        }
        header->resizeSection(1, 190); // as the user drags its border
        auto stored = [this](const char* name) {
            auto v = fx->stored(vkr::Hive::CurrentUser, vkr::kLauncherKey, name);
            return v ? int(int32_t(v->asDword())) : -2;
        };
        QCOMPARE(stored("sortcolumn"), -2); // saved when the window hides, not at each click
        auto shown = [this] {
            QStringList list;
            for (int r = 0; r < rowCount(); ++r) {
                list << cell(r, 0);
            }
            return list;
        };
        QCOMPARE(shown(), names);
        // Through the watcher and back.
        QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
        vkr::forms().formWatcher->close();
        QTRY_VERIFY(form()->isVisible());
        QCOMPARE(shown(), names);
        // A new run of the launcher.
        vkr::forms().form1->close();
        QCOMPARE(stored("sortcolumn"), sortcolumn);
        QCOMPARE(stored("sortorder"), sortorder);
        fx->stop();
        fx->start();
        vkr::forms().form1->show();
        vkr::forms().form1->BitBtn5Click();
        QTRY_VERIFY(form()->isVisible());
        QCOMPARE(shown(), names);
        QCOMPARE(ui()->SGrid->horizontalHeader()->sortIndicatorSection(), clicks ? 0 : -1);
        QCOMPARE(ui()->SGrid->horizontalHeader()->sectionSize(1), 190);
    }

    // The sort arrow has a strip of its own: the header's text is drawn the same with and
    // without it, also in the narrow Ping column.
    void sortArrowLeavesTextAlone() {
        openBrowser({{"Any", "127.0.0.1", "2400"}});
        QHeaderView* header = ui()->SGrid->horizontalHeader();
        const QRect ping(header->sectionViewportPosition(2), 0, header->sectionSize(2),
                         header->height());
        auto textArea = [&] {
            // Below the arrow's strip, inside the section's border.
            return header->grab(ping.adjusted(2, 6, -2, -2)).toImage();
        };
        const QImage unsorted = textArea();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, ping.center());
        QCOMPARE(header->sortIndicatorSection(), 2);
        QCOMPARE(textArea(), unsorted);
    }

    // The server editor as the user works it: the row of the server named name picked in its
    // list (or a new name typed), edit applied to its fields, then Save, or Delete confirmed.
    void editInEditor(const QString& name, const std::function<void(Ui::TForm3*)>& edit) {
        TForm3* editor = vkr::forms().form3;
        vkr::showFormCentred(editor, form());
        Ui::TForm3* e = editor->ui();
        const int row = e->ServerList->findText(name);
        if (row >= 0) {
            editor_rows::pick(e->ServerList, row);
        } else {
            editor_rows::typeInto(e->ServerList, name);
        }
        if (edit) {
            edit(e);
            QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
        } else {
            fx->prompts.confirmAnswers = {true};
            QTest::mouseClick(e->BitBtn2, Qt::LeftButton);
        }
        editor->hide();
    }
    int rowNamed(const QString& name) {
        for (int r = 0; r < rowCount(); ++r) {
            if (cell(r, 0) == name) {
                return r;
            }
        }
        return -1;
    }
    QStringList shownNames() {
        QStringList list;
        for (int r = 0; r < rowCount(); ++r) {
            list << cell(r, 0);
        }
        return list;
    }

    // Edits of the server table while the browser is open (or its pass looks up names): the
    // grid shows the table as it is now, and Join, Watcher and the watcher's Join act on the
    // server of the row that was selected, or on none when it was deleted.
    void editsWhileOpen_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("act");       // join, watch, watcher join, click new and join
        QTest::addColumn<QStringList>("names"); // the grid's names after the edit
        QTest::addColumn<QString>("bPlayers");  // what B's row shows as players after the edit
        QTest::addColumn<QString>("server");    // the server joined or watched ("": none)
        QTest::addColumn<QString>("message");
        const QString gone = "This server is no longer in the server list.";
        const QStringList abc{"A", "B", "C"};
        QTest::newRow("rename B") << "rename B"
                                  << "join" << QStringList{"A", "Bee", "C"} << "2/10"
                                  << "B"
                                  << "";
        QTest::newRow("re-address B") << "re-address B"
                                      << "join" << abc << " "
                                      << "B moved"
                                      << "";
        QTest::newRow("delete A before B") << "delete A"
                                           << "join" << QStringList{"B", "C"} << "2/10"
                                           << "B"
                                           << "";
        QTest::newRow("delete the selected B") << "delete B"
                                               << "join" << QStringList{"A", "C"} << ""
                                               << ""
                                               << "";
        QTest::newRow("add D, its row clicked")
            << "add D"
            << "click new and join" << QStringList{"A", "B", "C", "D"} << "2/10"
            << "D"
            << "";
        QTest::newRow("reload puts a server first")
            << "reload with Zero first"
            << "join" << QStringList{"Zero", "A", "B", "C"} << "2/10"
            << "B"
            << "";
        QTest::newRow("delete A during a pass") << "delete A during a pass"
                                                << "join" << QStringList{"B", "C"} << "2/10"
                                                << "B"
                                                << "";
        QTest::newRow("Watcher after delete A") << "delete A"
                                                << "watch" << QStringList{"B", "C"} << "2/10"
                                                << "B"
                                                << "";
        QTest::newRow("watcher's Join after delete A")
            << "delete A"
            << "watcher join" << QStringList{"B", "C"} << "2/10"
            << "B"
            << "";
        QTest::newRow("watcher's Join after delete B")
            << "delete B"
            << "watcher join" << QStringList{"A", "C"} << ""
            << "" << gone;
    }
    void editsWhileOpen() {
        QFETCH(QString, edit);
        QFETCH(QString, act);
        QFETCH(QStringList, names);
        QFETCH(QString, bPlayers);
        QFETCH(QString, server);
        QFETCH(QString, message);
        FakeServer fake;
        QVERIFY(fake.start(4));
        // C goes by a host name, so that a pass waits for its look-up while held is set.
        std::atomic<bool> held{false};
        vkr::setHostLookup([&](const std::string&) {
            while (held) {
                QThread::msleep(5);
            }
            return vkr::IPv4Bytes{127, 0, 0, 1};
        });
        const std::map<QString, QString> ports{{"A", QString::number(fake.ports[0] - 1)},
                                               {"B", QString::number(fake.ports[1] - 1)},
                                               {"C", QString::number(fake.ports[2] - 1)},
                                               {"D", QString::number(fake.ports[3] - 1)},
                                               {"B moved", QString::number(fake.ports[3] - 1)}};
        openBrowser({{"A", "127.0.0.1", gamePort(fake.ports[0])},
                     {"B", "127.0.0.1", gamePort(fake.ports[1])},
                     {"C", "gamma.test", gamePort(fake.ports[2])}});
        waitForRefresh();
        QTRY_COMPARE(cell(1, 3), QString("2/10"));
        clickRow(1); // B
        TFormWatcher* watcher = vkr::forms().formWatcher;
        if (act == "watcher join") {
            QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
            QVERIFY(watcher->isVisible());
        }
        if (edit == "rename B") {
            editInEditor("B", [](Ui::TForm3* e) { e->name->setText("Bee"); });
        } else if (edit == "re-address B") {
            editInEditor("B", [&](Ui::TForm3* e) { e->port->setText(ports.at("B moved")); });
        } else if (edit == "add D") {
            editor_rows::ScriptedIds ids({4}); // after the others in the table's order
            editInEditor("D", [&](Ui::TForm3* e) {
                e->host->setText("127.0.0.1");
                e->port->setText(ports.at("D"));
            });
        } else if (edit == "reload with Zero first") {
            std::string text = fx->readRegistryText();
            text += serverSection(0, {"Zero", "127.0.0.1", "2400"});
            fx->writeRegistryText(text);
            vkr::forms().form1->ReadRegistry();
        } else if (edit == "delete A during a pass") {
            held = true;
            QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
            QCOMPARE(statuses.last(), QString("Querying servers..."));
            editInEditor("A", nullptr);
            QVERIFY(!ui()->BitBtn2->isEnabled()); // the pass still waits for its look-up
            held = false;
            waitForRefresh();
        } else {
            editInEditor(edit.section(' ', 1), nullptr);
        }
        QCOMPARE(shownNames(), names);
        const int b = rowNamed(edit == "rename B" ? "Bee" : "B");
        if (b >= 0) {
            QCOMPARE(cell(b, 3), bPlayers);
            if (edit == "re-address B") {
                QCOMPARE(cell(b, 1), "127.0.0.1:" + ports.at("B moved"));
            }
        }
        const QString exe = installFakeGame();
        fx->prompts.clear();
        if (act == "join") {
            QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        } else if (act == "click new and join") {
            clickRow(rowNamed("D"));
            QCOMPARE(cell(rowNamed("D"), 2), QString("??"));
            QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        } else if (act == "watch") {
            QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
            QVERIFY(watcher->isVisible());
            QCOMPARE(QString::number(watcher->udps->RemotePort - 1), ports.at(server));
            return;
        } else {
            QTest::mouseClick(watcher->ui()->BitBtn2, Qt::LeftButton);
        }
        QCOMPARE(fx->prompts.messages(), message.isEmpty()
                                             ? std::vector<std::string>{}
                                             : std::vector<std::string>{message.toStdString()});
        if (server.isEmpty()) {
            QTest::qWait(300);
            QVERIFY(
                !QFile::exists(QString::fromStdString(fx->gameFolder()) + "/launch-record.json"));
        } else {
            QVERIFY(launchedWith().contains("-port=" + ports.at(server)));
        }
    }

    // The filter bar: the text and the ticks hide rows, the status bar counts what is shown,
    // and the filter is kept in the launcher's key.
    void filters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ticks"); // hide empty, hide full, hide no reply, played before
        QTest::addColumn<int>("maxPing");
        QTest::addColumn<QStringList>("shown");
        const QStringList all{"Alpha", "Bravo", "Charlie", "Delta"};
        QTest::newRow("nothing") << ""
                                 << "0000" << 0 << all;
        QTest::newRow("name, any case") << "ALP"
                                        << "0000" << 0 << QStringList{"Alpha"};
        QTest::newRow("player name") << "zed"
                                     << "0000" << 0 << QStringList{"Bravo"};
        QTest::newRow("mission") << "island"
                                 << "0000" << 0 << QStringList{"Delta"};
        QTest::newRow("host") << "127.0"
                              << "0000" << 0 << all;
        QTest::newRow("no match") << "xyz"
                                  << "0000" << 0 << QStringList{};
        QTest::newRow("hide empty") << ""
                                    << "1000" << 0 << QStringList{"Bravo", "Charlie", "Delta"};
        QTest::newRow("hide full") << ""
                                   << "0100" << 0 << QStringList{"Alpha", "Charlie", "Delta"};
        QTest::newRow("hide no reply") << ""
                                       << "0010" << 0 << QStringList{"Alpha", "Bravo", "Delta"};
        QTest::newRow("all three, and text") << "a"
                                             << "1110" << 0 << QStringList{"Delta"};
        QTest::newRow("max ping 100: the slow one hidden, no reply kept")
            << ""
            << "0000" << 100 << QStringList{"Alpha", "Bravo", "Charlie"};
        QTest::newRow("max ping 150") << ""
                                      << "0000" << 150 << all;
        QTest::newRow("max ping 100, hide no reply")
            << ""
            << "0010" << 100 << QStringList{"Alpha", "Bravo"};
        QTest::newRow("played before: newest first")
            << ""
            << "0001" << 0 << QStringList{"Delta", "Alpha"};
    }
    void filters() {
        QFETCH(QString, text);
        QFETCH(QString, ticks);
        QFETCH(int, maxPing);
        QFETCH(QStringList, shown);
        // Alpha is empty, Bravo over full (Zed playing), Charlie never answers, Delta has a
        // mission and answers after 120 ms; the game was started on Delta, before that on Alpha.
        auto reply = [](const QStringList& t) { return QJsonArray{tokens(t)}; };
        FakeServer fake;
        QVERIFY(fake.start(
            4, QJsonArray{QJsonObject{{"replies", reply({"numplayers", "0", "maxplayers", "12"})}},
                          QJsonObject{{"replies", reply({"numplayers", "2", "maxplayers", "3",
                                                         "player_0", "Zed", "score_0", "1"})}},
                          QJsonObject{{"replies", QJsonArray{QJsonObject{{"silent", true}}}}},
                          QJsonObject{{"replies", reply({"gametype", "Island Raid", "numplayers",
                                                         "2", "maxplayers", "12"})},
                                      {"delayMs", 120}}}));
        openBrowser({{"Alpha", "127.0.0.1", gamePort(fake.ports[0])},
                     {"Bravo", "127.0.0.1", gamePort(fake.ports[1])},
                     {"Charlie", "127.0.0.1", gamePort(fake.ports[2])},
                     {"Delta", "127.0.0.1", gamePort(fake.ports[3])}});
        QTRY_COMPARE(cell(3, 4), QString("Island Raid"));
        QTRY_COMPARE(cell(1, 3), QString("2/1")); // over its capacity
        QTRY_COMPARE_WITH_TIMEOUT(at(2).data(Qt::ToolTipRole).toString(), QString("No reply"),
                                  10000);
        vkr::store().settings.history = {"127.0.0.1:" + gamePort(fake.ports[3]) + "|Delta|2",
                                         "127.0.0.1:" + gamePort(fake.ports[0]) + "|Alpha|1"};
        vkr::storeChanged(vkr::StorePart::history);
        QTest::keyClicks(ui()->FilterText, text);
        ui()->MaxPing->setCurrentIndex(ui()->MaxPing->findData(maxPing));
        QCheckBox* boxes[] = {ui()->HideEmpty, ui()->HideFull, ui()->HideSilent, ui()->PlayedOnly};
        for (int i = 0; i < 4; ++i) {
            if (ticks[i] == '1') {
                QTest::mouseClick(boxes[i], Qt::LeftButton);
            }
        }
        QCOMPARE(shownNames(), shown);
        const QLabel* count = form()->findChild<QLabel*>("ShownCount");
        QCOMPARE(count->isVisibleTo(form()), shown.size() < 4);
        if (shown.size() < 4) {
            QCOMPARE(count->text(), QString("%1 of 4 servers shown").arg(shown.size()));
        }
        if (QTest::currentDataTag() == QString("hide empty")) {
            QHeaderView* header = ui()->SGrid->horizontalHeader();
            const int x = header->sectionViewportPosition(2) + header->sectionSize(2) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 8));
            QVERIFY(form()->grab().save("/tmp/shots/browser_filtered_sorted.png"));
        }
        form()->close();
        auto stored = [this](const char* name) {
            return fx->stored(vkr::Hive::CurrentUser, vkr::kLauncherKey, name);
        };
        QCOMPARE(stored("filter"), std::optional(vkr::RegValue::text(text.toStdString())));
        const char* names[] = {"hideempty", "hidefull", "hidesilent", "playedonly"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(stored(names[i]), std::optional(vkr::RegValue::dword(ticks[i] == '1')));
        }
        QCOMPARE(stored("maxping"), std::optional(vkr::RegValue::dword(maxPing)));
    }

    // The keys of the server grid.
    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("Enter joins") << int(Qt::Key_Return) << "joined";
        QTest::newRow("F5 refreshes") << int(Qt::Key_F5) << "pass";
        QTest::newRow("menu key opens the row menu") << int(Qt::Key_Menu) << "menu";
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(QString, outcome);
        openBrowser({{"One", "127.0.0.1", "2400"}, {"Two", "127.0.0.1", "2402"}});
        waitForRefresh();
        const QString exe = installFakeGame();
        clickRow(1);
        statuses.clear();
        QTest::keyClick(ui()->SGrid, Qt::Key(key));
        if (outcome == "joined") {
            QVERIFY(launchedWith().contains("-port=2402"));
        } else if (outcome == "pass") {
            // Refresh is disabled while the pass sends, so F5 starts nothing more then.
            QVERIFY(!ui()->BitBtn2->isEnabled());
            waitForRefresh();
        } else {
            QTRY_VERIFY(QApplication::activePopupWidget());
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QStringList texts;
            for (QAction* a : menu->actions()) {
                texts << a->text();
            }
            QCOMPARE(texts, (QStringList{"Join server", "Watcher", "Copy address", "Edit server...",
                                         "Server details...", "Refresh server"}));
            menu->close();
        }
    }

    // The menu on a row acts on the row right-clicked, whatever was selected before.
    void rowMenu_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("Join server") << "Join server";
        QTest::newRow("Watcher") << "Watcher";
        QTest::newRow("Copy address") << "Copy address";
        QTest::newRow("Edit server...") << "Edit server...";
        QTest::newRow("Server details...") << "Server details...";
    }
    void rowMenu() {
        QFETCH(QString, item);
        openBrowser({{"One", "127.0.0.1", "2400"},
                     {"Two", "10.1.2.3", "2402"},
                     {"Three", "127.0.0.1", "2404"}});
        waitForRefresh();
        // Sorted by name, down: Two, Three, One.
        QHeaderView* header = ui()->SGrid->horizontalHeader();
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
        }
        QCOMPARE(shownNames(), (QStringList{"Two", "Three", "One"}));
        clickRow(1);
        const QString exe = installFakeGame();
        const QPoint pos = ui()->SGrid->visualRect(at(0)).center();
        QTest::mouseClick(ui()->SGrid->viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos,
                                ui()->SGrid->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(ui()->SGrid->viewport(), &event);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* a : menu->actions()) {
            if (a->text() == item) {
                menu->close();
                a->trigger();
            }
        }
        if (item == "Join server") {
            QVERIFY(launchedWith().contains("-port=2402"));
        } else if (item == "Watcher") {
            QCOMPARE(vkr::forms().formWatcher->udps->RemoteHost, std::string("10.1.2.3"));
        } else if (item == "Server details...") {
            QCOMPARE(form()->details()->ui()->Address->text(), QString("10.1.2.3:2402"));
        } else if (item == "Copy address") {
            QCOMPARE(QApplication::clipboard()->text(), QString("10.1.2.3:2402"));
        } else {
            TForm3* editor = vkr::forms().form3;
            QVERIFY(editor->isVisible());
            QCOMPARE(editor->ui()->ServerList->currentIndex(), 1);
            QCOMPARE(editor->ui()->host->text(), QString("10.1.2.3"));
        }
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
        QTRY_VERIFY(!ui()->BitBtn2->isEnabled()); // a pass sends
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
                                  << "Query done...";
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
        QCOMPARE(rowCount(), 0);
        QCOMPARE(ui()->SGrid->model()->headerData(0, Qt::Horizontal).toString(),
                 QString("Server Name"));
        fx->prompts.clear();
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QTest::mouseClick(ui()->BitBtn3, Qt::LeftButton);
        QVERIFY(fx->prompts.shown.empty());
        QVERIFY(form()->isVisible() && !vkr::forms().formWatcher->isVisible());
        waitForRefresh();
    }

    // An address typed into "Add server": a new row named after the host, saved, selected and
    // asked at once; bad input is named under the box and adds nothing; a server already listed
    // is selected. "NEW" stands for the game port of a fake server not yet listed, "OLD" for
    // that of the one listed as "Old".
    void typedAddress_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("enter"); // Enter in the box, else the Add button
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("selected"); // the selected row's name and address
        QTest::addColumn<QString>("stored");       // the new server as stored; empty for none
        QTest::addColumn<QString>("message");
        const QStringList old{"Old", "127.0.0.1:OLD"};
        QTest::newRow("address and port")
            << "127.0.0.1:NEW" << false << "" << QStringList{"127.0.0.1", "127.0.0.1:NEW"}
            << "127.0.0.1|127.0.0.1:NEW|sockets"
            << "127.0.0.1:NEW added.";
        QTest::newRow("host name, Enter")
            << " localhost:NEW " << true << "" << QStringList{"localhost", "localhost:NEW"}
            << "localhost|localhost:NEW|sockets"
            << "localhost:NEW added.";
        QTest::newRow("no port: 2302")
            << "127.0.0.9" << false << "" << QStringList{"127.0.0.9", "127.0.0.9:2302"}
            << "127.0.0.9|127.0.0.9:2302|sockets"
            << "127.0.0.9:2302 added.";
        QTest::newRow("hidden by the filter") << "127.0.0.1:NEW" << false << "zzz" << QStringList{}
                                              << "127.0.0.1|127.0.0.1:NEW|sockets"
                                              << "127.0.0.1:NEW added. The filter hides it.";
        QTest::newRow("listed already") << "127.0.0.1:OLD" << true << "" << old << ""
                                        << "127.0.0.1:OLD is in the list already.";
        QTest::newRow("a space") << "127.0.0.1 :NEW" << false << "" << old << ""
                                 << "An address has no spaces.";
        QTest::newRow("two colons") << "127.0.0.1:NEW:1" << true << "" << old << ""
                                    << "Only one colon, between host and port.";
        QTest::newRow("port 0") << "127.0.0.1:0" << false << "" << old << ""
                                << "The port must be a number from 1 to 65535.";
        QTest::newRow("no host") << ":NEW" << false << "" << old << ""
                                 << "The host is missing before the colon.";
    }
    void typedAddress() {
        QFETCH(QString, input);
        QFETCH(bool, enter);
        QFETCH(QString, filter);
        QFETCH(QStringList, selected);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        FakeServer fake;
        QVERIFY(fake.start(2));
        const QString oldPort = QString::fromStdString(gamePort(fake.ports[0]));
        const QString newPort = QString::fromStdString(gamePort(fake.ports[1]));
        auto ports = [&](QString text) {
            return text.replace("NEW", newPort).replace("OLD", oldPort);
        };
        openBrowser({{"Old", "127.0.0.1", oldPort.toStdString()}});
        waitForRefresh();
        QTest::keyClicks(ui()->FilterText, filter);
        ui()->AddServer->setText(ports(input));
        const int added = stored.isEmpty() ? 0 : 1;
        if (enter) {
            QTest::keyClick(ui()->AddServer, Qt::Key_Return);
            // Enter adds; it does not also press Join, which would start the game.
            QVERIFY(vkr::forms().form1->ui()->BitBtn3->isEnabled());
        } else {
            QTest::mouseClick(ui()->AddButton, Qt::LeftButton);
        }
        QCOMPARE(ui()->AddMessage->text(), ports(message));
        // A screen reader reads it as the label's name and as the box's description.
        QAccessibleInterface* said = QAccessible::queryAccessibleInterface(ui()->AddMessage);
        QCOMPARE(said->text(QAccessible::Name), ports(message));
        QCOMPARE(ui()->AddServer->accessibleDescription(), ports(message));
        QStringList servers{"Old|127.0.0.1:" + oldPort + "|sockets"};
        if (added) {
            servers << ports(stored);
        }
        servers.sort();
        QCOMPARE(storedServers(), servers);
        QCOMPARE(selectedCells().mid(0, 2),
                 selected.replaceInStrings("NEW", newPort).replaceInStrings("OLD", oldPort));
        QCOMPARE(ui()->AddServer->text().isEmpty(), added == 1);
        if (added && ports(stored).contains(newPort)) {
            // Asked at once, not at the next pass.
            const QString at = QString::number(fake.ports[1]) + " ";
            QTRY_VERIFY(!fake.received().filter(QRegularExpression("^" + at)).isEmpty());
            QCOMPARE(statuses.count("Querying servers..."), 1);
        }
        // An edit of the box clears what was said.
        QTest::keyClick(ui()->AddServer, Qt::Key_End);
        QVERIFY(!ui()->AddMessage->text().isEmpty());
        QTest::keyClicks(ui()->AddServer, "x");
        QCOMPARE(ui()->AddMessage->text(), QString());
    }

    // A row added from "Add server" takes the server's hostname at its first reply, unless the
    // user renamed it before; the name is saved.
    void nameAtFirstReply_data() {
        QTest::addColumn<QString>("rename"); // in the server editor before the reply; "" none
        QTest::addColumn<QStringList>("hostnames"); // of the replies, one per pass; "-" none
        QTest::addColumn<QString>("name");
        QTest::newRow("hostname") << "" << QStringList{"Harjun Ridge"} << "Harjun Ridge";
        QTest::newRow("no hostname") << "" << QStringList{"-"} << "127.0.0.1";
        QTest::newRow("empty hostname") << "" << QStringList{""} << "127.0.0.1";
        QTest::newRow("renamed before the reply")
            << "Mine" << QStringList{"Harjun Ridge"} << "Mine";
        QTest::newRow("only the first reply names it")
            << "" << QStringList{"-", "Harjun Ridge"} << "127.0.0.1";
    }
    void nameAtFirstReply() {
        QFETCH(QString, rename);
        QFETCH(QStringList, hostnames);
        QFETCH(QString, name);
        QUdpSocket query;
        QVERIFY(query.bind(QHostAddress::LocalHost, 0));
        const QString port = QString::fromStdString(gamePort(query.localPort()));
        openBrowser({{"Old", "127.0.0.1", "2400"}});
        waitForRefresh();
        QComboBox* typed = vkr::forms().form1->ui()->PlayerName;
        typed->setEditText("Typed, not saved");
        ui()->AddServer->setText("127.0.0.1:" + port);
        QTest::mouseClick(ui()->AddButton, Qt::LeftButton);
        if (!rename.isEmpty()) {
            TForm3* editor = vkr::forms().form3;
            editor->EditServer(vkr::store().servers.lastRow, form());
            QCOMPARE(editor->ui()->host->text(), QString("127.0.0.1"));
            editor->ui()->name->setText(rename);
            QTest::mouseClick(editor->ui()->BitBtn1, Qt::LeftButton);
            editor->close();
        }
        for (int pass = 0; pass < hostnames.size(); ++pass) {
            if (pass > 0) {
                waitForRefresh();
                form()->BitBtn2Click();
            }
            QTRY_VERIFY(query.hasPendingDatagrams());
            const QNetworkDatagram request = query.receiveDatagram();
            while (query.hasPendingDatagrams()) {
                query.receiveDatagram();
            }
            const QByteArray player = "P" + QByteArray::number(pass + 1);
            const QByteArray reply =
                (hostnames[pass] == "-" ? QByteArray("\\")
                                        : "\\hostname\\" + hostnames[pass].toUtf8() + "\\") +
                "numplayers\\1\\player_0\\" + player + "\\";
            query.writeDatagram(reply, request.senderAddress(), request.senderPort());
            // The player grid shows the reply at the refresh that follows it, which saves the
            // new name too.
            QTRY_COMPARE(players(), QStringList{player + " "});
        }
        QCOMPARE(selectedCells().value(0), name);
        QStringList servers{"Old|127.0.0.1:2400|sockets", name + "|127.0.0.1:" + port + "|sockets"};
        servers.sort();
        QCOMPARE(storedServers(), servers);
        if (rename.isEmpty()) { // the server editor reloads the settings, as it always has
            QCOMPARE(typed->currentText(), QString("Typed, not saved"));
        }
        vkr::forms().form1->ReadRegistry();
        QCOMPARE(selectedCells().value(0), name);
    }

    // Friends in the grid: a star before the name of a server where one plays and the tooltip
    // naming them as the server sent them, their names bold among the players, and "Friends
    // only" keeping those servers; sorting by name ignores the star.
    void friendsMarked_data() {
        QTest::addColumn<QStringList>("friends");
        QTest::addColumn<QStringList>("names");   // the rows sorted by name, Alpha then Bravo
        QTest::addColumn<QString>("tooltip");     // of Alpha
        QTest::addColumn<QStringList>("players"); // of Alpha, friends between asterisks
        QTest::addColumn<QStringList>("friendsOnly");
        const QStringList alpha{"Ann", "Bob", " cy "};
        QTest::newRow("no friends")
            << QStringList{} << QStringList{"Alpha", "Bravo"} << "" << alpha << QStringList{};
        QTest::newRow("other case, spaces around")
            << QStringList{" ann ", "CY"} << QStringList{"\u2605 Alpha", "Bravo"}
            << "Friends: Ann,  cy " << QStringList{"*Ann*", "Bob", "* cy *"}
            << QStringList{"\u2605 Alpha"};
        QTest::newRow("friends on both")
            << QStringList{"Dee", "Bob"} << QStringList{"\u2605 Alpha", "\u2605 Bravo"}
            << "Friends: Bob" << QStringList{"Ann", "*Bob*", " cy "}
            << QStringList{"\u2605 Alpha", "\u2605 Bravo"};
        QTest::newRow("part of a name is no friend")
            << QStringList{"An", "Bo"} << QStringList{"Alpha", "Bravo"} << "" << alpha
            << QStringList{};
    }
    void friendsMarked() {
        QFETCH(QStringList, friends);
        QFETCH(QStringList, names);
        QFETCH(QString, tooltip);
        QFETCH(QStringList, players);
        QFETCH(QStringList, friendsOnly);
        FakeServer fake;
        QVERIFY(fake.start(2, QJsonArray{QJsonObject{{"replies", playing({"Ann", "Bob", " cy "})}},
                                         QJsonObject{{"replies", playing({"Dee"})}}}));
        openBrowser({{"Bravo", "127.0.0.1", gamePort(fake.ports[1])},
                     {"Alpha", "127.0.0.1", gamePort(fake.ports[0])}},
                    friendsSection(friends));
        QTRY_COMPARE(cell(0, 3), QString("1/10"));
        QTRY_COMPARE(cell(1, 3), QString("3/10"));
        QTest::mouseClick(ui()->SGrid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(10, 8));
        QTRY_COMPARE(shownNames(), names); // the marks come with the views' next update
        QCOMPARE(at(0).data(Qt::ToolTipRole).toString(), tooltip);
        clickRow(0);
        QCOMPARE(playerNames(), players);
        QTest::mouseClick(ui()->FriendsOnly, Qt::LeftButton);
        QCOMPARE(shownNames(), friendsOnly);
        form()->close();
        QCOMPARE(fx->stored(vkr::Hive::CurrentUser, vkr::kLauncherKey, "friendsonly"),
                 std::optional(vkr::RegValue::dword(1)));
    }

    // The player grid's menu adds a player to the friends or removes a friend; the marks, the
    // bold names and "Friends only" follow at once, and the list is saved. The Friends window's
    // edits do the same.
    void friendsEdited_data() {
        QTest::addColumn<QStringList>("friends");
        QTest::addColumn<QStringList>("sent"); // Alpha's players
        QTest::addColumn<QString>("how");  // "click", "menu key", or "window" (the Friends window)
        QTest::addColumn<int>("player");   // the row of Alpha's player grid
        QTest::addColumn<QString>("item"); // the menu's one item; "" no menu
        QTest::addColumn<QStringList>("players");
        QTest::addColumn<QStringList>("shown"); // with "Friends only"
        QTest::addColumn<QString>("stored");
        const QStringList annBob{"Ann", "Bob"};
        QTest::newRow("add") << QStringList{} << annBob << "click" << 1 << "Add to friends"
                             << QStringList{"Ann", "*Bob*"} << QStringList{"\u2605 Alpha"}
                             << "Bob||";
        QTest::newRow("add by the menu key")
            << QStringList{"Zed"} << annBob << "menu key" << 0 << "Add to friends"
            << QStringList{"*Ann*", "Bob"} << QStringList{"\u2605 Alpha"} << "Zed|Ann||";
        QTest::newRow("remove, other case")
            << QStringList{"bob"} << annBob << "click" << 1 << "Remove from friends"
            << QStringList{"Ann", "Bob"} << QStringList{} << "|";
        QTest::newRow("the Friends window adds")
            << QStringList{} << annBob << "window" << 0 << "" << QStringList{"*Ann*", "Bob"}
            << QStringList{"\u2605 Alpha"} << "ann||";
        QTest::newRow("below the players, no menu")
            << QStringList{} << annBob << "click" << 2 << "" << QStringList{"Ann", "Bob"}
            << QStringList{} << "<none>";
        QTest::newRow("\"no players\", no menu")
            << QStringList{} << QStringList{} << "click" << 0 << "" << QStringList{"no players"}
            << QStringList{} << "<none>";
    }
    void friendsEdited() {
        QFETCH(QStringList, friends);
        QFETCH(QStringList, sent);
        QFETCH(QString, how);
        QFETCH(int, player);
        QFETCH(QString, item);
        QFETCH(QStringList, players);
        QFETCH(QStringList, shown);
        QFETCH(QString, stored);
        FakeServer fake;
        QVERIFY(fake.start(1, QJsonArray{QJsonObject{{"replies", playing(sent)}}}));
        openBrowser({{"Alpha", "127.0.0.1", gamePort(fake.ports[0])}},
                    friends.isEmpty() ? std::string() : friendsSection(friends));
        QTRY_COMPARE(cell(0, 3), QString("%1/10").arg(sent.size()));
        QTest::mouseClick(ui()->FriendsOnly, Qt::LeftButton);
        clickRow(0);
        QComboBox* typed = vkr::forms().form1->ui()->PlayerName;
        typed->setEditText("Typed, not saved");
        if (how == "window") {
            vkr::forms().form1->ui()->Friends1->trigger();
            vkr::forms().formFriends->ui()->FriendName->setText("ann");
            QTest::mouseClick(vkr::forms().formFriends->ui()->AddButton, Qt::LeftButton);
        } else {
            QMenu* menu = nullptr;
            if (how == "menu key") {
                ui()->PlrGrid->setCurrentIndex(ui()->PlrGrid->model()->index(player, 0));
                QTest::keyClick(ui()->PlrGrid, Qt::Key_Menu);
                menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            } else {
                menu = menuOn(ui()->PlrGrid, player);
            }
            QStringList texts;
            for (QAction* a : menu ? menu->actions() : QList<QAction*>{}) {
                texts << a->text();
            }
            QCOMPARE(texts, item.isEmpty() ? QStringList{} : QStringList{item});
            if (menu) {
                menu->close();
                menu->actions().first()->trigger();
            }
        }
        QCOMPARE(shownNames(), shown);
        QCOMPARE(storedFriends(), stored);
        QCOMPARE(typed->currentText(), QString("Typed, not saved"));
        if (!shown.isEmpty()) {
            clickRow(0);
        }
        QCOMPARE(playerNames(), players);
    }

    void sizeColumns_data() {
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<QList<int>>("widths"); // SGrid's five, then PlrGrid's two
        QTest::newRow("design size, grid 481")
            << 500 << QList<int>{125, 125, 39, 48, 135, 150, 331};
        QTest::newRow("grid 200") << 219 << QList<int>{32, 32, 39, 48, 42, 150, 50};
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
