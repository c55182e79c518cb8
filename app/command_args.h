#pragma once

#include <string>

namespace vkr {

// What the launcher was asked on its command line: "--version" and "--help", each any number
// of times and in any order. unknown is the first other argument (empty when there is none).
struct CommandArgs {
    bool version = false;
    bool help = false;
    std::string unknown;
};

CommandArgs parseCommandArgs(int argc, const char* const* argv);

// Whether Qt has a platform to open windows on, decided before it is asked (without one it
// aborts). platform is $QT_QPA_PLATFORM (null or empty when unset), a list of plugin names
// separated by ";", each tried in turn; display and waylandDisplay are $DISPLAY and
// $WAYLAND_DISPLAY (null when unset). X11 ("xcb") needs a display, Wayland ("wayland", also with
// a suffix such as "wayland-egl") a Wayland display; any other plugin (offscreen, vnc, eglfs...)
// needs neither. With no platform set, Qt tries Wayland and X11.
bool displayAvailable(const char* platform, const char* display, const char* waylandDisplay);

} // namespace vkr
