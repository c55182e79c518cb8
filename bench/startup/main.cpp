// Times the launcher's start-up as the program runs it: the application, every window in the
// start-up order (the main window's creation loads the settings), the main window shown and
// painted. Uses demo settings with a full server table in a temporary XDG_CONFIG_HOME and the
// offscreen platform unless QT_QPA_PLATFORM says otherwise. Prints the time of a cold first
// start-up in this process and the median of 10 more, and the resident memory (target: under
// 300 ms to the main window).
#include "app/TForm1.h"
#include "app/startup.h"
#include "app/window.h"
#include "bench/bench_support.h"
#include "settings/registry_file.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

void writeSettings(const QString& dir) {
    const std::string game = (dir + "/game").toStdString();
    std::filesystem::create_directories(game + "/users/Ann");
    std::ofstream(game + "/VelkrandOstrel.exe") << "game";
    std::ostringstream reg;
    reg << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Brannock\\Operation Velkrand]\n\"MAIN\"=\""
        << game << "\"\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"" << game
        << "/VelkrandOstrel.exe\"\n\"nosplash\"=dword:00000001\n\"window\"=dword:00000000\n\n"
        << "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods]\n\n"
        << "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers]\n\n";
    for (int i = 0; i < 100; ++i) {
        reg << "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\" << i << "]\n\"name\"=\"Mod "
            << i << "\"\n\"dir\"=\"@mod" << i << "\"\n\"checked\"=dword:0000000" << (i % 2)
            << "\n\n";
    }
    for (int i = 0; i < 1025; ++i) {
        reg << "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\" << i
            << "]\n\"name\"=\"Server " << i << "\"\n\"ip\"=\"127.0.0.1\"\n\"port\"=\""
            << 20000 + 3 * i
            << "\"\n\"pass\"=\"\"\n\"mods\"=\"@mod1;\"\n\"sockets\"=dword:00000001\n\n";
    }
    std::filesystem::create_directories((dir + "/config/vkr-launcher").toStdString());
    std::ofstream((dir + "/config/vkr-launcher/registry.reg").toStdString()) << reg.str();
}

double startOnce(vkr::Registry& registry) {
    QElapsedTimer clock;
    clock.start();
    vkr::createForms(registry);
    TForm1* main = vkr::forms().form1;
    vkr::centreOn(main, nullptr);
    main->show();
    while (!main->windowHandle() || !main->windowHandle()->isExposed()) {
        QApplication::processEvents();
    }
    main->repaint();
    const double ms = clock.nsecsElapsed() / 1e6;
    vkr::destroyForms();
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir dir;
    writeSettings(dir.path());
    qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());

    QElapsedTimer total;
    total.start();
    QApplication app(argc, argv);
    bench::PrintingPrompts prompts;
    vkr::setPrompts(&prompts);
    vkr::FileRegistry registry(vkr::FileRegistry::defaultPath());
    const double appMs = total.nsecsElapsed() / 1e6;
    const double first = startOnce(registry);
    std::vector<double> more;
    for (int i = 0; i < 10; ++i) {
        more.push_back(startOnce(registry));
    }
    std::sort(more.begin(), more.end());
    vkr::createForms(registry);
    vkr::forms().form1->show();
    QApplication::processEvents();
    std::printf("application created:            %7.1f ms\n", appMs);
    std::printf("first start-up to main window:  %7.1f ms (with the application: %.1f ms)\n", first,
                appMs + first);
    std::printf("median of 10 more:              %7.1f ms, worst %.1f ms\n", more[5], more.back());
    std::printf("resident memory, windows open:  %7.1f MB (100 mods, 1025 servers)\n",
                bench::residentKiB() / 1024.0);
    vkr::destroyForms();
    vkr::setPrompts(nullptr);
    return 0;
}
