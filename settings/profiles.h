#pragma once

#include <string>
#include <vector>

namespace vkr {

// The names of the directory entries matching a wildcard pattern such as "C:\Game\users\*.*",
// files and folders alike, without "." and "..", in the order Windows lists a folder: by name
// regardless of case (nameLess).
// Backslashes in the pattern are read as "/". In the last part "*" matches any run of
// characters and "?" any one character; "*.*" matches every name, as on Windows.
// A folder that cannot be listed gives no names.
std::vector<std::string> findFiles(const std::string& pattern);

// A path below folder found the Windows way: the parts of relative (separated by "\" or "/")
// are looked up one by one, each by its exact name first, then by a name that differs only in
// the case of ASCII letters (the first in byte order when there are several). Parts that are not
// found are kept as written. An empty folder is the root of the file system.
std::string findPathNoCase(const std::string& folder, const std::string& relative);

// The game's player profiles: the entries of its install folder's "users" folder, whatever the
// case of that folder's name.
std::vector<std::string> listProfiles(const std::string& gameFolder);

} // namespace vkr
