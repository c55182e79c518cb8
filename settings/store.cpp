#include "settings/store.h"

#include "settings/errors.h"
#include "settings/intparse.h"
#include "settings/profiles.h"
#include "settings/regkey.h"
#include "settings/wine_prefix.h"

#include <filesystem>
#include <string>

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
// on an error the load stops and loadedFlag stays false until a later load succeeds.
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
    for (const auto& name : names) {
        typename std::remove_reference_t<decltype(table[0])> row;
        row.id = parseInt(name);
        key.openKey(rowKey(tableKey, name), true);
        readRow(key, row);
        table.append() = std::move(row);
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

void loadInTransaction(Registry& reg, Store& s, StoreView& view) {
    LauncherSettings& o = s.settings;

    if (auto folder = readGameFolder(reg, winePrefixFolder())) {
        o.gameFolder = *folder;
    }

    view.setLocalAddress(view.localAddress());

    RegKey key(reg, Hive::CurrentUser);
    if (!key.openKey(kLauncherKey, false)) {
        key.openKey(kLauncherKey, true);
        prompts().message("Select the VKR executable.");
        OpenDialog& dialog = view.openDialog();
        std::string chosen = dialog.execute() ? dialog.fileName() : std::string();
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
        o.executable = key.readString("executable");
        if (!fileExists(o.executable)) {
            prompts().message("VKR Executable not found! Select the correct VKR executable.");
            OpenDialog& dialog = view.openDialog();
            // A cancelled dialog keeps the stored path: nothing the user had is overwritten.
            if (dialog.execute()) {
                key.writeString("executable", dialog.fileName());
                o.executable = dialog.fileName();
            }
        }

        o.nosplash = key.readBool("nosplash");
        o.window = key.readBool("window");
        o.close = readOr(false, [&] { return key.readBool("close"); });
        o.nomap = readOr(false, [&] { return key.readBool("nomap"); });
        o.flash = readOr(true, [&] { return key.readBool("flash"); });
        o.watchers = readOr(1, [&] { return key.readInteger("watchers"); });
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

        readTable(key, kModsKey, "mods", s.mods, s.modsLoaded, [](RegKey& k, ModEntry& m) {
            m.name = k.readString("name");
            m.dir = k.readString("dir");
            m.checked = k.readBool("checked");
        });
        readTable(key, kServersKey, "servers", s.servers, s.serversLoaded,
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
    key.writeString("executable", o.executable);
    key.writeBool("nosplash", o.nosplash);
    key.writeBool("window", o.window);
    key.writeBool("nomap", o.nomap);
    key.writeBool("flash", o.flash);
    key.writeBool("close", o.close);
    key.writeString("sound1", o.sound1);
    key.writeString("sound2", o.sound2);
    key.writeInteger("watchers", o.watchers);

    std::string skipped;
    if (s.modsLoaded) {
        writeTableRows(key, kModsKey, s.mods, [](RegKey& k, const ModEntry& m) {
            k.writeString("name", m.name);
            k.writeString("dir", m.dir);
            k.writeBool("checked", m.checked);
        });
    } else {
        skipped = "mods";
    }
    if (s.serversLoaded) {
        writeTableRows(key, kServersKey, s.servers, [](RegKey& k, const ServerEntry& e) {
            k.writeString("name", e.name);
            k.writeString("ip", e.ip);
            k.writeString("pass", e.pass);
            k.writeString("port", e.port);
            k.writeString("mods", e.mods);
            k.writeBool("sockets", e.sockets);
        });
    } else {
        skipped += skipped.empty() ? "servers" : " and servers";
    }
    key.closeKey();
    if (!skipped.empty()) {
        throw Exception("The " + skipped +
                        " were not saved, because the last load could not read them all; "
                        "correct the settings file and restart the launcher");
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
                prompts().message("Select the VKR executable.");
                OpenDialog& dialog = view.openDialog();
                if (dialog.execute()) {
                    key.writeString("executable", dialog.fileName());
                }
            }
            key.closeKey();
        });
}

} // namespace vkr
