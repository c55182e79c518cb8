#include "settings/store.h"

#include "settings/editing.h"
#include "settings/errors.h"
#include "settings/intparse.h"
#include "settings/profiles.h"
#include "settings/regkey.h"
#include "settings/wine_prefix.h"

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace vkr {

namespace {

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

// Reads a value that has a fallback: any registry error gives the fallback instead.
template <class T, class Read> T readOr(T fallback, Read&& read) {
    try {
        return read();
    } catch (const ERegistryException&) {
        return fallback;
    }
}

std::string rowKey(const char* tableKey, const std::string& name) {
    return std::string(tableKey) + "\\" + name;
}

// Reads the rows of one table. The table ends up holding the rows that were read completely;
// on an error the load stops and loaded stays false until a later load succeeds. Subkey names
// that differ as text but not as numbers ("7", "007", "+7") would be saved into one subkey:
// every row after the first with an id gets a fresh one, so that no row is lost.
template <class TableT, class ReadRow>
void readTable(RegKey& key, const char* tableKey, const char* what, TableT& table, bool& loaded,
               ReadRow&& readRow) {
    loaded = false;
    key.openKey(tableKey, true);
    auto names = key.getKeyNames();
    if (static_cast<int>(names.size()) > TableT::capacity) {
        table.clear();
        throw Exception("The registry holds " + std::to_string(names.size()) + " " + what +
                        ", more than the " + std::to_string(TableT::capacity) +
                        " the launcher can keep; they were not loaded");
    }
    table.clear();
    std::vector<int> sharing; // rows whose id an earlier row has
    std::unordered_set<int32_t> ids;
    for (const auto& name : names) {
        typename std::remove_reference_t<decltype(table[0])> row;
        row.id = parseInt(name);
        key.openKey(rowKey(tableKey, name), true);
        readRow(key, row);
        if (!ids.insert(row.id).second) {
            sharing.push_back(table.count());
        }
        table.append() = std::move(row);
    }
    for (int i : sharing) {
        table[i].id = drawNewId(table, idSource());
    }
    loaded = true;
}

void writeTableRows(RegKey& key, const char* tableKey, auto& table, auto&& writeRow) {
    key.openKey(tableKey, true);
    for (const auto& name : key.getKeyNames()) {
        key.deleteKey(name);
    }
    for (int i = 0; i <= table.lastRow; ++i) {
        key.openKey(rowKey(tableKey, std::to_string(table[i].id)), true);
        writeRow(key, table[i]);
    }
}

// Shows the message, then the executable chooser, with the store let go while the user answers.
// The file chosen; nullopt when the user cancelled.
std::optional<std::string> askForExecutable(Registry& reg, StoreView& view, const char* message) {
    std::optional<std::string> chosen;
    whileAsking(reg, [&] {
        prompts().message(message);
        OpenDialog& dialog = view.openDialog();
        if (dialog.execute()) {
            chosen = dialog.fileName();
        }
    });
    return chosen;
}

void loadInTransaction(Registry& reg, Store& s, StoreView& view) {
    LauncherSettings& o = s.settings;

    if (auto folder = readGameFolder(reg, winePrefixFolder())) {
        o.gameFolder = *folder;
    }

    view.setLocalAddress(view.localAddress());

    RegKey key(reg, Hive::CurrentUser);
    if (!key.openKey(kLauncherKey, false)) {
        // First run. The user is asked before anything is written, with the store let go.
        std::string chosen =
            askForExecutable(reg, view, "Select the VKR executable.").value_or(std::string());
        key.openKey(kLauncherKey, true);
        key.writeString("executable", chosen);
        key.writeBool("nosplash", true);
        key.writeBool("window", false);
        key.writeBool("close", false);
        key.writeInteger("watchers", 1);
        key.writeString("o_sound1", "none");
        key.writeString("o_sound2", "none");
        key.openKey(kModsKey, true);
        key.openKey(kServersKey, true);
    }
    key.closeKey();

    if (key.openKey(kLauncherKey, false)) {
        Store::Loaded& loaded = s.loaded;
        loaded = Store::Loaded{};
        o.executable = key.readString("executable");
        loaded.executable = true;
        if (!fileExists(o.executable)) {
            auto chosen = askForExecutable(
                reg, view, "VKR Executable not found! Select the correct VKR executable.");
            // A cancelled dialog keeps the stored path: nothing the user had is overwritten.
            if (chosen) {
                key.writeString("executable", *chosen);
                o.executable = *chosen;
            }
        }

        o.nosplash = key.readBool("nosplash");
        loaded.nosplash = true;
        o.window = key.readBool("window");
        loaded.window = true;
        o.close = readOr(false, [&] { return key.readBool("close"); });
        o.nomap = readOr(false, [&] { return key.readBool("nomap"); });
        o.flash = readOr(true, [&] { return key.readBool("flash"); });
        o.watchers = readOr(1, [&] { return key.readInteger("watchers"); });
        o.autojoin = readOr(false, [&] { return key.readBool("autojoin"); });
        o.notify = readOr(true, [&] { return key.readBool("notify"); });
        o.filter = readOr(std::string(), [&] { return key.readString("filter"); });
        o.hideempty = readOr(false, [&] { return key.readBool("hideempty"); });
        o.hidefull = readOr(false, [&] { return key.readBool("hidefull"); });
        o.hidesilent = readOr(false, [&] { return key.readBool("hidesilent"); });
        o.sortcolumn = readOr(-1, [&] { return key.readInteger("sortcolumn"); });
        o.sortorder = readOr(0, [&] { return key.readInteger("sortorder"); });
        try {
            o.sound1 = key.readString("sound1");
            o.sound2 = key.readString("sound2");
        } catch (const ERegistryException&) {
            o.sound1 = "none";
            o.sound2 = "none";
        }
        if (o.sound1.empty()) {
            o.sound1 = "none";
        }
        if (o.sound2.empty()) {
            o.sound2 = "none";
        }
        loaded.close = loaded.nomap = loaded.flash = loaded.watchers = loaded.sounds =
            loaded.autojoin = loaded.notify = loaded.filter = loaded.sort = true;

        readTable(key, kModsKey, "mods", s.mods, loaded.mods, [](RegKey& k, ModEntry& m) {
            m.name = k.readString("name");
            m.dir = k.readString("dir");
            m.checked = k.readBool("checked");
        });
        readTable(key, kServersKey, "servers", s.servers, loaded.servers,
                  [](RegKey& k, ServerEntry& e) {
                      e.name = k.readString("name");
                      e.ip = k.readString("ip");
                      e.port = k.readString("port");
                      e.pass = k.readString("pass");
                      e.sockets = k.readBool("sockets");
                      e.mods = k.readString("mods");
                  });

        view.setPlayerName(readPlayerName(reg, winePrefixFolder()));
        view.clearProfiles();
        for (const auto& profile : listProfiles(o.gameFolder)) {
            view.addProfile(profile);
        }
    }
    key.closeKey();

    view.updateModList();
    view.setExecutableCaption(o.executable);
}

void saveInTransaction(Registry& reg, Store& s) {
    RegKey key(reg, Hive::CurrentUser);
    if (!key.openKey(kLauncherKey, false)) {
        return;
    }
    const LauncherSettings& o = s.settings;
    const Store::Loaded& loaded = s.loaded;
    std::vector<std::string> kept; // what the last load did not read, left as stored
    auto saveIf = [&](bool read, const char* name, auto&& writeIt) {
        if (read) {
            writeIt();
        } else {
            kept.push_back(name);
        }
    };
    saveIf(loaded.executable, "executable", [&] { key.writeString("executable", o.executable); });
    saveIf(loaded.nosplash, "nosplash", [&] { key.writeBool("nosplash", o.nosplash); });
    saveIf(loaded.window, "window", [&] { key.writeBool("window", o.window); });
    saveIf(loaded.nomap, "nomap", [&] { key.writeBool("nomap", o.nomap); });
    saveIf(loaded.flash, "flash", [&] { key.writeBool("flash", o.flash); });
    saveIf(loaded.close, "close", [&] { key.writeBool("close", o.close); });
    saveIf(loaded.sounds, "sound1, sound2", [&] {
        key.writeString("sound1", o.sound1);
        key.writeString("sound2", o.sound2);
    });
    saveIf(loaded.watchers, "watchers", [&] { key.writeInteger("watchers", o.watchers); });
    saveIf(loaded.autojoin, "autojoin", [&] { key.writeBool("autojoin", o.autojoin); });
    saveIf(loaded.notify, "notify", [&] { key.writeBool("notify", o.notify); });
    saveIf(loaded.filter, "filter, hideempty, hidefull, hidesilent", [&] {
        key.writeString("filter", o.filter);
        key.writeBool("hideempty", o.hideempty);
        key.writeBool("hidefull", o.hidefull);
        key.writeBool("hidesilent", o.hidesilent);
    });
    saveIf(loaded.sort, "sortcolumn, sortorder", [&] {
        key.writeInteger("sortcolumn", o.sortcolumn);
        key.writeInteger("sortorder", o.sortorder);
    });
    saveIf(loaded.mods, "the mods", [&] {
        writeTableRows(key, kModsKey, s.mods, [](RegKey& k, const ModEntry& m) {
            k.writeString("name", m.name);
            k.writeString("dir", m.dir);
            k.writeBool("checked", m.checked);
        });
    });
    saveIf(loaded.servers, "the servers", [&] {
        writeTableRows(key, kServersKey, s.servers, [](RegKey& k, const ServerEntry& e) {
            k.writeString("name", e.name);
            k.writeString("ip", e.ip);
            k.writeString("pass", e.pass);
            k.writeString("port", e.port);
            k.writeString("mods", e.mods);
            k.writeBool("sockets", e.sockets);
        });
    });
    key.closeKey();
    if (!kept.empty()) {
        std::string list = kept.front();
        for (size_t i = 1; i < kept.size(); ++i) {
            list += (i + 1 == kept.size() ? " and " : ", ") + kept[i];
        }
        throw Exception("The last load could not read all the settings, so these were kept as "
                        "stored and not saved: " +
                        list + ". Correct the settings file and restart the launcher");
    }
}

} // namespace

void readRegistry(Registry& reg, Store& s, StoreView& view) {
    inTransaction(
        reg, [](const std::string& notice) { prompts().message(notice); },
        [&] { loadInTransaction(reg, s, view); });
}

void saveRegistry(Registry& reg, Store& s) {
    inTransaction(
        reg, [](const std::string& notice) { prompts().message(notice); },
        [&] { saveInTransaction(reg, s); });
}

void changeExecutable(Registry& reg, StoreView& view) {
    inTransaction(
        reg, [](const std::string& notice) { prompts().message(notice); },
        [&] {
            RegKey key(reg, Hive::CurrentUser);
            if (key.openKey(kLauncherKey, false)) {
                if (auto chosen = askForExecutable(reg, view, "Select the VKR executable.")) {
                    key.writeString("executable", *chosen);
                }
            }
            key.closeKey();
        });
}

} // namespace vkr
