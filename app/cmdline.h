#pragma once

#include "settings/settings.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vkr {

// The argument texts each kind of launch hands to the command line. The player name goes in as
// typed, inside double quotes, without escaping.
std::string singlePlayerArguments(const std::string& playerName);
std::string hostArguments(const std::string& playerName);
std::string joinArguments(const ServerEntry& server, const std::string& playerName);

// The game's command line: the executable, " -nomap", " -nosplash", " -window" as the options
// say, " -mod=" with the mod text when there is one, then " " and the arguments.
// serverRow -1 takes the dirs of the mod rows ticked in `ticks` (the main window's list, one
// entry per row), joined with ";"; any other row takes that server's `mods` as stored. A mod
// text ending in ";" has that ";" turned into a space. A server row outside the table raises
// an Exception.
std::string launchCommandLine(const Store& store, int serverRow, const std::vector<bool>& ticks,
                              const std::string& arguments);

// Splits the arguments of a command line (the text after the program name) as the Windows C
// runtime does: blanks (space, tab) separate arguments outside double quotes; 2n backslashes
// before a quote give n backslashes and the quote opens or closes a quoted section, 2n+1 give
// n backslashes and a literal quote; other backslashes are literal; "" inside a quoted section
// is a literal quote and the section goes on.
std::vector<std::string> splitArguments(std::string_view text);

// What a Windows program start makes of a command line: the file started and the argv it
// receives (argv[0] the program name as written in the line).
struct ProgramStart {
    std::string program;
    std::vector<std::string> argv;
};

using FileTest = std::function<bool(const std::string& path)>;

// Resolves a command line as WinExec does. A quoted program name is taken whole, up to the next
// quote (argv[0] then follows the C runtime's program-name rule: quotes dropped, up to the first
// blank outside them). An unquoted one is the shortest prefix ending at a blank (or at the end
// of the line) that names an existing file; the rest of the line are the arguments. Each name
// is tried as written, then with ".exe" appended. The program is looked for only within the first
// programLimit characters, so that text after them (a player name, a password) can never become
// part of it. nullopt when no file is found: nothing is started.
std::optional<ProgramStart> resolveCommandLine(std::string_view line, const FileTest& isFile,
                                               size_t programLimit = std::string_view::npos);

} // namespace vkr
