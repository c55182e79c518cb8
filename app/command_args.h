#pragma once

#include <string>

namespace vkr {

// What the launcher was asked on its command line: "--version" and "--help" (also "-h"), each
// any number of times and in any order, "--lang CODE" (or "--lang=CODE", the last one counts),
// and Qt's own options ("-style Fusion", "-stylesheet
// file.qss", "-platform offscreen", "-reverse", ...), which are left for QApplication to apply.
// unknown is the first other argument (empty when there is none); missingValue is the first of
// Qt's options that wants a value and is the last argument. platform and display are the values
// of the last "-platform" and "-display" (empty when not given).
struct CommandArgs {
    bool version = false;
    bool help = false;
    std::string unknown;
    std::string missingValue;
    std::string language;
    std::string platform;
    std::string display;
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
