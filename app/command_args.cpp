#include "app/command_args.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vkr {

namespace {

// The options QGuiApplication and QApplication take from the command line.
constexpr std::array<std::string_view, 14> qtOptionsWithValue{
    "-platform",    "-platformpluginpath", "-platformtheme",
    "-plugin",      "-qmljsdebugger",      "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-session",
    "-display",     "-geometry",           "-name",
    "-style",       "-stylesheet"};
constexpr std::array<std::string_view, 2> qtSwitches{"-reverse", "-widgetcount"};

template <size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view arg) {
    return std::find(names.begin(), names.end(), arg) != names.end();
}

} // namespace

CommandArgs parseCommandArgs(int argc, const char* const* argv) {
    CommandArgs args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view given = argv[i];
        // Qt takes its options with two dashes as well ("--style Fusion").
        const std::string_view arg = given.starts_with("--") ? given.substr(1) : given;
        if (given == "--version") {
            args.version = true;
        } else if (given == "--help" || given == "-h") {
            args.help = true;
        } else if (given.starts_with("--lang=")) {
            args.language = given.substr(7);
        } else if (given == "--lang") {
            if (i + 1 == argc) {
                if (args.missingValue.empty()) {
                    args.missingValue = given;
                }
                continue;
            }
            args.language = argv[++i];
        } else if (listed(qtSwitches, arg) || arg.starts_with("-style=") ||
                   arg.starts_with("-stylesheet=")) {
            // Qt's own, applied by QApplication.
        } else if (listed(qtOptionsWithValue, arg)) {
            if (i + 1 == argc) {
                if (args.missingValue.empty()) {
                    args.missingValue = given;
                }
                continue;
            }
            const std::string_view value = argv[++i];
            if (arg == "-platform") {
                args.platform = value;
            } else if (arg == "-display") {
                args.display = value;
            }
        } else if (args.unknown.empty()) {
            args.unknown = given;
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
