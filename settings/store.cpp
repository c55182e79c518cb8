#include "settings/store.h"

#include "settings/editing.h"
#include "settings/errors.h"
#include "settings/intparse.h"
#include "settings/profiles.h"
#include "settings/registry_tree.h"
#include "settings/regkey.h"
#include "settings/translate.h"
#include "settings/wine_prefix.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
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
RegValue encode(const std::vector<std::string>& texts) {
    return RegValue::strings(texts);
}
RegValue encode(const char*) = delete; // would read as a bool

// The length of a UTF-8 text as a text field counts it (UTF-16 units; a byte that is not
// UTF-8 counts as one).
size_t textLength(std::string_view text) {
    size_t n = 0;
    for (char c : text) {
        const auto b = static_cast<uint8_t>(c);
        n += (b & 0xC0) != 0x80 ? 1 : 0;
        n += b >= 0xF0 ? 1 : 0;
    }
    return n;
}

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
            if constexpr (std::is_same_v<T, std::string>) {
                // Cut to fit a text field, it would be saved cut: it is refused instead.
                if (textLength(out) > kMaxTextLength) {
                    const int most = kMaxTextLength;
                    notes_.problems.push_back(
                        fillArgs(translate("Settings",
                                           "The text of '%1' is longer than %n characters, more "
                                           "than a text field holds",
                                           nullptr, most),
                                 {name}));
                    notes_.unread = true;
                    out.clear();
                    return Got::WrongType;
                }
            }
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

// The messages about a table's rows, a whole text for each table.
std::string tooManyRows(const ModTable&, int count) {
    return fillArgs(translate("Settings",
                              "The registry holds %n mods, more than the %1 the launcher can "
                              "keep; they were not loaded",
                              nullptr, count),
                    {std::to_string(ModTable::capacity)});
}

std::string tooManyRows(const ServerTable&, int count) {
    return fillArgs(translate("Settings",
                              "The registry holds %n servers, more than the %1 the launcher can "
                              "keep; they were not loaded",
                              nullptr, count),
                    {std::to_string(ServerTable::capacity)});
}

std::string rowTwice(const ModTable&, const std::string& name) {
    return fillArgs(translate("Settings", "The mods hold the row '%1' more than once; each later "
                                          "one is kept as a row of its own with a new id"),
                    {name});
}

std::string rowTwice(const ServerTable&, const std::string& name) {
    return fillArgs(translate("Settings", "The servers hold the row '%1' more than once; each "
                                          "later one is kept as a row of its own with a new id"),
                    {name});
}

std::string namedRow(const ModTable&, const std::string& name) {
    return fillArgs(translate("Settings", "the mods row '%1'"), {name});
}

std::string namedRow(const ServerTable&, const std::string& name) {
    return fillArgs(translate("Settings", "the servers row '%1'"), {name});
}

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
void readTable(Registry& reg, const char* tableKey, std::initializer_list<const char*> known,
               TableT& table, bool& loaded, Store::Loaded::Rows& rows, LoadNotes& notes,
               ReadRow&& readRow) {
    loaded = false;
    rows = {};
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
        throw Exception(tooManyRows(table, static_cast<int>(sources.size())));
    }
    std::vector<int> fresh; // rows whose id an earlier row has
    std::unordered_set<int32_t> ids;
    bool byKey = true; // each row in a key of its own, named by its id
    for (auto& [name, nth, section] : sources) {
        typename std::remove_reference_t<decltype(table[0])> row;
        row.id = parseInt(name);
        readRow(SectionReader(section), row);
        if (nth == 1) {
            notes.problems.push_back(rowTwice(table, name));
        }
        if (!ids.insert(row.id).second || nth > 0) {
            fresh.push_back(table.count());
        }
        byKey = byKey && nth == 0 && name == std::to_string(row.id);
        table.append() = std::move(row);
        table.kept(table.lastRow) = unknownPart(std::move(section), known);
    }
    for (int i : fresh) {
        table[i].id = drawNewId(table, idSource());
    }
    rows.byKey = byKey && fresh.empty();
    loaded = true;
}

// A row as a save writes it into its key: the launcher's values, then what the key held besides.
RegSection rowSection(const ModEntry& m, const RegSection& kept) {
    RegSection r = kept;
    r.values.insert(
        r.values.begin(),
        {{"name", encode(m.name)}, {"dir", encode(m.dir)}, {"checked", encode(m.checked)}});
    return r;
}
RegSection rowSection(const ServerEntry& e, const RegSection& kept) {
    RegSection r = kept;
    r.values.insert(r.values.begin(), {{"name", encode(e.name)},
                                       {"ip", encode(e.ip)},
                                       {"pass", encode(e.pass)},
                                       {"port", encode(e.port)},
                                       {"mods", encode(e.mods)},
                                       {"sockets", encode(e.sockets)}});
    return r;
}

template <class TableT> std::map<int32_t, RegSection> sessionRows(const TableT& table) {
    std::map<int32_t, RegSection> rows;
    for (int i = 0; i <= table.lastRow; ++i) {
        rows.emplace(table[i].id, rowSection(table[i], table.kept(i)));
    }
    return rows;
}

const RegValue* valueIn(const RegSection& section, std::string_view name) {
    return SectionReader(section).find(name);
}

const RegSection* subkeyIn(const RegSection& section, std::string_view name) {
    for (const RegSection& sub : section.subkeys) {
        if (namesEqual(sub.name, name)) {
            return &sub;
        }
    }
    return nullptr;
}

// The key with its subkeys as the registry holds it, a key written in several sections merged
// as the registry reads it (later sections winning); an empty section when it is missing.
RegSection storedKey(Registry& reg, const char* path) {
    std::optional<RegSection> key = reg.exportKey(Hive::CurrentUser, path, 0);
    if (!key) {
        return {};
    }
    std::map<std::string, size_t, RegTree::NameOrder> index;
    for (int n = 1; auto later = reg.exportKey(Hive::CurrentUser, path, n); ++n) {
        if (n == 1) {
            for (size_t i = 0; i < key->values.size(); ++i) {
                index.emplace(key->values[i].first, i);
            }
        }
        for (auto& value : later->values) {
            auto [it, fresh] = index.try_emplace(value.first, key->values.size());
            if (fresh) {
                key->values.push_back(std::move(value));
            } else {
                key->values[it->second].second = std::move(value.second);
            }
        }
    }
    return *key;
}

// Shows the message, then the executable chooser, with the store let go while the user answers.
// The file chosen; nullopt when the user cancelled.
std::optional<std::string> askForExecutable(Registry& reg, StoreView& view,
                                            const std::string& message) {
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
            askForExecutable(reg, view, translate("Settings", "Select the VKR executable."));
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
                reg, view,
                translate("Settings",
                          "VKR Executable not found! Select the correct VKR executable."));
            // A cancelled dialog keeps the stored path: nothing the user had is overwritten.
            if (chosen) {
                key.writeString("executable", *chosen);
                o.executable = *chosen;
            }
        }

        loaded.key = true;
        loaded.stored = storedKey(reg, kLauncherKey);
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
        o.playedonly = options.orElse("playedonly", false, &RegKey::readBool);
        o.maxping = options.orElse("maxping", 0, &RegKey::readInteger);
        o.sortcolumn = options.orElse("sortcolumn", -1, &RegKey::readInteger);
        o.sortorder = options.orElse("sortorder", 0, &RegKey::readInteger);
        o.columns = options.orElse("columns", std::string(), &RegKey::readString);
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
        o.history = options.orElse("history", std::vector<std::string>(), &RegKey::readStrings);

        readTable(reg, kModsKey, {"name", "dir", "checked"}, s.mods, loaded.mods, loaded.modRows,
                  notes, [](const SectionReader& k, ModEntry& m) {
                      m.name = k.readString("name");
                      m.dir = k.readString("dir");
                      m.checked = k.readBool("checked");
                  });
        loaded.modRows.rows = sessionRows(s.mods);
        readTable(reg, kServersKey, {"name", "ip", "port", "pass", "sockets", "mods"}, s.servers,
                  loaded.servers, loaded.serverRows, notes,
                  [](const SectionReader& k, ServerEntry& e) {
                      e.name = k.readString("name");
                      e.ip = k.readString("ip");
                      e.port = k.readString("port");
                      e.pass = k.readString("pass");
                      e.sockets = k.readBool("sockets");
                      e.mods = k.readString("mods");
                  });
        loaded.serverRows.rows = sessionRows(s.servers);

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
    std::string text =
        translate("Settings", "Not all the settings could be read as they are stored:");
    for (const auto& problem : notes.problems) {
        text += "\n" + problem;
    }
    if (notes.unread) {
        text +=
            "\n" + translate("Settings", "What could not be read is left as it is stored and is "
                                         "not saved over; correct the settings file to use it");
    }
    return text;
}

// Writes one table's rows: those the session added, changed or removed since the load (or its
// last save), over what the file holds now; rows another program added, changed or removed
// meanwhile stay as it left them, unless the session changed the same row (its own values
// win, and conflicts names the row). A table whose rows do not each have a key of their own is
// written whole.
template <class TableT>
void mergeTable(Registry& reg, const char* tableKey, const TableT& table, Store::Loaded::Rows& base,
                const RegSection* stored, std::vector<std::string>& conflicts) {
    std::map<int32_t, RegSection> ours = sessionRows(table);
    reg.createKey(Hive::CurrentUser, tableKey);
    auto storedRow = [&](const std::string& name) {
        return stored ? subkeyIn(*stored, name) : nullptr;
    };
    auto conflict = [&](const RegSection& row) {
        const RegValue* name = valueIn(row, "name");
        conflicts.push_back(namedRow(table, name ? name->asText() : row.name));
    };
    if (!base.byKey) {
        for (const auto& name : reg.subkeyNames(Hive::CurrentUser, tableKey)) {
            reg.deleteKey(Hive::CurrentUser, rowKey(tableKey, name));
        }
        base.rows.clear();
    }
    std::set<int32_t> ids;
    for (const auto& [id, _] : base.rows) {
        ids.insert(id);
    }
    for (const auto& [id, _] : ours) {
        ids.insert(id);
    }
    for (int32_t id : ids) {
        const std::string name = std::to_string(id);
        const std::string path = rowKey(tableKey, name);
        auto mine = ours.find(id);
        auto before = base.rows.find(id);
        if (mine != ours.end() && before != base.rows.end() && mine->second == before->second) {
            continue; // not changed here: the row stays as the file holds it now
        }
        const RegSection* was = storedRow(name); // as the file held it
        std::optional<RegSection> now = reg.exportKey(Hive::CurrentUser, path, 0);
        const bool theirsChanged =
            (now.has_value() != (was != nullptr)) ||
            (now && (*now != *was || reg.exportKey(Hive::CurrentUser, path, 1)));
        if (mine == ours.end()) { // removed by the session
            if (theirsChanged && now) {
                conflict(*now);
            }
            reg.deleteKey(Hive::CurrentUser, path);
            continue;
        }
        if (before == base.rows.end() || !now) { // added, or removed meanwhile
            if (theirsChanged && before != base.rows.end()) {
                conflict(mine->second);
            } else if (now && *now != mine->second) {
                conflict(*now);
            }
            reg.deleteKey(Hive::CurrentUser, path);
            reg.importKey(Hive::CurrentUser, path, mine->second);
            continue;
        }
        bool clash = false;
        for (const auto& [value, v] : mine->second.values) {
            const RegValue* old = valueIn(before->second, value);
            if (old && *old == v) {
                continue; // not changed here
            }
            const RegValue* theirs = valueIn(*now, value);
            const RegValue* asStored = was ? valueIn(*was, value) : nullptr;
            const bool same = theirs && *theirs == v;
            const bool untouched = theirs ? asStored && *asStored == *theirs : asStored == nullptr;
            clash = clash || (!same && !untouched);
            reg.setValue(Hive::CurrentUser, path, value, v);
        }
        if (clash) {
            conflict(mine->second);
        }
    }
    base.rows = std::move(ours);
    base.byKey = true;
}

// Joins names as "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& names) {
    std::string list = names.front();
    for (size_t i = 1; i < names.size(); ++i) {
        if (i + 1 < names.size()) {
            //: The list so far and a name that is not its last: "a" and "b" give "a, b".
            list = fillArgs(translate("Settings", "%1, %2"), {list, names[i]});
        } else {
            //: The list so far and its last name: "a, b" and "c" give "a, b and c".
            list = fillArgs(translate("Settings", "%1 and %2"), {list, names[i]});
        }
    }
    return list;
}

// The save, as a three-way merge: the file as the load (or the last save) left it is the base,
// the session's settings are ours, the file as it is now is theirs. What the session changed
// is written; the rest stays as the file holds it now. When the file has lost the launcher's
// key (emptied, deleted, replaced), the key as it was is put back first and the session's
// settings written over it, so that nothing of the session is lost. The session's new base
// (Store::Loaded) is taken only once the file is written, so that a save that fails leaves
// every change for the next one.
struct SaveOutcome {
    std::vector<std::string> kept;      // what is left as stored although the session has another
    std::vector<std::string> conflicts; // what both the session and another program changed
    Store::Loaded next;                 // the base for the session's next save
};

SaveOutcome saveInTransaction(Registry& reg, const Store& s) {
    SaveOutcome out{{}, {}, s.loaded};
    Store::Loaded& loaded = out.next;
    if (!loaded.key) {
        return out;
    }
    if (!reg.keyExists(Hive::CurrentUser, kLauncherKey)) {
        reg.importKey(Hive::CurrentUser, kLauncherKey, loaded.stored);
    }
    RegKey key(reg, Hive::CurrentUser);
    key.openKey(kLauncherKey, false);
    const LauncherSettings& o = s.settings;
    std::vector<std::string>& kept = out.kept;
    std::vector<std::string>& conflicts = out.conflicts;
    // Writes one option as Store::Loaded allows, when the session changed it.
    auto put = [&](const char* name, const auto& value) {
        const RegValue v = encode(value);
        auto it = loaded.options.find(name);
        if (it == loaded.options.end()) { // never read
            kept.push_back(name);
            return;
        }
        Store::Loaded::Option& option = it->second;
        const RegValue* was = valueIn(loaded.stored, name);
        const std::optional<RegValue> theirs =
            reg.queryValue(Hive::CurrentUser, kLauncherKey, name);
        // A value missing from the file is filled in with the session's, while it stays missing.
        const bool fillIn = !was && !theirs && option.state == State::Read;
        if (v == option.asLoaded && !fillIn) {
            return;
        }
        if (option.state == State::Kept) {
            kept.push_back(name);
            return;
        }
        const bool untouched = theirs ? was && *was == *theirs : was == nullptr;
        if (!untouched && theirs != v) {
            conflicts.push_back("'" + std::string(name) + "'");
        }
        key.write(name, v);
        option = {State::Read, v};
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
    put("playedonly", o.playedonly);
    put("maxping", o.maxping);
    put("sortcolumn", o.sortcolumn);
    put("sortorder", o.sortorder);
    put("columns", o.columns);
    put("friends", o.friends);
    put("history", o.history);
    if (loaded.mods) {
        mergeTable(reg, kModsKey, s.mods, loaded.modRows, subkeyIn(loaded.stored, "mods"),
                   conflicts);
    } else {
        //: Named in the list of what a save kept as stored.
        kept.push_back(translate("Settings", "the mods"));
    }
    if (loaded.servers) {
        mergeTable(reg, kServersKey, s.servers, loaded.serverRows,
                   subkeyIn(loaded.stored, "servers"), conflicts);
    } else {
        //: Named in the list of what a save kept as stored.
        kept.push_back(translate("Settings", "the servers"));
    }
    key.closeKey();
    loaded.stored = storedKey(reg, kLauncherKey);
    return out;
}

} // namespace

namespace {

std::vector<StoreListener*>& listeners() {
    static std::vector<StoreListener*> all;
    return all;
}

void load(Registry& reg, Store& s, StoreView& view) {
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

void tellEveryPart() {
    for (StorePart part : {StorePart::servers, StorePart::friends, StorePart::history}) {
        storeChanged(part);
    }
}

} // namespace

StoreListener::StoreListener() {
    listeners().push_back(this);
}

StoreListener::~StoreListener() {
    std::erase(listeners(), this);
}

void storeChanged(StorePart part) {
    // A listener may come or go while the others are told.
    const std::vector<StoreListener*> told = listeners();
    for (StoreListener* listener : told) {
        if (std::find(listeners().begin(), listeners().end(), listener) != listeners().end()) {
            listener->storeChanged(part);
        }
    }
}

void readRegistry(Registry& reg, Store& s, StoreView& view) {
    try {
        load(reg, s, view);
    } catch (...) {
        tellEveryPart();
        throw;
    }
    tellEveryPart();
}

void saveRegistry(Registry& reg, Store& s) {
    SaveOutcome done = inTransaction(
        reg, [](const std::string& notice) { prompts().message(notice); },
        [&] { return saveInTransaction(reg, s); });
    s.loaded = std::move(done.next);
    if (!done.conflicts.empty()) {
        prompts().message(
            fillArgs(translate("Settings",
                               "Another program changed some of the settings in the settings file "
                               "while the launcher ran. Where the launcher had changed the same "
                               "settings, its own were saved: %1."),
                     {listed(done.conflicts)}));
    }
    if (!done.kept.empty()) {
        throw Exception(
            fillArgs(translate("Settings", "The last load could not read all the settings, so "
                                           "these were kept as stored and not saved: %1. Correct "
                                           "the settings file and restart the launcher"),
                     {listed(done.kept)}));
    }
}

void changeExecutable(Registry& reg, StoreView& view) {
    inTransaction(
        reg, [](const std::string& notice) { prompts().message(notice); },
        [&] {
            RegKey key(reg, Hive::CurrentUser);
            if (key.openKey(kLauncherKey, false)) {
                if (auto chosen = askForExecutable(
                        reg, view, translate("Settings", "Select the VKR executable."))) {
                    key.writeString("executable", *chosen);
                }
            }
            key.closeKey();
        });
}

} // namespace vkr
