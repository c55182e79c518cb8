#pragma once

#include "settings/registry.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vkr {

// One key of a Wine registry file with its values, names and texts as UTF-8. Texts (REG_SZ,
// REG_EXPAND_SZ) end with one NUL as everywhere in the launcher, whether the file wrote them as
// quoted text or as UTF-16 bytes.
struct WineKey {
    std::string path; // from the file's root, parts separated by "\"
    std::vector<std::pair<std::string, RegValue>> values;

    const RegValue* value(std::string_view name) const;
};

// Reads the text of a registry file kept by Wine in a prefix (system.reg, user.reg): the first
// line "WINE REGISTRY Version 2", then ";" comments, "#" option lines, key lines
// "[Software\\A\\B] 1733650000" and value lines ("name"="text", @=..., str(N):"...",
// dword:..., hex:... and hex(N):... with "\" continuing on the next line). Inside quotes "\"
// escapes: \\ \" \a \b \e \f \n \r \t \v, up to three octal digits, and \x with up to four hex
// digits giving one UTF-16 code unit; other bytes are UTF-8.
// Only the keys for which wanted(path) is true are returned, in file order; lines that cannot be
// read are skipped, as Wine itself skips them. nullopt when the first line is not Wine's.
std::optional<std::vector<WineKey>>
readWineRegistry(std::string_view text, const std::function<bool(std::string_view)>& wanted);

} // namespace vkr
