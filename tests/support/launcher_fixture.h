#pragma once

#include "settings/registry.h"
#include "settings/registry_file.h"
#include "support/scripted_prompts.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// The launcher's windows as start-up made them, the main window first.
std::vector<QWidget*> launcherWindows();

// A registry section for one row of the mod table.
std::string modSection(int id, const std::string& name, const std::string& dir, bool checked);

// A launcher in a folder of its own: XDG_CONFIG_HOME points into a temporary folder, prompts
// are scripted, and start() creates the real windows over the registry file there.
class LauncherFixture {
public:
    LauncherFixture();
    ~LauncherFixture();

    QTemporaryDir dir;
    ScriptedPrompts prompts;

    std::string registryPath() const;
    // A folder inside the temporary folder (created), e.g. a game folder.
    std::string folder(const std::string& name) const;
    // Writes the registry file as given ("REGEDIT4" and sections).
    void writeRegistryText(const std::string& text);
    std::string readRegistryText() const;

    // A registry file for a user who has run the launcher before: the game folder, a player
    // name, an existing executable, the options of a first run and empty tables. More sections
    // may be appended with extra.
    void writeStandardRegistry(const std::string& extra = {});
    std::string gameFolder() const { return folder("game"); }
    std::string executablePath() const { return gameFolder() + "/VelkrandOstrel.exe"; }

    // Resets the store and creates every window, the main window first (which loads).
    void start();
    // Deletes the windows (start() may be called again afterwards, as a new run).
    void stop();
    vkr::FileRegistry& registry() { return *registry_; }

    // Values as a fresh launcher would read them from the file.
    std::optional<vkr::RegValue> stored(vkr::Hive hive, const std::string& path,
                                        const std::string& name) const;
    std::vector<std::string> storedSubkeys(vkr::Hive hive, const std::string& path) const;
    bool storedKeyExists(vkr::Hive hive, const std::string& path) const;

private:
    std::unique_ptr<vkr::FileRegistry> registry_;
    bool started_ = false;
};
