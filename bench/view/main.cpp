// What a refresh of the server browser costs the launcher's process in CPU time, on the display
// it runs on (run it under tests/support/real_display.sh for Xvfb with a window manager, or on a
// desktop): 1025 servers of tools/fake-server on 127.0.0.1 with 16 players each, the grid sorted
// by Ping and filtered by a mission text that every reply matches. Each refresh is a click on
// Refresh and the 2.5 s after it; its CPU time (user and system, every thread of the process,
// from getrusage) less what the same 2.5 s cost with the window open and no pass is the figure.
//   near:   every server answers at once;
//   spread: server i answers i ms late (0 to 1024 ms), so that replies come all through the pass.
// Printed per scene: the median and range of five refreshes, and how often the views were told
// of changed rows (the model's dataChanged signals) in a refresh. With --shots DIR, pictures of
// the browser half a second into a spread refresh (its last rows, which are still being
// refreshed) and after it go to DIR.
#include "app/TForm1.h"
#include "app/startup.h"
#include "app/window.h"
#include "bench/bench_support.h"
#include "settings/registry_file.h"
#include "status/TForm4.h"
#include "status/server_model.h"
#include "ui_TForm4.h"

#include <QApplication>
#include <QEventLoop>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

constexpr int serverCount = 1025;
constexpr int windowMs = 2500;
constexpr int refreshes = 5;

double cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// Runs the event loop for ms milliseconds, idle while nothing happens.
void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The ports of a fake-server process that answers as script says (each server i ms late when
// spread); empty when it did not start.
std::vector<int> startServers(QProcess& process, const QString& dir, bool spread) {
    QJsonArray servers;
    for (int i = 0; i < serverCount; ++i) {
        servers.append(QJsonObject{{"delayMs", spread ? i : 0}});
    }
    const QString script = dir + (spread ? "/spread.json" : "/near.json");
    QFile file(script);
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(QJsonObject{{"servers", servers}}).toJson());
    file.close();
    process.start(VKR_BINARY_DIR "/tools/fake-server",
                  {"--count", QString::number(serverCount), "--players", "16", "--script", script});
    std::vector<int> ports;
    if (!process.waitForStarted()) {
        return ports;
    }
    while (!process.canReadLine() && process.waitForReadyRead(10000)) {
    }
    const QList<QByteArray> words = process.readLine().trimmed().split(' ');
    for (int i = 1; words.value(0) == "ready" && i < words.size(); ++i) {
        ports.push_back(words[i].toInt());
    }
    return ports;
}

void writeSettings(const QString& dir, const std::vector<int>& queryPorts) {
    const std::string game = (dir + "/game").toStdString();
    std::filesystem::create_directories(game);
    std::ofstream(game + "/VelkrandOstrel.exe") << "game";
    std::ostringstream reg;
    reg << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Brannock\\Operation Velkrand]\n\"MAIN\"=\""
        << game << "\"\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"" << game
        << "/VelkrandOstrel.exe\"\n\"nosplash\"=dword:00000000\n\"window\"=dword:00000000\n"
        << "\"filter\"=\"Raid\"\n\"sortcolumn\"=dword:00000002\n\n";
    for (size_t i = 0; i < queryPorts.size(); ++i) {
        reg << "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\" << i + 1
            << "]\n\"name\"=\"Server " << i << "\"\n\"ip\"=\"127.0.0.1\"\n\"port\"=\""
            << queryPorts[i] - 1 << "\"\n\"sockets\"=dword:00000001\n\n";
    }
    std::filesystem::create_directories((dir + "/config/vkr-launcher").toStdString());
    std::ofstream((dir + "/config/vkr-launcher/registry.reg").toStdString()) << reg.str();
}

// Runs one scene in a launcher of its own settings; false when it could not.
bool scene(const char* name, bool spread, const QString& shots) {
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
    QProcess servers;
    const std::vector<int> ports = startServers(servers, dir.path(), spread);
    if (ports.size() != serverCount) {
        std::fprintf(stderr, "fake-server did not start\n");
        return false;
    }
    writeSettings(dir.path(), ports);
    vkr::FileRegistry registry(vkr::FileRegistry::defaultPath());
    vkr::createForms(registry);
    TForm4* browser = vkr::forms().form4;
    int changes = 0;
    QObject::connect(browser->model(), &QAbstractItemModel::dataChanged, [&] { ++changes; });
    vkr::forms().form1->show();
    vkr::showFormCentred(browser, vkr::forms().form1);
    runFor(windowMs + 1000); // the pass of the opening
    const double idleStart = cpuMs();
    runFor(windowMs);
    const double idle = cpuMs() - idleStart;
    std::vector<double> costs;
    std::vector<int> told;
    for (int k = 0; k < refreshes; ++k) {
        changes = 0;
        const double start = cpuMs();
        browser->ui()->BitBtn2->click();
        runFor(windowMs);
        costs.push_back(cpuMs() - start - idle);
        told.push_back(changes);
    }
    if (!shots.isEmpty()) {
        browser->ui()->BitBtn2->click();
        browser->ui()->SGrid->scrollToBottom(); // where the rows still being refreshed are
        runFor(500);
        browser->grab().save(shots + "/browser-mid-pass.png");
        runFor(windowMs);
        browser->grab().save(shots + "/browser-after-pass.png");
    }
    std::sort(costs.begin(), costs.end());
    std::sort(told.begin(), told.end());
    std::printf("%-7s CPU per refresh beyond idle: %6.1f ms (%.1f to %.1f); idle %.1f ms per "
                "%d ms; views told of changed rows %d times (%d to %d); %d of %d rows shown\n",
                name, costs[refreshes / 2], costs.front(), costs.back(), idle, windowMs,
                told[refreshes / 2], told.front(), told.back(), browser->view()->rowCount(),
                serverCount);
    vkr::destroyForms();
    servers.kill();
    servers.waitForFinished();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bench::PrintingPrompts prompts;
    vkr::setPrompts(&prompts);
    std::printf("platform %s, 1025 rows sorted by Ping, filter \"Raid\"\n",
                qPrintable(QGuiApplication::platformName()));
    const int shotsAt = static_cast<int>(app.arguments().indexOf("--shots"));
    const QString shots = shotsAt > 0 ? app.arguments().value(shotsAt + 1) : QString();
    const bool done = scene("near", false, {}) && scene("spread", true, shots);
    vkr::setPrompts(nullptr);
    return done ? 0 : 1;
}
