#include "app/command_args.h"
#include "app/startup.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

const char* const helpText =
    "usage: vkr-launcher [--version] [--help]\n"
    "\n"
    "A launcher and server browser for the game Operation Velkrand. Its settings are kept in\n"
    "$XDG_CONFIG_HOME/vkr-launcher/registry.reg (~/.config/vkr-launcher/registry.reg).\n"
    "\n"
    "  --version  print the launcher's version and exit\n"
    "  --help     print this text and exit\n";

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
    if (args.version || args.help) {
        if (args.version) {
            std::printf("VKR Launcher %s\n", VKR_VERSION);
        }
        if (args.help) {
            std::fputs(helpText, stdout);
        }
        return 0;
    }
    if (!vkr::displayAvailable(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                               std::getenv("WAYLAND_DISPLAY"))) {
        std::fputs("vkr-launcher: no display to open a window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
    return vkr::runLauncher(argc, argv);
}
