#include "settings/store.h"

#include "settings/editing.h"
#include "settings/errors.h"
#include "settings/intparse.h"
#include "settings/profiles.h"
#include "settings/regkey.h"
#include "settings/wine_prefix.h"

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace vkr {

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

namespace {

using State = Store::Loaded::State;

// An option's value as a save writes it.
RegValue encode(bool v) {
    return RegValue::dword(v ? 1 : 0);
}
RegValue encode(int32_t v) {
    return RegValue::dword(static_cast<uint32_t>(v));
}
RegValue encode(const std::string& v) {
    return RegValue::text(v);
}
// A list of texts (REG_MULTI_SZ). Empty texts cannot be stored in the list and are left out.
RegValue encode(const std::vector<std::string>& texts) {
    RegValue v;
    v.type = REG_MULTI_SZ;
    for (const std::string& text : texts) {
        const std::string_view kept = std::string_view(text).substr(0, text.find('\0'));
        if (!kept.empty()) {
            v.data.append(kept);
            v.data.push_back('\0');
        }
    }
    v.data.push_back('\0');
    return v;
}
RegValue encode(const char*) = delete; // would read as a bool

// What the load reports when it ends: each problem, and whether a value went unread.
struct LoadNotes {
    std::vector<std::string> problems;
    bool unread = false;
};

// Reads the options of the launcher's key and notes in Store::Loaded how each came to its value
// for the session. A value stored with the wrong type is noted for the load's message.
class OptionReader {
public:
    enum class Got { Value, Missing, WrongType };

    OptionReader(RegKey& key, Store::Loaded& loaded, LoadNotes& notes)
        : key_(key), loaded_(loaded), notes_(notes) {}

    // A value without a fallback: missing or of the wrong type, it stops the load.
    template <class T> T required(const char* name, T (RegKey::*read)(std::string_view)) {
        T value = (key_.*read)(name);
        note(name, State::Read, value);
        return value;
    }

    // A value with a fallback for the session.
    template <class T> T orElse(const char* name, T fallback, T (RegKey::*read)(std::string_view)) {
        T value{};
        Got got = get(name, read, value);
        if (got != Got::Value) {
            value = fallback;
        }
        note(name, got == Got::WrongType ? State::Kept : State::Read, value);
        return value;
    }

    // The stored value into out, or why there is none.
    template <class T> Got get(const char* name, T (RegKey::*read)(std::string_view), T& out) {
        try {
            out = (key_.*read)(name);
            return Got::Value;
        } catch (const ERegistryException& e) {
            if (!key_.hasValue(name)) {
                return Got::Missing;
            }
            notes_.problems.push_back(e.what());
            notes_.unread = true;
            return Got::WrongType;
        }
    }

    template <class T> void note(const char* name, State state, const T& value) {
        loaded_.options[name] = {state, encode(value)};
    }

private:
    RegKey& key_;
    Store::Loaded& loaded_;
    LoadNotes& notes_;
};

std::string rowKey(const char* tableKey, const std::string& name) {
    return std::string(tableKey) + "\\" + name;
}

// The row's section without the values the launcher reads from it (names in known).
RegSection unknownPart(RegSection section, std::initializer_list<const char*> known) {
    std::erase_if(section.values, [&](const auto& value) {
        for (const char* name : known) {
            if (namesEqual(value.first, name)) {
                return true;
            }
        }
        return false;
    });
    return section;
}

// Reads the rows of one table. The table ends up holding the rows that were read completely;
// on an error the load stops and loaded stays false until a later load succeeds. Every section
// the file holds for a row's key is a row: a key written twice gives two rows, the later one
// noted in problems. Subkey names that differ as text but not as numbers ("7", "007", "+7")
// would be saved into one subkey: every row after the first with an id, and every later
// section, gets a fresh id, so that no row is lost. Values and subkeys of a row's key that the
// launcher does not read are kept with the row.
template <class TableT, class ReadRow>
void readTable(Registry& reg, const char* tableKey, const char* what,
               std::initializer_list<const char*> known, TableT& table, bool& loaded,
               LoadNotes& notes, ReadRow&& readRow) {
    loaded = false;
    reg.createKey(Hive::CurrentUser, tableKey);
    struct Source {
        std::string name;
        int nth; // which of the file's sections of the row's key
        RegSection section;
    };
    std::vector<Source> sources;
    for (const auto& name : reg.subkeyNames(Hive::CurrentUser, tableKey)) {
        for (int nth = 0;; ++nth) {
            auto section = reg.exportKey(Hive::CurrentUser, rowKey(tableKey, name), nth);
            if (!section) {
                break;
            }
            sources.push_back({name, nth, std::move(*section)});
        }
    }
    table.clear();
    if (static_cast<int>(sources.size()) > TableT::capacity) {
        throw Exception("The registry holds " + std::to_string(sources.size()) + " " + what +
                        ", more than the " + std::to_string(TableT::capacity) +
                        " the launcher can keep; they were not loaded");
    }
    std::vector<int> fresh; // rows whose id an earlier row has
    std::unordered_set<int32_t> ids;
    for (auto& [name, nth, section] : sources) {
        typename std::remove_reference_t<decltype(table[0])> row;
        row.id = parseInt(name);
        readRow(SectionReader(section), row);
        if (nth == 1) {
            notes.problems.push_back("The " + std::string(what) + " hold the row '" + name +
                                     "' more than once; each later one is kept as a row of its own "
                                     "with a new id");
        }
        if (!ids.insert(row.id).second || nth > 0) {
            fresh.push_back(table.count());
        }
        table.append() = std::move(row);
        table.kept(table.lastRow) = unknownPart(std::move(section), known);
    }
    for (int i : fresh) {
        table[i].id = drawNewId(table, idSource());
    }
    loaded = true;
}

void writeTableRows(Registry& reg, const char* tableKey, auto& table, auto&& writeRow) {
    RegKey key(reg, Hive::CurrentUser);
    key.openKey(tableKey, true);
    for (const auto& name : key.getKeyNames()) {
        key.deleteKey(name);
    }
    for (int i = 0; i <= table.lastRow; ++i) {
        const std::string path = rowKey(tableKey, std::to_string(table[i].id));
        key.openKey(path, true);
        writeRow(key, table[i]);
        if (!table.kept(i).empty()) {
            reg.importKey(Hive::CurrentUser, path, table.kept(i));
        }
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

void loadInTransaction(Registry& reg, Store& s, StoreView& view, LoadNotes& notes) {
    LauncherSettings& o = s.settings;

    if (auto folder = readGameFolder(reg, winePrefixFolder())) {
        o.gameFolder = *folder;
    }

    view.setLocalAddress(view.localAddress());

    RegKey key(reg, Hive::CurrentUser);
    if (!key.openKey(kLauncherKey, false)) {
        // First run. The user is asked before anything is written, with the store let go; what
        // is on disk afterwards may be a file put in place meanwhile (a backup restored), so the
        // first run's values only fill in what is missing, and the executable is written when
        // the user chose one.
        std::optional<std::string> chosen =
            askForExecutable(reg, view, "Select the VKR executable.");
        key.openKey(kLauncherKey, true);
        auto fillIn = [&](const char* name, const RegValue& value) {
            if (!key.hasValue(name)) {
                key.write(name, value);
            }
        };
        if (chosen) {
            key.writeString("executable", *chosen);
        } else {
            fillIn("executable", encode(std::string()));
        }
        fillIn("nosplash", encode(true));
        fillIn("window", encode(false));
        fillIn("close", encode(false));
        fillIn("watchers", encode(1));
        fillIn("o_sound1", encode(std::string("none")));
        fillIn("o_sound2", encode(std::string("none")));
        key.openKey(kModsKey, true);
        key.openKey(kServersKey, true);
    }
    key.closeKey();

    if (key.openKey(kLauncherKey, false)) {
        Store::Loaded& loaded = s.loaded;
        loaded = Store::Loaded{};
        OptionReader options(key, loaded, notes);
        o.executable = options.required("executable", &RegKey::readString);
        if (!fileExists(o.executable)) {
            auto chosen = askForExecutable(
                reg, view, "VKR Executable not found! Select the correct VKR executable.");
            // A cancelled dialog keeps the stored path: nothing the user had is overwritten.
            if (chosen) {
                key.writeString("executable", *chosen);
                o.executable = *chosen;
            }
        }

        o.nosplash = options.required("nosplash", &RegKey::readBool);
        o.window = options.required("window", &RegKey::readBool);
        o.close = options.orElse("close", false, &RegKey::readBool);
        o.nomap = options.orElse("nomap", false, &RegKey::readBool);
        o.flash = options.orElse("flash", true, &RegKey::readBool);
        o.watchers = options.orElse("watchers", 1, &RegKey::readInteger);
        o.autojoin = options.orElse("autojoin", false, &RegKey::readBool);
        o.notify = options.orElse("notify", true, &RegKey::readBool);
        o.filter = options.orElse("filter", std::string(), &RegKey::readString);
        o.hideempty = options.orElse("hideempty", false, &RegKey::readBool);
        o.hidefull = options.orElse("hidefull", false, &RegKey::readBool);
        o.hidesilent = options.orElse("hidesilent", false, &RegKey::readBool);
        o.friendsonly = options.orElse("friendsonly", false, &RegKey::readBool);
        o.sortcolumn = options.orElse("sortcolumn", -1, &RegKey::readInteger);
        o.sortorder = options.orElse("sortorder", 0, &RegKey::readInteger);
        // One fallback covers the pair: when either cannot be read, both are "none" for the
        // session; the one that was read is then saved only when it is changed.
        using Got = OptionReader::Got;
        Got got1 = options.get("sound1", &RegKey::readString, o.sound1);
        Got got2 = options.get("sound2", &RegKey::readString, o.sound2);
        if (got1 == Got::Value && got2 == Got::Value) {
            o.sound1 = o.sound1.empty() ? "none" : o.sound1;
            o.sound2 = o.sound2.empty() ? "none" : o.sound2;
            options.note("sound1", State::Read, o.sound1);
            options.note("sound2", State::Read, o.sound2);
        } else {
            o.sound1 = o.sound2 = "none";
            options.note("sound1", got1 == Got::WrongType ? State::Kept : State::Discarded,
                         o.sound1);
            options.note("sound2", got2 == Got::WrongType ? State::Kept : State::Discarded,
                         o.sound2);
        }
        // No friends list is an empty one; a value of another type is kept as it stands.
        o.friends = options.orElse("friends", std::vector<std::string>(), &RegKey::readStrings);

        readTable(reg, kModsKey, "mods", {"name", "dir", "checked"}, s.mods, loaded.mods, notes,
                  [](const SectionReader& k, ModEntry& m) {
                      m.name = k.readString("name");
                      m.dir = k.readString("dir");
                      m.checked = k.readBool("checked");
                  });
        readTable(reg, kServersKey, "servers", {"name", "ip", "port", "pass", "sockets", "mods"},
                  s.servers, loaded.servers, notes, [](const SectionReader& k, ServerEntry& e) {
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

// The load's message: what it could not read, and what became of it.
std::string loadReport(const LoadNotes& notes) {
    std::string text = "Not all the settings could be read as they are stored:";
    for (const auto& problem : notes.problems) {
        text += "\n" + problem;
    }
    if (notes.unread) {
        text += "\nWhat could not be read is left as it is stored and is not saved over; correct "
                "the settings file to use it";
    }
    return text;
}

void saveInTransaction(Registry& reg, Store& s) {
    RegKey key(reg, Hive::CurrentUser);
    if (!key.openKey(kLauncherKey, false)) {
        return;
    }
    const LauncherSettings& o = s.settings;
    const Store::Loaded& loaded = s.loaded;
    std::vector<std::string> kept; // what is left as stored although the session has another
    // Writes one option as Store::Loaded allows.
    auto put = [&](const char* name, const auto& value) {
        const RegValue v = encode(value);
        auto it = loaded.options.find(name);
        if (it == loaded.options.end()) { // never read
            kept.push_back(name);
            return;
        }
        const bool changed = v != it->second.asLoaded;
        switch (it->second.state) {
        case State::Read:
            key.write(name, v);
            break;
        case State::Discarded:
            if (changed) {
                key.write(name, v);
            }
            break;
        case State::Kept:
            if (changed) {
                kept.push_back(name);
            }
            break;
        }
    };
    put("executable", o.executable);
    put("nosplash", o.nosplash);
    put("window", o.window);
    put("nomap", o.nomap);
    put("flash", o.flash);
    put("close", o.close);
    put("sound1", o.sound1);
    put("sound2", o.sound2);
    put("watchers", o.watchers);
    put("autojoin", o.autojoin);
    put("notify", o.notify);
    put("filter", o.filter);
    put("hideempty", o.hideempty);
    put("hidefull", o.hidefull);
    put("hidesilent", o.hidesilent);
    put("friendsonly", o.friendsonly);
    put("sortcolumn", o.sortcolumn);
    put("sortorder", o.sortorder);
    put("friends", o.friends);
    if (loaded.mods) {
        writeTableRows(reg, kModsKey, s.mods, [](RegKey& k, const ModEntry& m) {
            k.writeString("name", m.name);
            k.writeString("dir", m.dir);
            k.writeBool("checked", m.checked);
        });
    } else {
        kept.push_back("the mods");
    }
    if (loaded.servers) {
        writeTableRows(reg, kServersKey, s.servers, [](RegKey& k, const ServerEntry& e) {
            k.writeString("name", e.name);
            k.writeString("ip", e.ip);
            k.writeString("pass", e.pass);
            k.writeString("port", e.port);
            k.writeString("mods", e.mods);
            k.writeBool("sockets", e.sockets);
        });
    } else {
        kept.push_back("the servers");
    }
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
    LoadNotes notes;
    try {
        inTransaction(
            reg, [](const std::string& notice) { prompts().message(notice); },
            [&] { loadInTransaction(reg, s, view, notes); });
    } catch (const Exception& e) {
        if (notes.problems.empty()) {
            throw;
        }
        notes.problems.push_back(e.what());
        notes.unread = true;
    }
    if (!notes.problems.empty()) {
        throw Exception(loadReport(notes));
    }
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
