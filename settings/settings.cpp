#include "settings/settings.h"

namespace vkr {

void Store::reset() {
    settings = LauncherSettings{};
    mods.clear();
    servers.clear();
    modsLoaded = false;
    serversLoaded = false;
}

Store& store() {
    static Store instance;
    return instance;
}

} // namespace vkr
