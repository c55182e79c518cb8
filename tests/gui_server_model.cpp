// The browser's server model and its sorted view, without a window: edits of the server table
// keep every row on its server and its status, and Qt's model checker sees every change
// announced as it happens.
#include "app/window.h"
#include "status/server_model.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace {

struct Entry {
    int32_t id;
    std::string name, ip, port;
    bool sockets = true;
};

vkr::ServerTable tableOf(const std::vector<Entry>& entries) {
    vkr::ServerTable t;
    for (const Entry& e : entries) {
        vkr::ServerEntry& row = t.append();
        row.id = e.id;
        row.name = e.name;
        row.ip = e.ip;
        row.port = e.port;
        row.sockets = e.sockets;
    }
    return t;
}

// A reply as a server sends it, with its player count.
std::string reply(int players) {
    return "\\numplayers\\" + std::to_string(players) + "\\maxplayers\\12\\";
}

} // namespace

class ServerModelTest : public QObject {
    Q_OBJECT

    QStringList column(const QAbstractItemModel& m, int c) {
        QStringList list;
        for (int r = 0; r < m.rowCount(); ++r) {
            list << m.index(r, c).data().toString();
        }
        return list;
    }

private slots:
    // A tooltip shows its text as it is, whatever markup a player's name holds.
    void plainToolTips_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Friends: Ann";
        QTest::newRow("a tag") << "Friends: <b>Ann</b>,  cy ";
        QTest::newRow("a tag, an entity, two lines") << "Friends: <i>x</i> &amp;\nLast played: 1";
    }
    void plainToolTips() {
        QFETCH(QString, text);
        const QString tip = vkr::plainToolTip(text);
        QTextDocument shown;
        if (Qt::mightBeRichText(tip)) {
            shown.setHtml(tip);
        } else {
            shown.setPlainText(tip);
        }
        QCOMPARE(shown.toPlainText(), text);
    }

    // A, B and C answered with 1, 2 and 3 players; the view sorts by Players, down, with B
    // selected. Then the table is edited, and B's old address answers once more with 9.
    void edits_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QStringList>("names");     // in table order
        QTest::addColumn<QStringList>("players");   // in table order
        QTest::addColumn<QString>("selected");      // the name of the selected row, "" none
        QTest::addColumn<QStringList>("afterLate"); // players after B's old address answers
        const QString none = " ";
        QTest::newRow("nothing") << "" << QStringList{"A", "B", "C"}
                                 << QStringList{"1/10", "2/10", "3/10"} << "B"
                                 << QStringList{"1/10", "9/10", "3/10"};
        QTest::newRow("rename B") << "rename B" << QStringList{"A", "Bee", "C"}
                                  << QStringList{"1/10", "2/10", "3/10"} << "Bee"
                                  << QStringList{"1/10", "9/10", "3/10"};
        QTest::newRow("B on another host")
            << "host B" << QStringList{"A", "B", "C"} << QStringList{"1/10", none, "3/10"} << "B"
            << QStringList{"1/10", none, "3/10"};
        QTest::newRow("B on another port")
            << "port B" << QStringList{"A", "B", "C"} << QStringList{"1/10", none, "3/10"} << "B"
            << QStringList{"1/10", none, "3/10"};
        QTest::newRow("B on DirectPlay")
            << "dplay B" << QStringList{"A", "B", "C"} << QStringList{"1/10", none, "3/10"} << "B"
            << QStringList{"1/10", none, "3/10"};
        QTest::newRow("delete A") << "delete A" << QStringList{"B", "C"}
                                  << QStringList{"2/10", "3/10"} << "B"
                                  << QStringList{"9/10", "3/10"};
        QTest::newRow("delete B") << "delete B" << QStringList{"A", "C"}
                                  << QStringList{"1/10", "3/10"} << ""
                                  << QStringList{"1/10", "3/10"};
        QTest::newRow("add D first") << "add D first" << QStringList{"D", "A", "B", "C"}
                                     << QStringList{none, "1/10", "2/10", "3/10"} << "B"
                                     << QStringList{none, "1/10", "9/10", "3/10"};
        QTest::newRow("reversed, D added, A deleted")
            << "reverse" << QStringList{"C", "D", "B"} << QStringList{"3/10", none, "2/10"} << "B"
            << QStringList{"3/10", none, "9/10"};
        QTest::newRow("emptied") << "empty" << QStringList{} << QStringList{} << ""
                                 << QStringList{};
    }
    void edits() {
        QFETCH(QString, edit);
        QFETCH(QStringList, names);
        QFETCH(QStringList, players);
        QFETCH(QString, selected);
        QFETCH(QStringList, afterLate);
        std::vector<Entry> entries{{1, "A", "10.0.0.1", "2302"},
                                   {2, "B", "10.0.0.2", "2302"},
                                   {3, "C", "10.0.0.3", "2302"}};
        ServerModel model;
        ServerView view(&model);
        QAbstractItemModelTester checkModel(&model);
        QAbstractItemModelTester checkView(&view);
        model.sync(tableOf(entries));
        vkr::BrowserRows& rows = model.rows();
        rows.beginPass();
        for (int r = 0; r < rows.count(); ++r) {
            vkr::QueryRow& state = rows.stateForPass(r);
            state.status.address = rows[r].entry.ip;
            state.status.sendTick = 0;
            rows.noteAsked(r);
        }
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(rows.applyReply(entries[r].ip, 2303, reply(r + 1), 1), std::vector<int>{r});
            model.noteChanged(r);
        }
        model.flushChanges();
        view.sort(ServerModel::PlayersColumn, Qt::DescendingOrder);
        QCOMPARE(column(view, 0), (QStringList{"C", "B", "A"}));
        const QPersistentModelIndex b = view.index(1, 0);

        const Entry d{4, "D", "10.0.0.4", "2302"};
        if (edit == "rename B") {
            entries[1].name = "Bee";
        } else if (edit == "host B") {
            entries[1].ip = "10.0.0.9";
        } else if (edit == "port B") {
            entries[1].port = "2400";
        } else if (edit == "dplay B") {
            entries[1].sockets = false;
        } else if (edit.startsWith("delete")) {
            entries.erase(entries.begin() + (edit == "delete A" ? 0 : 1));
        } else if (edit == "add D first") {
            entries.insert(entries.begin(), d);
        } else if (edit == "reverse") {
            entries = {entries[2], d, entries[1]};
        } else if (edit == "empty") {
            entries.clear();
        }
        model.sync(tableOf(entries));
        QCOMPARE(column(model, ServerModel::NameColumn), names);
        QCOMPARE(column(model, ServerModel::PlayersColumn), players);
        QCOMPARE(b.isValid() ? b.data().toString() : QString(), selected);

        // A reply from B's address as it was before the edit.
        for (int r : rows.applyReply("10.0.0.2", 2303, reply(9), 2)) {
            model.noteChanged(r);
        }
        model.flushChanges();
        QCOMPARE(column(model, ServerModel::PlayersColumn), afterLate);
    }

    // Zed, Ärger and bob answered with 3, 1 and 2 players, pinged 30, 10 and 20 ms; Silent never
    // did. Rows without a reply sort last in both directions of every column (and among
    // themselves by it), text in the user's language regardless of case. Through a pass the rows
    // keep their values and their places until bob is given up, which puts it among the rows
    // without a reply.
    void order_data() {
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("afterGiveUp");
        QTest::newRow("name up") << int(ServerModel::NameColumn) << false
                                 << QStringList{"Ärger", "bob", "Zed", "Silent"}
                                 << QStringList{"Ärger", "Zed", "bob", "Silent"};
        QTest::newRow("name down")
            << int(ServerModel::NameColumn) << true << QStringList{"Zed", "bob", "Ärger", "Silent"}
            << QStringList{"Zed", "Ärger", "Silent", "bob"};
        QTest::newRow("host down")
            << int(ServerModel::HostColumn) << true << QStringList{"Ärger", "bob", "Zed", "Silent"}
            << QStringList{"Ärger", "Zed", "Silent", "bob"};
        QTest::newRow("ping up") << int(ServerModel::PingColumn) << false
                                 << QStringList{"Ärger", "bob", "Zed", "Silent"}
                                 << QStringList{"Ärger", "Zed", "Silent", "bob"};
        QTest::newRow("players down") << int(ServerModel::PlayersColumn) << true
                                      << QStringList{"Zed", "bob", "Ärger", "Silent"}
                                      << QStringList{"Zed", "Ärger", "Silent", "bob"};
    }
    void order() {
        QFETCH(int, sortColumn);
        QFETCH(bool, descending);
        QFETCH(QStringList, names);
        QFETCH(QStringList, afterGiveUp);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const std::vector<Entry> entries{{1, "Zed", "10.0.0.1", "2302"},
                                         {2, "Silent", "10.0.0.9", "2302"},
                                         {3, "Ärger", "10.0.0.3", "2302"},
                                         {4, "bob", "10.0.0.2", "2302"}};
        ServerModel model;
        ServerView view(&model);
        QAbstractItemModelTester checkView(&view);
        model.sync(tableOf(entries));
        vkr::BrowserRows& rows = model.rows();
        rows.beginPass();
        for (int r = 0; r < rows.count(); ++r) {
            rows.stateForPass(r).status.address = rows[r].entry.ip;
            rows.noteAsked(r);
        }
        const int players[] = {3, 0, 1, 2}, pings[] = {30, 0, 10, 20};
        for (int r : {0, 2, 3}) {
            rows.applyReply(entries[r].ip, 2303, reply(players[r]), pings[r]);
            model.noteChanged(r);
        }
        model.flushChanges();
        view.sort(sortColumn, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QCOMPARE(column(view, 0), names);
        const QStringList shownPlayers = column(view, ServerModel::PlayersColumn);
        rows.beginPass();
        for (int r = 0; r < rows.count(); ++r) {
            rows.beginRow(r);
            rows.stateForPass(r) = vkr::QueryRow{};
            model.noteChanged(r);
        }
        model.flushChanges();
        QCOMPARE(column(view, 0), names);
        QCOMPARE(column(view, ServerModel::PlayersColumn), shownPlayers);
        rows.giveUp(3);
        model.noteChanged(3);
        model.flushChanges();
        QCOMPARE(column(view, 0), afterGiveUp);
    }

    // A plays with Cy, B with Ann, a friend; the rows are marked once the replies are flushed,
    // and the marks follow edits of the table and of the friends.
    void friendMarks_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("nothing") << "" << QStringList{"A", "\u2605 B"};
        QTest::newRow("B renamed") << "rename B" << QStringList{"A", "\u2605 Bee"};
        QTest::newRow("B on another host") << "host B" << QStringList{"A", "B"};
        QTest::newRow("no friends any more") << "no friends" << QStringList{"A", "B"};
        QTest::newRow("Cy a friend too") << "add Cy" << QStringList{"\u2605 A", "\u2605 B"};
    }
    void friendMarks() {
        QFETCH(QString, edit);
        QFETCH(QStringList, names);
        std::vector<Entry> entries{{1, "A", "10.0.0.1", "2302"}, {2, "B", "10.0.0.2", "2302"}};
        ServerModel model;
        QAbstractItemModelTester checkModel(&model);
        model.sync(tableOf(entries));
        model.setFriends({"ann"});
        vkr::BrowserRows& rows = model.rows();
        rows.beginPass();
        const char* const players[] = {"Cy", " ANN"};
        for (int r = 0; r < 2; ++r) {
            vkr::QueryRow& state = rows.stateForPass(r);
            state.status.address = rows[r].entry.ip;
            rows.noteAsked(r);
            rows.applyReply(entries[r].ip, 2303,
                            std::string("\\numplayers\\1\\player_0\\") + players[r] + "\\", 1);
            model.noteChanged(r);
        }
        QCOMPARE(column(model, ServerModel::NameColumn), (QStringList{"A", "B"}));
        model.flushChanges();
        if (edit == "rename B") {
            entries[1].name = "Bee";
        } else if (edit == "host B") {
            entries[1].ip = "10.0.0.9";
        } else if (edit == "no friends") {
            model.setFriends({});
        } else if (edit == "add Cy") {
            model.setFriends({"ann", "cy"});
        }
        model.sync(tableOf(entries));
        QCOMPARE(column(model, ServerModel::NameColumn), names);
        QCOMPARE(model.index(1, 0).data(Qt::ToolTipRole).toString(),
                 names[1].startsWith("\u2605") ? QString("Friends:  ANN") : QString());
    }
};

QTEST_MAIN(ServerModelTest)
#include "gui_server_model.moc"
