#pragma once

// Helpers of the editor tests: registry sections to seed the file with, the rows as a fresh
// launcher reads them back from it, and the user's actions on combo and check list boxes.

#include "settings/editing.h"
#include "settings/store.h"
#include "support/launcher_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <deque>
#include <stdexcept>

namespace editor_rows {

inline std::string serverSection(int id, const std::string& name, const std::string& mods,
                                 bool sockets = true) {
    return "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\" + std::to_string(id) +
           "]\n\"name\"=\"" + name + "\"\n\"ip\"=\"host-" + name + "\"\n\"port\"=\"2400\"\n" +
           "\"pass\"=\"pw-" + name + "\"\n\"sockets\"=dword:0000000" + (sockets ? "1" : "0") +
           "\n\"mods\"=\"" + mods + "\"\n\n";
}

// Every row of a table as "id:value:value...", in enumeration order, read by a fresh registry
// on the file as a new launcher would.
inline QStringList storedRows(const LauncherFixture& fx, const std::string& tableKey,
                              const std::vector<std::string>& values) {
    vkr::FileRegistry fresh(fx.registryPath());
    vkr::Hive user = vkr::Hive::CurrentUser;
    return vkr::inTransaction(
        fresh, [](const std::string&) {},
        [&] {
            QStringList rows;
            for (const std::string& id : fresh.subkeyNames(user, tableKey)) {
                QString row = QString::fromStdString(id);
                for (const std::string& name : values) {
                    auto v = fresh.queryValue(user, tableKey + "\\" + id, name);
                    row +=
                        ":" + (!v                          ? QString("<missing>")
                               : v->type == vkr::REG_DWORD ? QString::number(v->asDword())
                                                           : QString::fromStdString(v->asText()));
                }
                rows << row;
            }
            return rows;
        });
}

inline QStringList storedMods(const LauncherFixture& fx) {
    return storedRows(fx, vkr::kModsKey, {"name", "dir", "checked"});
}

inline QStringList storedServers(const LauncherFixture& fx) {
    return storedRows(fx, vkr::kServersKey, {"name", "ip", "port", "pass", "sockets", "mods"});
}

// Picks item i from the combo box's list with the mouse.
inline void pick(QComboBox* box, int i) {
    box->showPopup();
    QAbstractItemView* view = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(i, 0)).center());
    QTRY_VERIFY(!view->window()->isVisible());
}

// Replaces the text of the combo box's edit field by typing.
inline void typeInto(QComboBox* box, const QString& text) {
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(box->lineEdit(), text);
}

// Toggles the tick of item i of a check list box with the space bar.
inline void toggle(QListWidget* list, int i) {
    list->setFocus();
    list->setCurrentRow(i);
    QTest::keyClick(list, Qt::Key_Space);
}

inline QString ticks(const QListWidget* list) {
    QString s;
    for (int i = 0; i < list->count(); ++i) {
        s += list->item(i)->checkState() == Qt::Checked ? '1' : '0';
    }
    return s;
}

// The editors draw their new ids from these values while the object lives.
class ScriptedIds {
public:
    explicit ScriptedIds(std::deque<int32_t> draws)
        : draws_(std::move(draws)), previous_(std::move(vkr::idSource())) {
        vkr::idSource() = [this] {
            if (draws_.empty()) {
                throw std::runtime_error("no scripted id left");
            }
            int32_t v = draws_.front();
            draws_.pop_front();
            return v;
        };
    }
    ~ScriptedIds() { vkr::idSource() = std::move(previous_); }
    size_t left() const { return draws_.size(); }

private:
    std::deque<int32_t> draws_;
    vkr::IdSource previous_;
};

} // namespace editor_rows
