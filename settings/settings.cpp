#include "settings/settings.h"

namespace vkr {

void Store::reset() {
    settings = LauncherSettings{};
    mods.clear();
    servers.clear();
    loaded = Loaded{};
}

Store& store() {
    static Store instance;
    return instance;
}

} // namespace vkr
