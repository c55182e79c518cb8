// Times saveRegistry then readRegistry with 1025 mods and 1025 servers, on a registry file in a
// temporary XDG_CONFIG_HOME, and prints the median and the worst of 20 rounds (target: the pair
// under 50 ms). Then times a load and a save of four files far larger than the launcher writes:
// 100,000 values in its key, 100,000 mod subkeys written in reverse order, the key written twice
// with 100,000 values in its second section, and 100,000 values followed by 20,000 more headers
// of their key (target: each load and each save under 0.5 s).
#include "bench/bench_support.h"
#include "settings/errors.h"
#include "settings/registry_file.h"
#include "settings/store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace vkr;

namespace {

class NullView : public StoreView {
public:
    std::string localAddress() override { return "127.0.0.1"; }
    void setLocalAddress(const std::string&) override {}
    void setPlayerName(const std::string&) override {}
    void clearProfiles() override {}
    void addProfile(const std::string&) override {}
    void updateModList() override {}
    void setExecutableCaption(const std::string&) override {}
    OpenDialog& openDialog() override { return dialog_; }

private:
    OpenDialog dialog_{"VKRO Executable|VelkrandOstrel.exe;VelkrandBeta.exe|All files|*.*"};
};

void fill(Store& s) {
    for (int i = 0; i < ModTable::capacity; ++i) {
        ModEntry& m = s.mods.append();
        m.id = 1000003 * i % 2147483 - 1000000;
        m.name = "Mod number " + std::to_string(i);
        m.dir = "@mod" + std::to_string(i);
        m.checked = i % 3 == 0;
    }
    for (int i = 0; i < ServerTable::capacity; ++i) {
        ServerEntry& e = s.servers.append();
        e.id = 7919 * i - 4000000;
        e.name = "Server \"" + std::to_string(i) + "\" of the Brannock league";
        e.ip = "server" + std::to_string(i) + ".example.org";
        e.port = std::to_string(2300 + i);
        e.pass = i % 4 ? "" : "secret";
        e.sockets = i % 2 == 0;
        e.mods = "@mod1;@mod2;";
    }
}

double ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// A load and then a save of the file holding text, three times; prints the worst of each.
// Either may raise (100,000 mods are more than the table holds): that is part of what is timed.
void timeLargeFile(const std::string& path, const char* what, const std::string& text,
                   StoreView& view) {
    double load = 0, save = 0;
    for (int round = 0; round < 3; ++round) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        FileRegistry reg(path);
        Store s;
        auto t0 = std::chrono::steady_clock::now();
        try {
            readRegistry(reg, s, view);
        } catch (const Exception&) {
        }
        auto t1 = std::chrono::steady_clock::now();
        try {
            saveRegistry(reg, s);
        } catch (const Exception&) {
        }
        auto t2 = std::chrono::steady_clock::now();
        load = std::max(load, ms(t1 - t0));
        save = std::max(save, ms(t2 - t1));
    }
    std::printf("%s, file %zu bytes: readRegistry worst %7.2f ms, saveRegistry worst %7.2f ms\n",
                what, text.size(), load, save);
}

void report(const char* what, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%-22s median %7.2f ms   worst %7.2f ms\n", what, v[v.size() / 2], v.back());
}

} // namespace

int main() {
    char base[] = "/tmp/bench-store-XXXXXX";
    if (!::mkdtemp(base)) {
        std::perror("mkdtemp");
        return 1;
    }
    ::setenv("XDG_CONFIG_HOME", base, 1);
    std::string exe = std::string(base) + "/VelkrandOstrel.exe";
    std::ofstream(exe) << "MZ";

    bench::PrintingPrompts silent;
    setPrompts(&silent);
    NullView view;
    FileRegistry reg(FileRegistry::defaultPath());
    Store s;
    // A first run creates the launcher's key; then the executable is set and the tables filled.
    readRegistry(reg, s, view);
    s.settings.executable = exe;
    fill(s);

    const int rounds = 20;
    std::vector<double> save, read, pair;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        saveRegistry(reg, s);
        auto t1 = std::chrono::steady_clock::now();
        readRegistry(reg, s, view);
        auto t2 = std::chrono::steady_clock::now();
        save.push_back(ms(t1 - t0));
        read.push_back(ms(t2 - t1));
        pair.push_back(ms(t2 - t0));
    }
    if (s.mods.count() != ModTable::capacity || s.servers.count() != ServerTable::capacity) {
        std::fprintf(stderr, "the tables did not come back whole\n");
        return 1;
    }
    std::printf("saveRegistry + readRegistry, %d mods and %d servers, %d rounds, file %ju bytes\n",
                s.mods.count(), s.servers.count(), rounds,
                static_cast<uintmax_t>(std::filesystem::file_size(reg.path())));
    report("saveRegistry", save);
    report("readRegistry", read);
    report("save + read", pair);

    const std::string head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                             "\"executable\"=\"" +
                             exe +
                             "\"\n\"nosplash\"=dword:00000001\n"
                             "\"window\"=dword:00000000\n";
    std::string values = head;
    for (int i = 0; i < 100000; ++i) {
        values += "\"v" + std::to_string(i) + "\"=\"x\"\n";
    }
    timeLargeFile(reg.path(), "100,000 values in one key", values, view);
    std::string mods = head + "\n";
    for (int i = 99999; i >= 0; --i) {
        mods += "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\" + std::to_string(i) +
                "]\n\"checked\"=dword:00000000\n";
    }
    timeLargeFile(reg.path(), "100,000 mod subkeys in reverse order", mods, view);
    // What concatenating two exports gives: the launcher's key twice, the values in the second.
    std::string twice = head + "\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n";
    for (int i = 0; i < 100000; ++i) {
        twice += "\"v" + std::to_string(i) + "\"=\"x\"\n";
    }
    timeLargeFile(reg.path(), "key written twice, 100,000 values in the second", twice, view);
    std::string headers = values;
    for (int i = 0; i < 20000; ++i) {
        headers += "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n";
    }
    timeLargeFile(reg.path(), "100,000 values, then 20,000 empty headers of the key", headers,
                  view);
    std::filesystem::remove_all(base);
    return 0;
}
