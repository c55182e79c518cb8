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

// Loads the options, both tables and the game's values from the registry into s and refreshes
// the view. Raises on the first value or row it cannot read; the view's mod list and executable
// caption are then left as they were. Messages and the file dialog go through prompts().
void readRegistry(Registry& reg, Store& s, StoreView& view);

// Writes the options and both tables to the launcher's key, replacing the tables whole.
// Nothing is written when the launcher's key does not exist. A table whose last load failed is
// left as it stands in the registry, and an Exception then says so after the rest was written.
void saveRegistry(Registry& reg, Store& s);

// Changes the stored executable as the main window's "change" button does: asks for the file
// and writes it when the user chooses one. Does not reload.
void changeExecutable(Registry& reg, StoreView& view);

} // namespace vkr
