#include "app/command_args.h"
#include "app/startup.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

// The help and the messages on stderr below are printed before the application object exists,
// so before any catalogue is loaded: they are always English.
const char* const helpText =
    "usage: vkr-launcher [--version] [--help] [--lang CODE] [QT OPTION...]\n"
    "\n"
    "A launcher and server browser for the game Operation Velkrand. Its settings are kept in\n"
    "$XDG_CONFIG_HOME/vkr-launcher/registry.reg (~/.config/vkr-launcher/registry.reg).\n"
    "\n"
    "  --version        print the launcher's version and exit\n"
    "  -h, --help       print this text and exit\n"
    "  --lang CODE      show the windows in this language (de, fi, en) instead of the one\n"
    "                   of LANGUAGE, LC_ALL, LC_MESSAGES or LANG\n"
    "\n"
    "Qt's own options are applied to the windows, among them:\n"
    "  -style NAME      widget style (Fusion, Windows)\n"
    "  -stylesheet FILE style sheet applied to every window\n"
    "  -platform NAME   window system plugin (xcb, wayland, offscreen)\n"
    "  -display DISPLAY X display to open the windows on\n"
    "  -reverse         lay the windows out right to left\n";

// Every window carries the launcher's icon. Set while the application is being made, before
// any window exists.
void useLauncherIcon() {
    QIcon icon(":/vkr-launcher-48.png");
    icon.addFile(":/vkr-launcher-256.png");
    QApplication::setWindowIcon(icon);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(useLauncherIcon)

int main(int argc, char** argv) {
    // The switches and the display are looked at before any window exists or any setting is
    // read: without a display Qt would abort with a message of its own.
    const vkr::CommandArgs args = vkr::parseCommandArgs(argc, argv);
    if (!args.unknown.empty()) {
        std::fprintf(stderr, "vkr-launcher: unknown argument: %s\n\n%s", args.unknown.c_str(),
                     helpText);
        return 2;
    }
    if (!args.missingValue.empty()) {
        std::fprintf(stderr, "vkr-launcher: %s needs a value\n\n%s", args.missingValue.c_str(),
                     helpText);
        return 2;
    }
    if (args.version || args.help) {
        if (args.version) {
            std::printf("VKR Launcher %s\n", VKR_VERSION);
        }
        if (args.help) {
            std::fputs(helpText, stdout);
        }
        return 0;
    }
    // "-platform" and "-display" stand before the environment, as they do for Qt.
    const char* platform =
        args.platform.empty() ? std::getenv("QT_QPA_PLATFORM") : args.platform.c_str();
    const char* display = args.display.empty() ? std::getenv("DISPLAY") : args.display.c_str();
    if (!vkr::displayAvailable(platform, display, std::getenv("WAYLAND_DISPLAY"))) {
        std::fputs("vkr-launcher: no display to open a window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
    return vkr::runLauncher(argc, argv, args.language);
}
