#include "app/command_args.h"

#include <string_view>

namespace vkr {

CommandArgs parseCommandArgs(int argc, const char* const* argv) {
    CommandArgs args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version") {
            args.version = true;
        } else if (arg == "--help") {
            args.help = true;
        } else if (args.unknown.empty()) {
            args.unknown = arg;
        }
    }
    return args;
}

bool displayAvailable(const char* platform, const char* display, const char* waylandDisplay) {
    const bool x11 = display && *display;
    const bool wayland = waylandDisplay && *waylandDisplay;
    std::string_view names = platform ? platform : "";
    if (names.empty()) {
        return x11 || wayland;
    }
    while (!names.empty()) {
        const size_t end = names.find(';');
        std::string_view name = names.substr(0, end);
        names = end == std::string_view::npos ? std::string_view() : names.substr(end + 1);
        // A plugin's options follow its name after ":" ("vnc:size=800x600").
        name = name.substr(0, name.find(':'));
        if (name.empty()) {
            continue;
        }
        if (name == "xcb" ? x11 : name.starts_with("wayland") ? wayland : true) {
            return true;
        }
    }
    return false;
}

} // namespace vkr
