#pragma once

#include <optional>
#include <string>

namespace vkr {

// Makes folder the launcher's current directory, which every program it starts inherits as its
// working directory. A folder that cannot be entered (an empty one, say) leaves it as it was.
void setCurrentDirectory(const std::string& folder);

// Why a start failed, for the user: the file meant and the reason.
struct StartFailure {
    std::string file;
    std::string reason;

    // "Could not start "<file>": <reason>."
    std::string text() const;
};

// Starts a command line as WinExec does, detached, in the current directory and never through
// a shell: the program is resolved and the arguments split by the Windows rules
// (resolveCommandLine), with the program looked for only within the first programLimit
// characters. A Windows executable (a file beginning with "MZ") is started through `wine` found
// on PATH, with the same arguments; any other file must be executable. nullopt when the program
// was started, else what failed (the file being the line's first programLimit characters when no
// program was found there).
std::optional<StartFailure> startCommandLine(const std::string& line,
                                             size_t programLimit = std::string::npos);

} // namespace vkr
