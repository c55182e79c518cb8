#pragma once

#include "settings/registry.h"

#include <optional>
#include <string>

namespace vkr {

// The Wine prefix the game is looked for in: $WINEPREFIX, else ~/.wine; empty when neither can
// be worked out.
std::string winePrefixFolder();

// Where the game's executable is looked for when the user is asked to choose it: the game's
// folder when it is known, else the prefix's drive_c (where Windows programs are installed) when
// it is a folder, else home.
std::string executableChooserFolder(const std::string& gameFolder, const std::string& prefix,
                                    const std::string& home);

// The game's install folder as the load takes it: "MAIN" of the game's local-machine key in the
// launcher's own file, else from the prefix's system.reg (the key as 64-bit programs see it,
// then as 32-bit programs see it, below "Software\Wow6432Node"). A Windows path is mapped into
// the prefix. Empty when a key is found without the value; nullopt when no key is found at all.
// A value of the wrong type in the own file raises as any other read of it; the prefix's files
// are only read, and what cannot be read there counts as missing. A prefix file larger than
// 64 MB is not read (a line on standard error says so), and one read before is read again only
// when it has changed.
std::optional<std::string> readGameFolder(Registry& reg, const std::string& prefix);

// The player name: "Player Name" of the game's current-user key in the own file, else from the
// prefix's user.reg; empty when neither has it.
std::string readPlayerName(Registry& reg, const std::string& prefix);

// A Windows path ("C:\Games\VKR", "d:/vkr") mapped to this file system through the prefix's
// dosdevices/ links ("c:" usually links to "../drive_c"), its parts found the Windows way
// (findPathNoCase). "." and ".." are resolved first, as Windows does, never above the drive's
// root. Any other text, a Linux path among them, is returned as it is.
std::string mapWindowsPath(const std::string& prefix, const std::string& path);

} // namespace vkr
