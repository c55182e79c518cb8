#include "settings/editing.h"

#include <QTest>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

using vkr::ModTable;

namespace {

ModTable modsWithDirs(const QStringList& dirs) {
    ModTable mods;
    for (const QString& d : dirs) {
        vkr::ModEntry& m = mods.append();
        m.id = mods.lastRow + 100;
        m.dir = d.toStdString();
    }
    return mods;
}

std::vector<bool> bits(const QString& s) {
    std::vector<bool> out;
    for (QChar c : s) {
        out.push_back(c == '1');
    }
    return out;
}

// Hands out the given draws in order and counts them.
struct ScriptedDraws {
    std::deque<int32_t> values;
    int used = 0;
    vkr::IdSource source() {
        return [this] {
            ++used;
            int32_t v = values.front();
            values.pop_front();
            return v;
        };
    }
};

} // namespace

class CoreEditing : public QObject {
    Q_OBJECT
private slots:
    void buildsModsInTableOrder_data() {
        QTest::addColumn<QStringList>("dirs");
        QTest::addColumn<QString>("ticked");
        QTest::addColumn<QString>("text");
        QTest::newRow("none ticked") << QStringList{"A", "B"} << "00"
                                     << "";
        QTest::newRow("first and third") << QStringList{"A", "B", "C"} << "101"
                                         << "A;C;";
        QTest::newRow("all") << QStringList{"A", "B"} << "11"
                             << "A;B;";
        QTest::newRow("empty dir keeps its ;") << QStringList{"", "B"} << "11"
                                               << ";B;";
        QTest::newRow("ticks beyond the table") << QStringList{"A"} << "111"
                                                << "A;";
        QTest::newRow("fewer ticks than rows") << QStringList{"A", "B", "C"} << "01"
                                               << "B;";
        QTest::newRow("no mods") << QStringList{} << ""
                                 << "";
    }
    void buildsModsInTableOrder() {
        QFETCH(QStringList, dirs);
        QFETCH(QString, ticked);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(vkr::buildServerMods(modsWithDirs(dirs), bits(ticked))),
                 text);
    }

    void readsModsBack_data() {
        QTest::addColumn<QStringList>("dirs");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ticked");
        QTest::newRow("empty text") << QStringList{"A", "B"} << ""
                                    << "00";
        QTest::newRow("order of text does not matter") << QStringList{"A", "B", "C"} << "C;A;"
                                                       << "101";
        QTest::newRow("last piece without ;") << QStringList{"A", "B"} << "A;B"
                                              << "10";
        QTest::newRow("unknown piece ignored") << QStringList{"A", "B"} << "Z;B;"
                                               << "01";
        QTest::newRow("same dir twice in table") << QStringList{"A", "X", "A"} << "A;"
                                                 << "101";
        QTest::newRow("case-sensitive") << QStringList{"Desert", "desert"} << "desert;"
                                        << "01";
        QTest::newRow("no trimming") << QStringList{"A", " A"} << " A;"
                                     << "01";
        QTest::newRow("empty piece matches empty dir") << QStringList{"", "A"} << ";A;"
                                                       << "11";
        QTest::newRow("empty dir needs an empty piece") << QStringList{"", "A"} << "A;"
                                                        << "01";
        QTest::newRow("dir containing ;") << QStringList{"a;b", "a"} << "a;b;"
                                          << "01";
    }
    void readsModsBack() {
        QFETCH(QStringList, dirs);
        QFETCH(QString, text);
        QFETCH(QString, ticked);
        QCOMPARE(vkr::tickedMods(modsWithDirs(dirs), text.toStdString()), bits(ticked));
    }

    void drawsAgainUntilIdIsUnused_data() {
        QTest::addColumn<QList<int>>("draws");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("used");
        // The table holds ids 100, 101 and 102.
        QTest::newRow("first draw free") << QList<int>{7, 100} << 7 << 1;
        QTest::newRow("one collision") << QList<int>{101, 5} << 5 << 2;
        QTest::newRow("repeated collisions") << QList<int>{102, 100, 102, 0} << 0 << 4;
        QTest::newRow("largest id") << QList<int>{9'999'999} << 9'999'999 << 1;
    }
    void drawsAgainUntilIdIsUnused() {
        QFETCH(QList<int>, draws);
        QFETCH(int, id);
        QFETCH(int, used);
        ModTable mods = modsWithDirs({"A", "B", "C"});
        ScriptedDraws script{{draws.begin(), draws.end()}};
        QCOMPARE(vkr::drawNewId(mods, script.source()), id);
        QCOMPARE(script.used, used);
    }

    void rowForSave_data() {
        QTest::addColumn<int>("rows"); // rows with ids 0, 1, ...; the draws give 5, then 7000000
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("expectRow"); // -1: refused
        QTest::addColumn<int>("expectId");
        QTest::newRow("selected row keeps its id") << 3 << 1 << 1 << 1;
        QTest::newRow("no selection appends") << 3 << -1 << 3 << 5;
        QTest::newRow("new id drawn again") << 6 << -1 << 6 << 7'000'000;
        QTest::newRow("empty table appends row 0") << 0 << -1 << 0 << 5;
        QTest::newRow("index past the table appends") << 2 << 5 << 2 << 5;
        QTest::newRow("full table refuses") << 1025 << -1 << -1 << 0;
        QTest::newRow("full table, selected row") << 1025 << 1024 << 1024 << 1024;
    }
    void rowForSave() {
        QFETCH(int, rows);
        QFETCH(int, selected);
        QFETCH(int, expectRow);
        QFETCH(int, expectId);
        ModTable mods;
        for (int i = 0; i < rows; ++i) {
            vkr::ModEntry& m = mods.append();
            m.id = i;
            m.name = "m" + std::to_string(i);
            m.checked = true;
        }
        ScriptedDraws script{{5, 7'000'000}};
        vkr::ModEntry* row = vkr::rowForSave(mods, selected, script.source());
        if (expectRow < 0) {
            QVERIFY(row == nullptr);
            QCOMPARE(mods.count(), rows);
            return;
        }
        QVERIFY(row == &mods[expectRow]);
        QCOMPARE(row->id, expectId);
        bool appended = expectRow == rows;
        QCOMPARE(mods.count(), appended ? rows + 1 : rows);
        // A new row starts unticked and empty; a selected row keeps what it had.
        QCOMPARE(row->checked, !appended);
        QCOMPARE(row->name.empty(), appended);
    }

    void removeSelected_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("middle") << 1 << QStringList{"A", "C"};
        QTest::newRow("last") << 2 << QStringList{"A", "B"};
        QTest::newRow("no selection") << -1 << QStringList{"A", "B", "C"};
        QTest::newRow("past the table") << 3 << QStringList{"A", "B", "C"};
    }
    void removeSelected() {
        QFETCH(int, selected);
        QFETCH(QStringList, left);
        ModTable mods = modsWithDirs({"A", "B", "C"});
        vkr::removeSelected(mods, selected);
        QStringList dirs;
        for (int i = 0; i <= mods.lastRow; ++i) {
            dirs << QString::fromStdString(mods[i].dir);
        }
        QCOMPARE(dirs, left);
    }

    void timeSeededDrawsStayInRange() {
        vkr::IdSource draw = vkr::timeSeededIdSource();
        std::vector<int32_t> seen;
        for (int i = 0; i < 2000; ++i) {
            int32_t id = draw();
            QVERIFY2(id >= 0 && id < vkr::kIdLimit, std::to_string(id).c_str());
            seen.push_back(id);
        }
        std::sort(seen.begin(), seen.end());
        // 2000 draws out of ten million: a generator stuck on few values would repeat a lot.
        QVERIFY(std::unique(seen.begin(), seen.end()) - seen.begin() > 1990);
    }
};

QTEST_GUILESS_MAIN(CoreEditing)
#include "core_editing.moc"
