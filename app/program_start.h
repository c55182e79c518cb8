#pragma once

#include <string>

namespace vkr {

// Makes folder the launcher's current directory, which every program it starts inherits as its
// working directory. A folder that cannot be entered (an empty one, say) leaves it as it was.
void setCurrentDirectory(const std::string& folder);

// Starts a command line as WinExec does, detached, in the current directory and never through
// a shell: the program is resolved and the arguments split by the Windows rules
// (resolveCommandLine), with the program looked for only within the first programLimit
// characters. A Windows executable (a file beginning with "MZ") is started through `wine` found
// on PATH, with the same arguments. Returns whether a program was started; nothing is
// reported either way.
bool startCommandLine(const std::string& line, size_t programLimit = std::string::npos);

} // namespace vkr
