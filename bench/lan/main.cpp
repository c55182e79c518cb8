// Times the "Local network" search as the user sees it: from the click on "Search again" to the
// last of ten servers listed, and to the search's end (its result shown, the button back). The
// servers are tools/fake-server on the ten searched ports of every address, answering after
// 0 to 180 ms. Refuses to run anywhere but a network namespace holding only lo and the veth
// pair of tests/support/net_namespace.sh, so that no broadcast leaves the machine.
// Target: the search answers within 2.2 s of the click.
#include "app/startup.h"
#include "app/window.h"
#include "bench/bench_support.h"
#include "settings/registry_file.h"
#include "status/TFormLan.h"
#include "ui_TFormLan.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr int serverCount = 10; // one on each searched port, 2303 to 2312
constexpr int runs = 7;

bool onlyOwnNetwork() {
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        if (!QStringList{"lo", "vkr-lan0", "vkr-lan1"}.contains(nic.name())) {
            std::fprintf(stderr,
                         "refusing to broadcast: interface %s is not the bench's own; "
                         "run through tests/support/net_namespace.sh\n",
                         qPrintable(nic.name()));
            return false;
        }
    }
    return true;
}

void writeSettings(const QString& dir) {
    const std::string game = (dir + "/game").toStdString();
    std::filesystem::create_directories(game);
    std::ofstream(game + "/VelkrandOstrel.exe") << "game";
    std::filesystem::create_directories((dir + "/config/vkr-launcher").toStdString());
    std::ofstream((dir + "/config/vkr-launcher/registry.reg").toStdString())
        << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Brannock\\Operation Velkrand]\n\"MAIN\"=\""
        << game << "\"\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"" << game
        << "/VelkrandOstrel.exe\"\n\"nosplash\"=dword:00000001\n\"window\"=dword:00000000\n\n"
        << "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods]\n\n"
        << "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers]\n\n";
}

bool startServers(QProcess& process, const QString& dir) {
    QJsonArray servers;
    for (int i = 0; i < serverCount; ++i) {
        servers.append(QJsonObject{{"delayMs", 20 * i}});
    }
    const QString script = dir + "/lan.json";
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(QJsonDocument(QJsonObject{{"servers", servers}}).toJson());
    file.close();
    QStringList args{"--all", "--lifetime", "600000", "--script", script};
    for (int i = 0; i < serverCount; ++i) {
        args << "--port" << QString::number(2303 + i);
    }
    process.start(VKR_BINARY_DIR "/tools/fake-server", args);
    return process.waitForStarted() && process.waitForReadyRead(10000) &&
           process.readLine().startsWith("ready");
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (!onlyOwnNetwork()) {
        return 2;
    }
    QTemporaryDir dir;
    writeSettings(dir.path());
    qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
    QProcess servers;
    if (!startServers(servers, dir.path())) {
        std::fprintf(stderr, "the fake servers did not start\n");
        return 1;
    }
    bench::PrintingPrompts prompts;
    vkr::setPrompts(&prompts);
    vkr::FileRegistry registry(vkr::FileRegistry::defaultPath());
    vkr::createForms(registry);
    TFormLan* lan = vkr::forms().formLan;
    vkr::showForm(lan);
    const QAbstractItemModel* listed = lan->ui()->ServerView->model();

    std::vector<double> lastListed, ended;
    int found = 0;
    for (int run = 0; run < runs; ++run) {
        while (!lan->ui()->SearchButton->isEnabled()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
        QElapsedTimer clock;
        clock.start();
        lan->ui()->SearchButton->click();
        double all = -1;
        while (!lan->ui()->SearchButton->isEnabled()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
            if (all < 0 && listed->rowCount() == serverCount) {
                all = clock.nsecsElapsed() / 1e6;
            }
        }
        ended.push_back(clock.nsecsElapsed() / 1e6);
        lastListed.push_back(all);
        found = listed->rowCount();
    }
    std::printf("local network search, %d servers answering after 0-180 ms, %d runs:\n",
                serverCount, runs);
    std::printf("  last server listed after:  %7.1f ms (median; worst %.1f)%s\n",
                median(lastListed), *std::max_element(lastListed.begin(), lastListed.end()),
                *std::min_element(lastListed.begin(), lastListed.end()) < 0
                    ? "; some run did not list them all"
                    : "");
    std::printf("  search ended after:        %7.1f ms (median; worst %.1f; target 2200 or "
                "less); %d of %d listed\n",
                median(ended), *std::max_element(ended.begin(), ended.end()), found, serverCount);
    vkr::destroyForms();
    vkr::setPrompts(nullptr);
    servers.kill();
    servers.waitForFinished();
    return 0;
}
