#include "app/startup.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

const char* const helpText =
    "usage: vkr-launcher [--version | --help]\n"
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
    // The two switches are answered before any window exists or any setting is read.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("VKR Launcher %s\n", VKR_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(helpText, stdout);
        return 0;
    }
    if (argc > 1) {
        std::fprintf(stderr, "vkr-launcher: unknown argument: %s\n\n%s", argv[1], helpText);
        return 2;
    }
    return vkr::runLauncher(argc, argv);
}
