#pragma once

#include "settings/prompts.h"
#include "settings/registry.h"
#include "settings/settings.h"

#include <string>

namespace vkr {

// Registry paths of the launcher and of the game.
inline constexpr const char* kLauncherKey = "\\Software\\VKR Launcher2\\";
inline constexpr const char* kModsKey = "\\Software\\VKR Launcher2\\mods";
inline constexpr const char* kServersKey = "\\Software\\VKR Launcher2\\servers";
inline constexpr const char* kGameKey = "\\Software\\Brannock\\Operation Velkrand\\";

// What a load refreshes in the main window, and the main window's file dialog.
class StoreView {
public:
    virtual ~StoreView() = default;

    // The host's own address, worked out anew at each call.
    virtual std::string localAddress() = 0;
    virtual void setLocalAddress(const std::string& address) = 0;
    virtual void setPlayerName(const std::string& name) = 0;
    virtual void clearProfiles() = 0;
    virtual void addProfile(const std::string& name) = 0;
    // Refills the mod list from the store's mod table, ticks from `checked`.
    virtual void updateModList() = 0;
    virtual void setExecutableCaption(const std::string& path) = 0;
    // The executable chooser ("VKRO Executable|VelkrandOstrel.exe;VelkrandBeta.exe|All files|*.*").
    virtual OpenDialog& openDialog() = 0;
};

// What of the store a change touched that windows other than its editor show: the server
// table, the friends, the servers played on.
enum class StorePart { servers, friends, history };

// Told of every change of the store from its construction to its destruction: the windows that
// show a part of the store update from it, rather than reload everything.
class StoreListener {
public:
    StoreListener();
    virtual ~StoreListener();
    StoreListener(const StoreListener&) = delete;
    StoreListener& operator=(const StoreListener&) = delete;

    virtual void storeChanged(StorePart part) = 0;
};

// Tells every listener that part of the store changed; whoever changes it calls this. A load
// tells every part, also a load that stopped part-way.
void storeChanged(StorePart part);

// Loads the options, both tables and the game's values from the registry into s and refreshes
// the view. Stops at the first value or row it cannot read and has no fallback for; the view's
// mod list and executable caption are then left as they were. Messages and the file dialog go
// through prompts(). Options stored with the wrong type (the session uses their fallback) and
// rows written twice (each is a row) are reported when the load ends, in one Exception that
// also holds the error that stopped the load, if any.
void readRegistry(Registry& reg, Store& s, StoreView& view);

// Whether path names a file, as the load checks the executable.
bool fileExists(const std::string& path);

// Writes what the session changed since its load (or its last save) to the launcher's key: the
// options, and the rows added, changed or removed, over what the file holds by then, so that
// what another program changed meanwhile survives; where both changed the same value or row,
// the session's is written and a message names them. Values and subkeys of a row's key that
// the launcher does not read go with the row. When the file has lost the launcher's key, the
// key as it was is written back with the session's settings. A session that never reached the
// launcher's key writes nothing. A value or table the last load did not read, or read badly,
// is left as it stands in the registry; an Exception then names those the session has other
// values for, after the rest was written.
void saveRegistry(Registry& reg, Store& s);

// Changes the stored executable as the main window's "change" button does: asks for the file
// and writes it when the user chooses one. Does not reload.
void changeExecutable(Registry& reg, StoreView& view);

} // namespace vkr
