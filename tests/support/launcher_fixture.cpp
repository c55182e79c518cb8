#include "support/launcher_fixture.h"

#include "app/TForm1.h"
#include "app/startup.h"
#include "app/window.h"
#include "dialogs/TAboutDialog.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm3.h"
#include "dialogs/TFormFriends.h"
#include "dialogs/TFormOptions.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/TFormLan.h"
#include "status/TFormWatcher.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <fstream>
#include <sstream>

std::vector<QWidget*> launcherWindows() {
    const vkr::Forms& f = vkr::forms();
    return {f.form1,       f.form2,       f.form3,   f.form4,      f.aboutDialog,
            f.formWatcher, f.formOptions, f.formLan, f.formFriends};
}

std::string modSection(int id, const std::string& name, const std::string& dir, bool checked) {
    return "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\" + std::to_string(id) +
           "]\n\"name\"=\"" + name + "\"\n\"dir\"=\"" + dir + "\"\n\"checked\"=dword:0000000" +
           (checked ? "1" : "0") + "\n\n";
}

LauncherFixture::LauncherFixture() {
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    QDir().mkpath(dir.filePath("config/vkr-launcher"));
    registry_ = std::make_unique<vkr::FileRegistry>(registryPath());
}

LauncherFixture::~LauncherFixture() {
    stop();
}

std::string LauncherFixture::registryPath() const {
    return dir.filePath("config/vkr-launcher/registry.reg").toStdString();
}

std::string LauncherFixture::folder(const std::string& name) const {
    QString path = dir.filePath(QString::fromStdString(name));
    QDir().mkpath(path);
    return path.toStdString();
}

void LauncherFixture::writeRegistryText(const std::string& text) {
    std::ofstream out(registryPath(), std::ios::binary | std::ios::trunc);
    out << text;
}

std::string LauncherFixture::readRegistryText() const {
    std::ifstream in(registryPath(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void LauncherFixture::writeStandardRegistry(const std::string& extra) {
    folder("game/users");
    std::ofstream(executablePath()) << "game";
    writeRegistryText("REGEDIT4\n\n"
                      "[HKEY_LOCAL_MACHINE\\Software\\Brannock\\Operation Velkrand]\n"
                      "\"MAIN\"=\"" +
                      gameFolder() +
                      "\"\n\n"
                      "[HKEY_CURRENT_USER\\Software\\Brannock\\Operation Velkrand]\n"
                      "\"Player Name\"=\"Tester\"\n\n"
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                      "\"executable\"=\"" +
                      executablePath() +
                      "\"\n"
                      "\"nosplash\"=dword:00000001\n"
                      "\"window\"=dword:00000000\n"
                      "\"close\"=dword:00000000\n"
                      "\"watchers\"=dword:00000001\n"
                      "\"o_sound1\"=\"none\"\n"
                      "\"o_sound2\"=\"none\"\n\n"
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods]\n\n"
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers]\n\n" +
                      extra);
}

void LauncherFixture::start() {
    stop();
    vkr::store().reset();
    vkr::createForms(*registry_);
    started_ = true;
}

void LauncherFixture::stop() {
    if (started_) {
        vkr::destroyForms();
        started_ = false;
    }
}

std::optional<vkr::RegValue> LauncherFixture::stored(vkr::Hive hive, const std::string& path,
                                                     const std::string& name) const {
    vkr::FileRegistry fresh(registryPath());
    return vkr::inTransaction(
        fresh, [](const std::string&) {}, [&] { return fresh.queryValue(hive, path, name); });
}

std::vector<std::string> LauncherFixture::storedSubkeys(vkr::Hive hive,
                                                        const std::string& path) const {
    vkr::FileRegistry fresh(registryPath());
    return vkr::inTransaction(
        fresh, [](const std::string&) {}, [&] { return fresh.subkeyNames(hive, path); });
}

bool LauncherFixture::storedKeyExists(vkr::Hive hive, const std::string& path) const {
    vkr::FileRegistry fresh(registryPath());
    return vkr::inTransaction(
        fresh, [](const std::string&) {}, [&] { return fresh.keyExists(hive, path); });
}
