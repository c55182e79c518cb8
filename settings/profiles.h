#pragma once

#include <string>
#include <vector>

namespace vkr {

// The names of the directory entries matching a wildcard pattern such as "C:\Game\users\*.*",
// in the order the file system returns them, files and folders alike, without "." and "..".
// Backslashes in the pattern are read as "/". In the last part "*" matches any run of
// characters and "?" any one character; "*.*" matches every name, as on Windows.
// A folder that cannot be listed gives no names.
std::vector<std::string> findFiles(const std::string& pattern);

// The game's player profiles: the entries of its install folder's "users" folder.
std::vector<std::string> listProfiles(const std::string& gameFolder);

} // namespace vkr
