#include "settings/editing.h"

#include <QTest>

#include <algorithm>
#include <vector>

namespace {

// Rows with ids 0, 1, ... and the given dirs.
vkr::ModTable modsWithDirs(const QStringList& dirs) {
    vkr::ModTable mods;
    for (const QString& d : dirs) {
        vkr::ModEntry& m = mods.append();
        m.id = mods.lastRow;
        m.name = "m" + std::to_string(m.id);
        m.dir = d.toStdString();
        m.checked = true;
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
        QTest::newRow("empty dir keeps its ;") << QStringList{"", "B"} << "11"
                                               << ";B;";
        QTest::newRow("more ticks than rows") << QStringList{"A"} << "111"
                                              << "A;";
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
        QTest::newRow("any order") << QStringList{"A", "B", "C"} << "C;A;"
                                   << "101";
        QTest::newRow("last piece without ;") << QStringList{"A", "B"} << "A;B"
                                              << "10";
        QTest::newRow("unknown piece") << QStringList{"A", "B"} << "Z;B;"
                                       << "01";
        QTest::newRow("same dir twice") << QStringList{"A", "X", "A"} << "A;"
                                        << "101";
        QTest::newRow("exact text") << QStringList{"Desert", "desert", " A"} << "desert;A;"
                                    << "010";
        QTest::newRow("empty piece, empty dir") << QStringList{"", "A"} << ";A;"
                                                << "11";
        QTest::newRow("dir containing ;") << QStringList{"a;b", "a"} << "a;b;"
                                          << "01";
    }
    void readsModsBack() {
        QFETCH(QStringList, dirs);
        QFETCH(QString, text);
        QFETCH(QString, ticked);
        QCOMPARE(vkr::tickedMods(modsWithDirs(dirs), text.toStdString()), bits(ticked));
    }

    void rowForSave_data() {
        QTest::addColumn<int>("rows"); // ids 0, 1, ...; the draws give 5, 3, then 7000000
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("expectRow"); // -1: refused
        QTest::addColumn<int>("expectId");
        QTest::newRow("selected row keeps its id") << 3 << 1 << 1 << 1;
        QTest::newRow("no selection appends") << 3 << -1 << 3 << 5;
        QTest::newRow("ids in use drawn again") << 6 << -1 << 6 << 7'000'000;
        QTest::newRow("index past the table appends") << 0 << 2 << 0 << 5;
        QTest::newRow("full table refuses") << 1025 << -1 << -1 << 0;
        QTest::newRow("full table, selected row") << 1025 << 1024 << 1024 << 1024;
    }
    void rowForSave() {
        QFETCH(int, rows);
        QFETCH(int, selected);
        QFETCH(int, expectRow);
        QFETCH(int, expectId);
        vkr::ModTable mods = modsWithDirs(QStringList(rows, "@d"));
        std::vector<int32_t> draws{5, 3, 7'000'000};
        size_t used = 0;
        vkr::ModEntry* row = vkr::rowForSave(mods, selected, [&] { return draws.at(used++); });
        if (expectRow < 0) {
            QVERIFY(row == nullptr);
            QCOMPARE(mods.count(), rows);
            return;
        }
        QVERIFY(row == &mods[expectRow]);
        QCOMPARE(row->id, expectId);
        // A new row starts empty and unticked; a selected row keeps what it had.
        bool appended = expectRow == rows;
        QCOMPARE(mods.count(), rows + (appended ? 1 : 0));
        QCOMPARE(row->checked, !appended);
        QCOMPARE(row->dir.empty(), appended);
    }

    void timeSeededDrawsCoverTheRange() {
        vkr::IdSource draw = vkr::timeSeededIdSource();
        std::vector<int32_t> seen;
        for (int i = 0; i < 2000; ++i) {
            seen.push_back(draw());
        }
        std::sort(seen.begin(), seen.end());
        QVERIFY(seen.front() >= 0 && seen.back() < vkr::kIdLimit);
        QVERIFY(seen.front() < 100'000 && seen.back() > 9'900'000);
        QVERIFY(std::unique(seen.begin(), seen.end()) - seen.begin() > 1990);
    }
};

QTEST_GUILESS_MAIN(CoreEditing)
#include "core_editing.moc"
