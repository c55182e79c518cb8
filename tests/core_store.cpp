// Loading and saving the settings store against a registry file in a temporary folder.
#include "settings/errors.h"
#include "settings/intparse.h"
#include "settings/profiles.h"
#include "settings/registry_file.h"
#include "settings/registry_tree.h"
#include "settings/settings.h"
#include "settings/store.h"
#include "settings/translate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vkr;

namespace {

// Prompts that record what they show and answer file dialogs from a list (cancel when empty).
class RecordingPrompts : public Prompts {
public:
    std::vector<std::string> messages;
    std::vector<std::string> dialogs;
    std::deque<std::optional<std::string>> files;
    std::function<void()> whileShown; // runs while each message is on screen

    void message(const std::string& text) override {
        messages.push_back(text);
        if (whileShown) {
            whileShown();
        }
    }
    void error(const std::string& text) override { messages.push_back("error: " + text); }
    bool confirm(const std::string&) override { return false; }
    std::optional<std::string> openFile(const std::string& filter, const std::string&) override {
        dialogs.push_back(filter);
        if (files.empty()) {
            return std::nullopt;
        }
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

// A catalogue that brackets every text it is asked for, and fills in its count as Qt's does.
std::string bracketed(const char*, const char* source, const char*, int n) {
    return QString("«%1»").arg(source).replace("%n", QString::number(n)).toStdString();
}

// The main window as the load sees it.
class FakeView : public StoreView {
public:
    OpenDialog dialog{"VKRO Executable|VelkrandOstrel.exe;VelkrandBeta.exe|All files|*.*"};
    std::string address, playerName, caption = "exenimi";
    std::vector<std::string> profiles;
    int modListUpdates = 0;

    std::string localAddress() override { return "10.1.2.3"; }
    void setLocalAddress(const std::string& a) override { address = a; }
    void setPlayerName(const std::string& n) override { playerName = n; }
    void clearProfiles() override { profiles.clear(); }
    void addProfile(const std::string& n) override { profiles.push_back(n); }
    void updateModList() override { ++modListUpdates; }
    void setExecutableCaption(const std::string& p) override { caption = p; }
    OpenDialog& openDialog() override { return dialog; }
};

const std::string kUser = "\\Software\\VKR Launcher2\\";

} // namespace

class StoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    RecordingPrompts prompts;
    std::unique_ptr<FileRegistry> reg;
    FakeView view;
    Store s;

    std::string path() const { return dir.filePath("registry.reg").toStdString(); }
    std::string exe() const { return dir.filePath("game/VelkrandOstrel.exe").toStdString(); }

    void write(const std::string& text) { std::ofstream(path(), std::ios::binary) << text; }

    std::optional<RegValue> value(const std::string& key, const std::string& name) {
        FileRegistry fresh(path());
        return inTransaction(
            fresh, [](const std::string&) {},
            [&] { return fresh.queryValue(Hive::CurrentUser, key, name); });
    }
    // The stored text, or "<missing>".
    std::string text(const std::string& key, const std::string& name) {
        auto v = value(key, name);
        return v && v->isText() ? v->asText() : std::string("<missing>");
    }
    // The stored number, or -1 when there is no REG_DWORD.
    int64_t dword(const std::string& key, const std::string& name) {
        auto v = value(key, name);
        return v && v->type == REG_DWORD ? int64_t(v->asDword()) : -1;
    }
    std::vector<std::string> subkeys(const std::string& key) {
        FileRegistry fresh(path());
        return inTransaction(
            fresh, [](const std::string&) {},
            [&] { return fresh.subkeyNames(Hive::CurrentUser, key); });
    }

    // A launcher key with the two options that have no fallback, plus the given lines.
    void writeLauncher(const std::string& values, const std::string& sections = {}) {
        write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"" +
              exe() + "\"\n\"nosplash\"=dword:00000001\n\"window\"=dword:00000000\n" + values +
              "\n" + sections);
    }

    void load() { readRegistry(*reg, s, view); }
    // Loads; the load's message, empty when it had none.
    QString loadMessage() {
        try {
            load();
        } catch (const Exception& e) {
            return QString::fromStdString(e.what());
        }
        return {};
    }
    void save() { saveRegistry(*reg, s); }

private slots:
    void init() {
        setPrompts(&prompts);
        prompts = RecordingPrompts();
        QDir(dir.path()).mkpath("game/users");
        std::ofstream(exe()) << "MZ";
        QFile::remove(QString::fromStdString(path()));
        reg = std::make_unique<FileRegistry>(path());
        view = FakeView();
        s.reset();
    }

    void firstRunWritesTheFirstRunValues() {
        prompts.files = {exe()};
        load();
        QCOMPARE(prompts.messages, std::vector<std::string>{"Select the VKR executable."});
        QCOMPARE(text(kUser, "executable"), exe());
        QCOMPARE(dword(kUser, "nosplash"), int64_t(1));
        QCOMPARE(dword(kUser, "window"), int64_t(0));
        QCOMPARE(dword(kUser, "close"), int64_t(0));
        QCOMPARE(dword(kUser, "watchers"), int64_t(1));
        QCOMPARE(text(kUser, "o_sound1"), std::string("none"));
        QCOMPARE(text(kUser, "o_sound2"), std::string("none"));
        QVERIFY(!value(kUser, "nomap"));
        QVERIFY(!value(kUser, "flash"));
        QVERIFY(!value(kUser, "sound1"));
        QVERIFY(subkeys(kUser + "mods").empty());
        QVERIFY(subkeys(kUser + "servers").empty());
        // The load goes on with the fallbacks of the values a first run does not write.
        QCOMPARE(s.settings.nomap, false);
        QCOMPARE(s.settings.flash, true);
        QCOMPARE(s.settings.sound1, std::string("none"));
        QCOMPARE(s.settings.sound2, std::string("none"));
        QCOMPARE(s.mods.lastRow, -1);
        QCOMPARE(s.servers.lastRow, -1);
        QCOMPARE(view.caption, exe());
        QCOMPARE(view.address, std::string("10.1.2.3"));

        save(); // the first close
        QCOMPARE(dword(kUser, "nomap"), int64_t(0));
        QCOMPARE(dword(kUser, "flash"), int64_t(1));
        QCOMPARE(text(kUser, "sound1"), std::string("none"));
        QCOMPARE(text(kUser, "sound2"), std::string("none"));
    }

    void firstRunCancelledAsksAgainAsNotFound() {
        load();
        QCOMPARE(prompts.messages,
                 (std::vector<std::string>{"Select the VKR executable.",
                                           "VKR Executable not found! Select the correct VKR "
                                           "executable."}));
        QCOMPARE(prompts.dialogs.size(), size_t(2));
        QCOMPARE(text(kUser, "executable"), std::string());
        QCOMPARE(s.settings.executable, std::string());
    }

    // A settings file put in place while the first run asks for the executable (a backup
    // restored) keeps its values: the first run writes the executable the user chose, and its
    // other values only where the file has none.
    void firstRunKeepsAFileRestoredMeanwhile_data() {
        QTest::addColumn<bool>("choose");
        QTest::addColumn<QString>("restored"); // the launcher key's values put in place
        QTest::newRow("complete file, chooser cancelled")
            << false
            << "\"executable\"=\"EXE\"\n\"nosplash\"=dword:00000000\n\"window\"=dword:00000001\n"
               "\"close\"=dword:00000001\n\"watchers\"=dword:00000002\n\"o_sound1\"=\"x\"\n";
        QTest::newRow("complete file, a file chosen")
            << true
            << "\"executable\"=\"/old.exe\"\n\"nosplash\"=dword:00000000\n"
               "\"window\"=dword:00000001\n\"close\"=dword:00000001\n\"watchers\"=dword:00000002\n";
        QTest::newRow("file without some values")
            << false << "\"executable\"=\"EXE\"\n\"window\"=dword:00000001\n";
    }
    void firstRunKeepsAFileRestoredMeanwhile() {
        QFETCH(bool, choose);
        QFETCH(QString, restored);
        const std::string values =
            restored.replace("EXE", QString::fromStdString(exe())).toStdString();
        const std::string file = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n" +
                                 values +
                                 "\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\3]\n"
                                 "\"name\"=\"m\"\n\"checked\"=dword:00000001\n";
        prompts.whileShown = [&] {
            if (prompts.messages.size() == 1) {
                write(file);
            }
        };
        if (choose) {
            prompts.files = {exe()};
        }
        loadMessage();
        const RegTree before = RegTree::parse(file);
        const RegTree::Key* key = before.find(Hive::CurrentUser, kUser);
        const std::vector<std::pair<std::string, RegValue>> firstRun = {
            {"executable", RegValue::text(exe())}, {"nosplash", RegValue::dword(1)},
            {"window", RegValue::dword(0)},        {"close", RegValue::dword(0)},
            {"watchers", RegValue::dword(1)},      {"o_sound1", RegValue::text("none")},
            {"o_sound2", RegValue::text("none")}};
        for (const auto& [name, firstValue] : firstRun) {
            const RegValue* was = RegTree::findValue(*key, name);
            const RegValue expected = name == "executable" && choose ? firstValue
                                      : was                          ? *was
                                                                     : firstValue;
            QVERIFY2(value(kUser, name) == expected, name.c_str());
        }
        QCOMPARE(subkeys(kUser + "mods"), std::vector<std::string>{"3"});
    }

    void cancelledNotFoundDialogKeepsTheStoredPath() {
        write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
              "\"executable\"=\"/nowhere/VelkrandOstrel.exe\"\n"
              "\"nosplash\"=dword:00000000\n\"window\"=dword:00000001\n");
        load();
        QCOMPARE(prompts.messages.size(), size_t(1));
        QCOMPARE(text(kUser, "executable"), std::string("/nowhere/VelkrandOstrel.exe"));
        QCOMPARE(s.settings.executable, std::string("/nowhere/VelkrandOstrel.exe"));

        // A confirmed dialog replaces it, without a second check of the new path.
        prompts.files = {std::string("/elsewhere/VelkrandBeta.exe")};
        load();
        QCOMPARE(text(kUser, "executable"), std::string("/elsewhere/VelkrandBeta.exe"));
        QCOMPARE(s.settings.executable, std::string("/elsewhere/VelkrandBeta.exe"));
        QCOMPARE(prompts.messages.size(), size_t(2));
    }

    void aFolderIsNotAnExecutable() {
        write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"" +
              dir.filePath("game").toStdString() +
              "\"\n\"nosplash\"=dword:00000000\n\"window\"=dword:00000000\n");
        load();
        QCOMPARE(prompts.messages.size(), size_t(1));
    }

    // The session's value of each option with a fallback; a value stored with the wrong type is
    // named in the load's message.
    void optionFallbacks_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<bool>("close");
        QTest::addColumn<bool>("nomap");
        QTest::addColumn<bool>("flash");
        QTest::addColumn<int>("watchers");
        QTest::addColumn<QString>("sound1");
        QTest::addColumn<QString>("sound2");
        QTest::addColumn<QStringList>("reported");
        QTest::newRow("all stored") << "\"close\"=dword:00000001\n\"nomap\"=dword:00000002\n"
                                       "\"flash\"=dword:00000000\n\"watchers\"=dword:00000002\n"
                                       "\"sound1\"=\"a.wav\"\n\"sound2\"=\"b.wav\""
                                    << true << true << false << 2 << "a.wav"
                                    << "b.wav" << QStringList();
        QTest::newRow("none stored") << "" << false << false << true << 1 << "none"
                                     << "none" << QStringList();
        QTest::newRow("wrong types")
            << "\"close\"=\"yes\"\n\"nomap\"=hex:01\n\"flash\"=\"0\"\n\"watchers\"=\"2\"" << false
            << false << true << 1 << "none"
            << "none" << QStringList{"close", "nomap", "flash", "watchers"};
        QTest::newRow("negative watchers")
            << "\"watchers\"=dword:ffffffff" << false << false << true << -1 << "none"
            << "none" << QStringList();
        QTest::newRow("empty sounds")
            << "\"sound1\"=\"\"\n\"sound2\"=\"\"" << false << false << true << 1 << "none"
            << "none" << QStringList();
        QTest::newRow("only sound1")
            << "\"sound1\"=\"a.wav\"" << false << false << true << 1 << "a.wav"
            << "none" << QStringList();
        // One fallback covers the pair: a bad sound2 also sets a good sound1 aside.
        QTest::newRow("sound2 of wrong type") << "\"sound1\"=\"a.wav\"\n\"sound2\"=dword:00000001"
                                              << false << false << true << 1 << "none"
                                              << "none" << QStringList{"sound2"};
        QTest::newRow("both sounds of wrong type") << "\"sound1\"=dword:00000000\n\"sound2\"=hex:00"
                                                   << false << false << true << 1 << "none"
                                                   << "none" << QStringList{"sound1", "sound2"};
        QTest::newRow("expand string")
            << "\"sound1\"=hex(2):61,2e,77,61,76,00" << false << false << true << 1 << "a.wav"
            << "none" << QStringList();
    }
    void optionFallbacks() {
        QFETCH(QString, values);
        QFETCH(QStringList, reported);
        writeLauncher(values.toStdString());
        const QString message = loadMessage();
        QFETCH(bool, close);
        QFETCH(bool, nomap);
        QFETCH(bool, flash);
        QFETCH(int, watchers);
        QFETCH(QString, sound1);
        QFETCH(QString, sound2);
        QCOMPARE(s.settings.close, close);
        QCOMPARE(s.settings.nomap, nomap);
        QCOMPARE(s.settings.flash, flash);
        QCOMPARE(s.settings.watchers, watchers);
        QCOMPARE(QString::fromStdString(s.settings.sound1), sound1);
        QCOMPARE(QString::fromStdString(s.settings.sound2), sound2);
        QCOMPARE(view.modListUpdates, 1);
        QCOMPARE(message.isEmpty(), reported.isEmpty());
        for (const char* name : {"close", "nomap", "flash", "watchers", "sound1", "sound2"}) {
            QCOMPARE(message.contains(QString("Invalid data type for '%1'").arg(name)),
                     reported.contains(name));
        }
    }

    // A value stored with the wrong type is kept as it is stored, even when the session uses a
    // fallback for it, and even when the session changed it; every other value is saved as
    // usual, and a sound that was read well is never replaced by its partner's fallback.
    void wrongTypesAreKept_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("bad");   // the value stored with the wrong type
        QTest::addColumn<QString>("other"); // a value read well that must stay as stored
        QTest::addColumn<bool>("change");   // the session changes the bad value before the save
        QTest::newRow("watchers as text") << "\"watchers\"=\"2\""
                                          << "watchers"
                                          << "" << false;
        QTest::newRow("close as text") << "\"close\"=\"1\""
                                       << "close"
                                       << "" << false;
        QTest::newRow("nomap as bytes") << "\"nomap\"=hex:01"
                                        << "nomap"
                                        << "" << false;
        QTest::newRow("flash as text") << "\"flash\"=\"0\""
                                       << "flash"
                                       << "" << false;
        QTest::newRow("autojoin as text") << "\"autojoin\"=\"1\""
                                          << "autojoin"
                                          << "" << false;
        QTest::newRow("sound1 a number, sound2 good")
            << "\"sound1\"=dword:00000000\n\"sound2\"=\"/snd/b.wav\""
            << "sound1"
            << "sound2" << false;
        QTest::newRow("sound2 a number, sound1 good")
            << "\"sound1\"=\"/snd/a.wav\"\n\"sound2\"=dword:00000000"
            << "sound2"
            << "sound1" << false;
        QTest::newRow("close of 3 bytes") << "\"close\"=hex(4):01,00,00"
                                          << "close"
                                          << "" << false;
        QTest::newRow("watchers of 8 bytes, changed in the session")
            << "\"watchers\"=hex(4):02,00,00,00,00,00,00,00"
            << "watchers"
            << "" << true;
        QTest::newRow("watchers as text, changed in the session") << "\"watchers\"=\"2\""
                                                                  << "watchers"
                                                                  << "" << true;
        QTest::newRow("sound1 a number, changed in the session")
            << "\"sound1\"=dword:00000000\n\"sound2\"=\"/snd/b.wav\""
            << "sound1"
            << "sound2" << true;
    }
    void wrongTypesAreKept() {
        QFETCH(QString, values);
        QFETCH(QString, bad);
        QFETCH(QString, other);
        QFETCH(bool, change);
        writeLauncher(values.toStdString());
        const auto badBefore = value(kUser, bad.toStdString());
        const auto otherBefore = value(kUser, other.toStdString());
        QVERIFY(loadMessage().contains("Invalid data type for '" + bad + "'"));
        LauncherSettings& o = s.settings;
        o.nosplash = false; // read well and changed: saved
        if (change) {
            o.watchers = 0;
            o.sound1 = "/snd/new.wav";
        }
        QString message;
        try {
            save();
        } catch (const Exception& e) {
            message = e.what();
        }
        QCOMPARE(message.contains(bad), change);
        QVERIFY(value(kUser, bad.toStdString()) == badBefore);
        if (!other.isEmpty()) {
            QVERIFY(value(kUser, other.toStdString()) == otherBefore);
        }
        QCOMPARE(dword(kUser, "nosplash"), int64_t(0));
        for (const char* name : {"close", "nomap", "flash", "watchers", "autojoin"}) {
            if (bad != name) {
                QVERIFY2(value(kUser, name).has_value(), name); // written with its fallback
            }
        }
    }

    // A text longer than a text field holds is refused at the load, never cut: it stays as
    // stored, whatever the session saves.
    void overLongTextIsRefused_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("refused");
        QTest::newRow("as long as a field holds") << QString(32767, 'x') << false;
        QTest::newRow("one character more") << QString(32768, 'x') << true;
        QTest::newRow("two bytes a character") << QString(20000, QChar(0xE4)) << false;
        QTest::newRow("four bytes a character")
            << QString::fromUcs4(U"\U0001F600").repeated(16384) << true;
    }
    void overLongTextIsRefused() {
        QFETCH(QString, filter);
        QFETCH(bool, refused);
        writeLauncher("\"filter\"=\"" + filter.toStdString() + "\"");
        QCOMPARE(loadMessage().contains("'filter' is longer than 32767 characters"), refused);
        QCOMPARE(s.settings.filter.empty(), refused);
        s.settings.hideempty = true;
        try {
            save();
        } catch (const Exception&) {
        }
        QCOMPARE(text(kUser, "filter"), filter.toStdString());
        QCOMPARE(dword(kUser, "hideempty"), int64_t(1));
    }

    // A save into a read-only file writes nothing and says so; the session's changes are saved
    // by the next save once the file is writable again.
    void readOnlyFileKeepsTheChangesForTheNextSave() {
        writeLauncher("\"filter\"=\"old\"");
        load();
        s.settings.filter = "new";
        QCOMPARE(::chmod(path().c_str(), 0444), 0);
        QVERIFY_THROWS_EXCEPTION(Exception, save());
        QCOMPARE(text(kUser, "filter"), std::string("old"));
        QCOMPARE(::chmod(path().c_str(), 0644), 0);
        save();
        QCOMPARE(text(kUser, "filter"), std::string("new"));
    }

    // A sound set aside only because its partner could not be read is saved once the session
    // changes it.
    void soundSetAsideIsSavedWhenChanged() {
        writeLauncher("\"sound1\"=dword:00000000\n\"sound2\"=\"/snd/b.wav\"");
        loadMessage();
        s.settings.sound2 = "/snd/c.wav";
        save();
        QCOMPARE(text(kUser, "sound2"), std::string("/snd/c.wav"));
        QCOMPARE(dword(kUser, "sound1"), int64_t(0));
    }

    // The watcher's auto-join (off unless stored as a non-zero DWORD) and its desktop
    // notifications (on unless stored as DWORD 0); a save writes each back, except one stored
    // with the wrong type, which stays as it is.
    void watcherFlags_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored"); // the value as stored; empty: absent
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("saved");
        QTest::newRow("autojoin absent") << "autojoin"
                                         << "" << false << true;
        QTest::newRow("autojoin 1") << "autojoin"
                                    << "dword:00000001" << true << true;
        QTest::newRow("autojoin 2") << "autojoin"
                                    << "dword:00000002" << true << true;
        QTest::newRow("autojoin 0") << "autojoin"
                                    << "dword:00000000" << false << true;
        QTest::newRow("autojoin text") << "autojoin"
                                       << "\"1\"" << false << false;
        QTest::newRow("notify absent") << "notify"
                                       << "" << true << true;
        QTest::newRow("notify 0") << "notify"
                                  << "dword:00000000" << false << true;
        QTest::newRow("notify 1") << "notify"
                                  << "dword:00000001" << true << true;
        QTest::newRow("notify text") << "notify"
                                     << "\"0\"" << true << false;
    }
    void watcherFlags() {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(bool, on);
        QFETCH(bool, saved);
        writeLauncher(stored.isEmpty() ? std::string()
                                       : ("\"" + name + "\"=" + stored).toStdString());
        QCOMPARE(loadMessage().isEmpty(), saved);
        bool& flag = name == "notify" ? s.settings.notify : s.settings.autojoin;
        QCOMPARE(flag, on);
        flag = !on;
        try {
            save();
        } catch (const Exception&) {
            QVERIFY(!saved); // says that the change was not saved
        }
        QCOMPARE(dword(kUser, name.toStdString()), saved ? int64_t(on ? 0 : 1) : int64_t(-1));
    }

    // The friends list: a REG_MULTI_SZ, none when absent. A value of another type is named in
    // the load's message and kept as stored: the load goes on without friends, and a save of a
    // changed list leaves the value alone and says so.
    void friends_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QString>("saved"); // the stored value's bytes after adding "Cy"
        QTest::newRow("absent") << "" << QStringList{} << "Cy|";
        QTest::newRow("two names") << "\"friends\"=hex(7):41,6e,6e,00,42,c3,b6,62,00,00"
                                   << QStringList{"Ann", "B\u00f6b"} << "Ann|B\u00f6b|Cy|";
        QTest::newRow("empty list") << "\"friends\"=hex(7):00" << QStringList{} << "Cy|";
        QTest::newRow("no final NUL")
            << "\"friends\"=hex(7):41,6e,6e" << QStringList{"Ann"} << "Ann|Cy|";
        QTest::newRow("an empty text inside")
            << "\"friends\"=hex(7):41,00,00,42,00,00" << QStringList{"A", "", "B"} << "A||B|Cy|";
        QTest::newRow("an empty text first")
            << "\"friends\"=hex(7):00,41,00,00" << QStringList{"", "A"} << "|A|Cy|";
        QTest::newRow("a text, not a list") << "\"friends\"=\"Ann\"" << QStringList{} << "kept";
        // The servers played on are such a list too.
        QTest::newRow("history: two lines") << "\"history\"=hex(7):61,3a,31,7c,41,7c,54,00,62,00,00"
                                            << QStringList{"a:1|A|T", "b"} << "a:1|A|T|b|Cy|";
        QTest::newRow("history: a number, not a list")
            << "\"history\"=dword:00000001" << QStringList{} << "kept";
    }
    void friends() {
        QFETCH(QString, values);
        QFETCH(QStringList, loaded);
        QFETCH(QString, saved);
        const std::string name = values.startsWith("\"history\"") ? "history" : "friends";
        std::vector<std::string>& list =
            name == "history" ? s.settings.history : s.settings.friends;
        writeLauncher(values.toStdString(),
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\9]\n\"name\"=\"s\"\n"
                      "\"sockets\"=dword:00000001\n");
        const QString loadText = loadMessage();
        QCOMPARE(loadText.contains(QString::fromStdString("Invalid data type for '" + name + "'")),
                 saved == "kept");
        QStringList got;
        for (const std::string& line : list) {
            got << QString::fromStdString(line);
        }
        QCOMPARE(got, loaded);
        QCOMPARE(s.servers.count(), 1); // the rest of the load went on
        const std::optional<RegValue> before = value(kUser, name);
        list.push_back("Cy");
        QString message;
        try {
            save();
        } catch (const Exception& e) {
            message = e.what();
        }
        const std::optional<RegValue> after = value(kUser, name);
        if (saved == "kept") {
            QCOMPARE(after, before);
            QVERIFY2(message.contains(QString::fromStdString(name)), qPrintable(message));
        } else {
            QCOMPARE(message, QString());
            QVERIFY(after && after->type == REG_MULTI_SZ);
            QCOMPARE(QString::fromStdString(after->data).replace(QChar('\0'), '|'), saved + "|");
        }
    }

    // The browser's filter and sort: each as stored, or its default when absent or of another
    // type; a save writes back what the user changed, except values stored with another type,
    // which the load reports and every save leaves as they are.
    void browserView_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>(
            "hides"); // hideempty, hidefull, hidesilent, friendsonly, playedonly
        QTest::addColumn<int>("sortcolumn");
        QTest::addColumn<int>("sortorder");
        QTest::addColumn<int>("maxping");
        QTest::addColumn<bool>("otherTypes"); // filter, hidefull, maxping and sortcolumn
        QTest::newRow("absent") << ""
                                << ""
                                << "00000" << -1 << 0 << 0 << false;
        QTest::newRow("all stored")
            << "\"filter\"=\"Ann\"\n\"hideempty\"=dword:00000001\n\"hidefull\"=dword:00000000\n"
               "\"hidesilent\"=dword:00000001\n\"sortcolumn\"=dword:00000003\n"
               "\"sortorder\"=dword:00000001\n\"friendsonly\"=dword:00000001\n"
               "\"playedonly\"=dword:00000001\n\"maxping\"=dword:00000064"
            << "Ann"
            << "10111" << 3 << 1 << 100 << false;
        QTest::newRow("other types") << "\"filter\"=dword:00000001\n\"hidefull\"=\"1\"\n"
                                        "\"sortcolumn\"=\"2\"\n\"maxping\"=\"100\""
                                     << ""
                                     << "00000" << -1 << 0 << 0 << true;
    }
    void browserView() {
        QFETCH(QString, values);
        QFETCH(QString, filter);
        QFETCH(QString, hides);
        QFETCH(int, sortcolumn);
        QFETCH(int, sortorder);
        QFETCH(int, maxping);
        QFETCH(bool, otherTypes);
        writeLauncher(values.toStdString());
        QCOMPARE(!loadMessage().isEmpty(), otherTypes);
        const LauncherSettings& o = s.settings;
        QCOMPARE(QString::fromStdString(o.filter), filter);
        QCOMPARE(QString("%1%2%3%4%5")
                     .arg(o.hideempty)
                     .arg(o.hidefull)
                     .arg(o.hidesilent)
                     .arg(o.friendsonly)
                     .arg(o.playedonly),
                 hides);
        QCOMPARE(o.maxping, maxping);
        QCOMPARE(o.sortcolumn, sortcolumn);
        QCOMPARE(o.sortorder, sortorder);
        const auto before = value(kUser, "filter");
        s.settings.filter = "Bob";
        s.settings.hidefull = !s.settings.hidefull;
        s.settings.sortcolumn = 4;
        s.settings.maxping = 250;
        try {
            save();
            QVERIFY(!otherTypes);
        } catch (const Exception& e) {
            QVERIFY(QString(e.what()).contains("filter, hidefull, maxping and sortcolumn"));
        }
        if (otherTypes) {
            QVERIFY(value(kUser, "filter") == before);
            QCOMPARE(text(kUser, "hidefull"), std::string("1"));
            QCOMPARE(text(kUser, "sortcolumn"), std::string("2"));
            QCOMPARE(text(kUser, "maxping"), std::string("100"));
        } else {
            QCOMPARE(text(kUser, "filter"), std::string("Bob"));
            QCOMPARE(dword(kUser, "hidefull"), int64_t(hides[1] == '0'));
            QCOMPARE(dword(kUser, "sortcolumn"), int64_t(4));
            QCOMPARE(dword(kUser, "maxping"), int64_t(250));
        }
        QCOMPARE(dword(kUser, "hideempty"), int64_t(hides[0] == '1'));
        QCOMPARE(dword(kUser, "friendsonly"), int64_t(hides[3] == '1'));
        QCOMPARE(dword(kUser, "playedonly"), int64_t(hides[4] == '1'));
    }

    // A load that stops before the browser's values leaves them as stored at the next save.
    void browserViewKeptAfterFailedLoad() {
        // "window" cannot be read: the load stops there.
        write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"" +
              exe() +
              "\"\n\"nosplash\"=dword:00000001\n\"window\"=\"0\"\n\"filter\"=\"Ann\"\n"
              "\"hidesilent\"=dword:00000001\n\"sortcolumn\"=dword:00000002\n");
        QVERIFY_THROWS_EXCEPTION(Exception, load());
        s.settings.filter = "Bob";
        s.settings.hidesilent = false;
        s.settings.sortcolumn = 0;
        QVERIFY_THROWS_EXCEPTION(Exception, save());
        QCOMPARE(text(kUser, "filter"), std::string("Ann"));
        QCOMPARE(dword(kUser, "hidesilent"), int64_t(1));
        QCOMPARE(dword(kUser, "sortcolumn"), int64_t(2));
    }

    void loadErrors_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                             "\"executable\"=\"EXE\"\n";
        const QString both = head + "\"nosplash\"=dword:00000001\n\"window\"=dword:00000000\n\n";
        QTest::newRow("nosplash missing") << head + "\"window\"=dword:00000000\n"
                                          << "Failed to get data for 'nosplash'";
        QTest::newRow("window of wrong type")
            << head + "\"nosplash\"=dword:00000001\n\"window\"=\"1\"\n"
            << "Invalid data type for 'window'";
        QTest::newRow("executable of wrong type")
            << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR "
               "Launcher2]\n\"executable\"=dword:00000001\n"
            << "Invalid data type for 'executable'";
        QTest::newRow("mod name not a number")
            << both + "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\12a]\n\"name\"=\"x\"\n"
            << "'12a' is not a valid integer value";
        QTest::newRow("mod without checked")
            << both + "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\1]\n\"name\"=\"x\"\n"
            << "Failed to get data for 'checked'";
        QTest::newRow("server without sockets")
            << both + "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\1]\n\"name\"=\"x\"\n"
            << "Failed to get data for 'sockets'";
        QTest::newRow("server port of wrong type")
            << both + "[HKEY_CURRENT_USER\\Software\\VKR "
                      "Launcher2\\servers\\1]\n\"port\"=dword:00000001\n"
            << "Invalid data type for 'port'";
    }
    void loadErrors() {
        QFETCH(QString, text);
        QFETCH(QString, error);
        write(text.replace("EXE", QString::fromStdString(exe())).toStdString());
        struct Told : StoreListener {
            std::vector<StorePart> parts;
            void storeChanged(StorePart part) override { parts.push_back(part); }
        } told;
        try {
            load();
            QFAIL("the load did not stop");
        } catch (const Exception& e) {
            QCOMPARE(QString::fromStdString(e.what()), error);
        }
        // The windows are told of the table and the friends as the load left them; the main
        // window's mod list and caption are not refreshed by a load that stopped.
        QVERIFY(told.parts == (std::vector<StorePart>{StorePart::servers, StorePart::friends,
                                                      StorePart::history}));
        QCOMPARE(view.modListUpdates, 0);
        QCOMPARE(view.caption, std::string("exenimi"));
        QCOMPARE(view.address, std::string("10.1.2.3"));
    }

    // Each message of a load is one text of the catalogue with its names and numbers filled in
    // after the look-up: a catalogue that brackets every text shows each text it was asked for.
    void loadMessagesAreWholeTexts_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("shown"); // the load's stop, then its messages, "|" between
        const QString both = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                             "\"executable\"=\"EXE\"\n\"nosplash\"=dword:00000001\n";
        const QString srv9 = "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\9]\n"
                             "\"sockets\"=dword:00000001\n";
        const QString head = "«Not all the settings could be read as they are stored:»\n";
        QTest::newRow("not an integer")
            << both + "\"window\"=dword:0\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\1a]\n"
            << "«'1a' is not a valid integer value»";
        QTest::newRow("wrong type") << both + "\"window\"=\"1\"\n"
                                    << "«Invalid data type for 'window'»";
        QTest::newRow("row twice") << both + "\"window\"=dword:0\n" + srv9 + srv9
                                   << head + "«The servers hold the row '9' more than once; each "
                                             "later one is kept as a row of its own with a new id»";
        QTest::newRow("text too long")
            << both + "\"window\"=dword:0\n\"filter\"=\"" + QString(32768, 'x') + "\"\n"
            << head +
                   "«The text of 'filter' is longer than 32767 characters, more than a text field "
                   "holds»\n«What could not be read is left as it is stored and is not saved over; "
                   "correct the settings file to use it»";
        QTest::newRow("broken file")
            << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=garbage\n"
            << "«The settings file FILE could not be read (line 4: «the value must be a text in "
               "quotes, dword:, hex: or hex(N):»). It was moved to MOVED; the launcher starts with "
               "fresh settings.»|«Select the VKR executable.»|«VKR Executable not found! Select "
               "the correct VKR executable.»";
    }
    void loadMessagesAreWholeTexts() {
        QFETCH(QString, file);
        QFETCH(QString, shown);
        write(file.replace("EXE", QString::fromStdString(exe())).toStdString());
        setTranslateFunction(bracketed);
        const QString stop = loadMessage();
        setTranslateFunction(nullptr);
        QStringList got = stop.isEmpty() ? QStringList() : QStringList{stop};
        for (const std::string& message : prompts.messages) {
            got << QString::fromStdString(message);
        }
        const QStringList moved = QDir(dir.path()).entryList({"registry.reg.broken-*"});
        shown.replace("FILE", QString::fromStdString(path()))
            .replace("MOVED", moved.isEmpty() ? QString() : dir.filePath(moved.front()));
        QCOMPARE(got.join('|'), shown);
    }

    // The save's too, with the list of what it kept joined in the catalogue's words.
    void saveMessageIsOneText() {
        writeLauncher("", "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\1]\n");
        QVERIFY_THROWS_EXCEPTION(Exception, load());
        setTranslateFunction(bracketed);
        QString message;
        try {
            save();
        } catch (const Exception& e) {
            message = e.what();
        }
        setTranslateFunction(nullptr);
        QCOMPARE(message, "«The last load could not read all the settings, so these were kept as "
                          "stored and not saved: ««the mods» and «the servers»». Correct the "
                          "settings file and restart the launcher»");
    }

    void rowsComeInEnumerationOrder() {
        std::string sections;
        for (const char* id : {"5", "10", "-3", "007", "9999999", "0x1F"}) {
            sections += std::string("[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\") + id +
                        "]\n\"name\"=\"m" + id + "\"\n\"dir\"=\"@" + id +
                        "\"\n\"checked\"=dword:00000001\n\n";
        }
        writeLauncher("", sections);
        load();
        QCOMPARE(s.mods.lastRow, 5);
        std::vector<int32_t> ids;
        for (int i = 0; i <= s.mods.lastRow; ++i) {
            ids.push_back(s.mods[i].id);
        }
        QCOMPARE(ids, (std::vector<int32_t>{-3, 7, 31, 10, 5, 9999999}));
        QCOMPARE(s.mods[3].name, std::string("m10"));
        QCOMPARE(s.mods[3].dir, std::string("@10"));
        QVERIFY(s.mods[3].checked);
    }

    void saveReplacesBothTablesWhole() {
        writeLauncher("",
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\1]\n\"name\"=\"a\"\n"
                      "\"dir\"=\"a\"\n\"checked\"=dword:00000000\n\n"
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\1\\leftover]\n\n"
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\2]\n\"name\"=\"s\"\n"
                      "\"sockets\"=dword:00000001\n");
        load();
        QCOMPARE(s.mods.lastRow, 0);
        QCOMPARE(s.servers.lastRow, 0);
        s.mods.remove(0);
        ServerEntry& e = s.servers.append();
        e = {42, "Second", "example.org", "2302", "secret", false, "@a;@b;"};
        save();
        QVERIFY(subkeys(kUser + "mods").empty());
        QCOMPARE(subkeys(kUser + "servers"), (std::vector<std::string>{"2", "42"}));
        const std::string row = kUser + "servers\\42";
        QCOMPARE(text(row, "name"), std::string("Second"));
        QCOMPARE(text(row, "ip"), std::string("example.org"));
        QCOMPARE(text(row, "port"), std::string("2302"));
        QCOMPARE(text(row, "pass"), std::string("secret"));
        QCOMPARE(text(row, "mods"), std::string("@a;@b;"));
        QCOMPARE(dword(row, "sockets"), int64_t(0));

        // Everything of the store comes back from the file.
        Store again;
        readRegistry(*reg, again, view);
        QCOMPARE(again.servers.lastRow, 1);
        QCOMPARE(again.servers[1].id, 42);
        QCOMPARE(again.servers[1].mods, std::string("@a;@b;"));
        QCOMPARE(again.servers[1].sockets, false);
    }

    // The save merges three ways: the file as loaded is the base, the session's changes are
    // ours, the file as another program left it meanwhile is theirs. Session steps: "opt
    // filter=x", "srv ID name=x" (a server's name), "add ID", "del ID". Theirs: the launcher key
    // as it then stands ("<deleted>" for no file, "<garbage>" for one that cannot be read).
    // Each check is "key|value|stored text", "hex:" before the text to compare raw bytes.
    void mergeAtSave_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QStringList>("ours");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("message"); // part of the save's message, "" for none
        const QString srv9 = "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\9]\n"
                             "\"name\"=\"s9\"\n\"ip\"=\"a\"\n\"sockets\"=dword:00000001\n";
        const QString srv9ip = QString(srv9).replace("\"ip\"=\"a\"", "\"ip\"=\"theirs\"");
        const QString srv12 = QString(srv9).replace("\\9]", "\\12]");
        const QString filter = "\"filter\"=\"theirs\"\n";
        const QString srv = "Software\\VKR Launcher2\\servers\\";
        QTest::newRow("file deleted")
            << srv9 << QStringList{} << "<deleted>" << QStringList{srv + "9|name|s9"} << "";
        QTest::newRow("file emptied") << srv9 << QStringList{"opt filter=f"} << ""
                                      << QStringList{srv + "9|name|s9", "|filter|f"} << "";
        QTest::newRow("garbage") << srv9 << QStringList{"opt filter=f"} << "<garbage>"
                                 << QStringList{srv + "9|name|s9", "|filter|f"}
                                 << "could not be read";
        QTest::newRow("another value changed")
            << srv9 << QStringList{"opt filter=mine"} << "\"sound1\"=\"t.wav\"\n" + srv9
            << QStringList{"|filter|mine", "|sound1|t.wav"} << "";
        QTest::newRow("same value changed")
            << srv9 << QStringList{"opt filter=mine"} << filter + srv9
            << QStringList{"|filter|mine"} << "'filter'";
        QTest::newRow("value changed there only")
            << srv9 << QStringList{"srv 9 name=mine"} << filter + srv9
            << QStringList{"|filter|theirs", srv + "9|name|mine"} << "";
        QTest::newRow("row added there")
            << srv9 << QStringList{"srv 9 name=mine"} << srv9 + srv12
            << QStringList{srv + "9|name|mine", srv + "12|name|s9"} << "";
        QTest::newRow("row removed there, unchanged here")
            << srv9 << QStringList{"opt filter=f"} << "" + filter
            << QStringList{srv + "9|name|<missing>", "|filter|f"} << "'filter'";
        QTest::newRow("row removed there, changed here")
            << srv9 << QStringList{"srv 9 name=mine"} << "\"sound1\"=\"t.wav\"\n"
            << QStringList{srv + "9|name|mine"} << "servers row 'mine'";
        QTest::newRow("row changed there, another value here")
            << srv9 << QStringList{"srv 9 name=mine"} << srv9ip
            << QStringList{srv + "9|name|mine", srv + "9|ip|theirs"} << "";
        QTest::newRow("row removed here, changed there")
            << srv9 << QStringList{"del 9"} << srv9ip << QStringList{srv + "9|name|<missing>"}
            << "servers row 's9'";
        QTest::newRow("row added here, there")
            << srv9 << QStringList{"add 12"} << srv9 + srv12 << QStringList{srv + "12|name|new"}
            << "servers row 's9'";
        QTest::newRow("list kept byte for byte")
            << "\"friends\"=hex(7):41,00\n" + srv9 << QStringList{"opt filter=f"}
            << "\"friends\"=hex(7):41,00\n" + srv9 << QStringList{"|friends|hex:4100", "|filter|f"}
            << "";
    }
    void mergeAtSave() {
        QFETCH(QString, base);
        QFETCH(QStringList, ours);
        QFETCH(QString, theirs);
        QFETCH(QStringList, written);
        QFETCH(QString, message);
        auto split = [](const QString& t) { // the launcher key's values, then the sections
            const qsizetype at = t.indexOf('[');
            return at < 0 ? std::pair{t, QString()} : std::pair{t.left(at), t.mid(at)};
        };
        auto [values, sections] = split(base);
        writeLauncher(values.toStdString(), sections.toStdString());
        load();
        for (const QString& step : ours) {
            const QStringList w = step.split(' ');
            const int32_t id = w.size() > 1 ? w[1].toInt() : 0;
            auto row = [&]() -> ServerEntry& {
                for (int i = 0; i <= s.servers.lastRow; ++i) {
                    if (s.servers[i].id == id) {
                        return s.servers[i];
                    }
                }
                qFatal("no server %d", id);
            };
            if (w[0] == "opt") {
                s.settings.filter = w[1].section('=', 1).toStdString();
            } else if (w[0] == "srv") {
                row().name = w[2].section('=', 1).toStdString();
            } else if (w[0] == "add") {
                s.servers.append() = {id, "new", "b", "1", "", true, ""};
            } else {
                s.servers.remove(int(&row() - &s.servers[0]));
            }
        }
        if (theirs == "<deleted>") {
            QFile::remove(QString::fromStdString(path()));
        } else if (theirs == "<garbage>") {
            write("garbage\n");
        } else if (theirs.isEmpty()) {
            write("");
        } else {
            auto [v, sec] = split(theirs);
            writeLauncher(v.toStdString(), sec.toStdString());
        }
        prompts.messages.clear();
        save();
        const std::string said = prompts.messages.empty() ? "" : prompts.messages.back();
        QVERIFY2(message.isEmpty() ? said.empty()
                                   : said.find(message.toStdString()) != std::string::npos,
                 said.c_str());
        for (const QString& check : written) {
            const QStringList c = check.split('|');
            const std::string key = c[0].isEmpty() ? kUser : "\\" + c[0].toStdString();
            const std::string got =
                c[2].startsWith("hex:")
                    ? "hex:" + QByteArray::fromStdString(value(key, c[1].toStdString())->data)
                                   .toHex()
                                   .toStdString()
                    : text(key, c[1].toStdString());
            QCOMPARE(got, c[2].toStdString());
        }
    }

    void saveWithoutLauncherKeyWritesNothing() {
        s.settings.executable = "x";
        s.loaded.mods = s.loaded.servers = true;
        save();
        QVERIFY(!QFile::exists(QString::fromStdString(path())));
    }

    void stoppedLoadNeverDeletesUnreadRows() {
        // "2" cannot be read (no "checked"), "3" is never reached.
        writeLauncher("",
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\1]\n\"name\"=\"a\"\n"
                      "\"checked\"=dword:00000001\n\n"
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\2]\n\"name\"=\"b\"\n\n"
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\3]\n\"name\"=\"c\"\n"
                      "\"checked\"=dword:00000000\n\n"
                      "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\9]\n\"name\"=\"s\"\n"
                      "\"sockets\"=dword:00000001\n");
        QVERIFY_THROWS_EXCEPTION(Exception, load());
        QCOMPARE(s.mods.lastRow, 0); // the row read completely before the error
        QCOMPARE(s.mods[0].name, std::string("a"));

        s.settings.window = true;
        try {
            save();
            QFAIL("the save did not say that the tables were kept");
        } catch (const Exception& e) {
            QVERIFY(QString(e.what()).contains("the mods and the servers"));
        }
        QCOMPARE(subkeys(kUser + "mods"), (std::vector<std::string>{"1", "2", "3"}));
        QCOMPARE(subkeys(kUser + "servers"), (std::vector<std::string>{"9"}));
        QCOMPARE(dword(kUser, "window"), int64_t(1)); // the options were still written
    }

    // After a load that stopped part-way a save writes what the load read (with the changes
    // made since) and keeps everything else as stored, and says what it kept.
    void failedLoadKeepsWhatItDidNotRead_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("saved"); // the options and tables the save writes
        const QStringList options = {"executable", "nosplash", "window", "close",  "nomap", "flash",
                                     "watchers",   "autojoin", "notify", "sound1", "sound2"};
        QTest::newRow("text where a number belongs")
            << "\"nosplash\"=dword:00000001"
            << "\"nosplash\"=\"1\"" << QStringList{"executable"};
        QTest::newRow("window missing") << "\"window\"=dword:00000001"
                                        << "" << QStringList{"executable", "nosplash"};
        QTest::newRow("mod row unreadable") << "\"checked\"=dword:00000001"
                                            << "" << options;
        QTest::newRow("server row unreadable")
            << "\"sockets\"=dword:00000001"
            << "\"sockets\"=\"yes\"" << options + QStringList{"mods"};
    }
    void failedLoadKeepsWhatItDidNotRead() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, saved);
        const std::string original =
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"" + exe() +
            "\"\n\"nosplash\"=dword:00000001\n\"window\"=dword:00000001\n"
            "\"close\"=dword:00000001\n\"nomap\"=dword:00000001\n\"flash\"=dword:00000000\n"
            "\"watchers\"=dword:00000002\n\"autojoin\"=dword:00000000\n"
            "\"notify\"=dword:00000001\n\"sound1\"=\"/s/a.wav\"\n\"sound2\"=\"/s/b.wav\"\n\n"
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\1]\n\"name\"=\"a\"\n"
            "\"dir\"=\"@a\"\n\"checked\"=dword:00000001\n\n"
            "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\9]\n\"name\"=\"s\"\n"
            "\"sockets\"=dword:00000001\n";
        write(QString::fromStdString(original).replace(from, to).toStdString());
        QVERIFY_THROWS_EXCEPTION(Exception, load());
        LauncherSettings& o = s.settings;
        o = {"/new.exe", "",    false, false, false, false, true, 0,  "new1", "new2", true, false,
             "",         false, false, false, false, -1,    0,    "", {"Cy"}, false,  0,    {}};
        s.mods.append() = {2, "b", "@b", false};
        s.servers.append() = {3, "t", "h", "1", "", true, ""};
        QString message;
        try {
            save();
        } catch (const Exception& e) {
            message = e.what();
        }
        RegTree before = RegTree::parse(original);
        auto unchanged = [&](const std::string& key, const char* name) {
            const RegValue* was = RegTree::findValue(*before.find(Hive::CurrentUser, key), name);
            return value(key, name) == *was;
        };
        for (const char* name : {"executable", "nosplash", "window", "close", "nomap", "flash",
                                 "watchers", "autojoin", "notify", "sound1", "sound2"}) {
            if (name != from.mid(1, from.indexOf('"', 1) - 1)) { // the unreadable value is moot
                QVERIFY2(unchanged(kUser, name) != saved.contains(name), name);
                QVERIFY2(message.contains(name) != saved.contains(name), name);
            }
        }
        const std::vector<std::string> mods = saved.contains("mods")
                                                  ? std::vector<std::string>{"1", "2"}
                                                  : std::vector<std::string>{"1"};
        QCOMPARE(subkeys(kUser + "mods"), mods);
        QCOMPARE(subkeys(kUser + "servers"), std::vector<std::string>{"9"});
        QCOMPARE(message.contains("the mods"), !saved.contains("mods"));
        QVERIFY(message.contains("the servers"));
    }

    // A row written twice in the file, or under two spellings of one name, is two rows; the
    // load says so, and a save and a load later both are still there with their own values.
    void repeatedRowSections_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("mod 5 twice") << "mods" << QStringList{"5", "5"};
        QTest::newRow("0xa and 0XA") << "mods" << QStringList{"0xa", "0XA"};
        QTest::newRow("mod three times") << "mods" << QStringList{"7", "7", "7"};
        QTest::newRow("server 9 twice") << "servers" << QStringList{"9", "9"};
    }
    void repeatedRowSections() {
        QFETCH(QString, table);
        QFETCH(QStringList, names);
        std::string sections;
        for (int i = 0; i < names.size(); ++i) {
            sections += "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\" + table.toStdString() +
                        "\\" + names[i].toStdString() + "]\n\"name\"=\"row" + std::to_string(i) +
                        "\"\n\"checked\"=dword:00000001\n\"sockets\"=dword:00000001\n\n";
        }
        writeLauncher("", sections);
        auto rowNames = [&](const Store& st) {
            std::set<std::string> found;
            std::set<int32_t> ids;
            const int count = table == "mods" ? st.mods.count() : st.servers.count();
            for (int i = 0; i < count; ++i) {
                found.insert(table == "mods" ? st.mods[i].name : st.servers[i].name);
                ids.insert(table == "mods" ? st.mods[i].id : st.servers[i].id);
            }
            return int(ids.size()) == count ? found : std::set<std::string>{};
        };
        std::set<std::string> all;
        for (int i = 0; i < names.size(); ++i) {
            all.insert("row" + std::to_string(i));
        }
        QVERIFY(loadMessage().contains("'" + names[0] + "' more than once", Qt::CaseInsensitive));
        QCOMPARE(rowNames(s), all);
        save();
        Store again;
        readRegistry(*reg, again, view); // no repeat is left to report
        QCOMPARE(rowNames(again), all);
        QCOMPARE(int(subkeys(kUser + table.toStdString()).size()), names.size());
    }

    // Values and subkeys of a row's key that the launcher does not read go with the row through
    // saves, also when the row is given a new id or moves in the table.
    void unknownPartsOfRowsSurvive_data() {
        QTest::addColumn<QString>("name");    // the row's subkey
        QTest::addColumn<int>("removeFirst"); // a row before it is removed in the session
        QTest::newRow("plain id") << "6" << 0;
        QTest::newRow("id that an earlier row has") << "004" << 0;
        QTest::newRow("row moved down by a removal") << "6" << 1;
    }
    void unknownPartsOfRowsSurvive() {
        QFETCH(QString, name);
        QFETCH(int, removeFirst);
        const std::string k = "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\";
        writeLauncher("", k + "1]\n\"name\"=\"first\"\n\"checked\"=dword:00000000\n\n" + k +
                              "4]\n\"name\"=\"four\"\n\"checked\"=dword:00000000\n\n" + k +
                              name.toStdString() +
                              "]\n\"Name\"=\"mine\"\n\"Checked\"=dword:00000001\n"
                              "\"note\"=\"keep me\"\n\"size\"=dword:0000002a\n\n" +
                              k + name.toStdString() + "\\extra]\n\"deep\"=hex:01,02\n\n");
        QCOMPARE(loadMessage(), QString());
        if (removeFirst) {
            s.mods.remove(0);
        }
        save();
        Store again;
        readRegistry(*reg, again, view);
        int mine = -1;
        for (int i = 0; i <= again.mods.lastRow; ++i) {
            if (again.mods[i].name == "mine") {
                mine = i;
            }
        }
        QVERIFY(mine >= 0);
        QVERIFY(again.mods[mine].checked);
        const std::string row = kUser + "mods\\" + std::to_string(again.mods[mine].id);
        QCOMPARE(text(row, "note"), std::string("keep me"));
        QCOMPARE(dword(row, "size"), int64_t(42));
        QVERIFY(value(row + "\\extra", "deep") == (RegValue{REG_BINARY, "\x01\x02"}));
        for (int i = 0; i <= again.mods.lastRow; ++i) { // nothing went to another row
            if (i != mine) {
                QVERIFY(!value(kUser + "mods\\" + std::to_string(again.mods[i].id), "note"));
            }
        }
    }

    // A NUL inside a text survives a load and a save byte for byte.
    void textWithNulSurvives_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("sound path") << ""
                                    << "sound1";
        QTest::newRow("mod name") << "mods\\2"
                                  << "name";
    }
    void textWithNulSurvives() {
        QFETCH(QString, key);
        QFETCH(QString, name);
        const std::string nulText = "\"a" + std::string(1, '\0') + "b\"";
        std::string values = "\"sound2\"=\"x\"\n";
        std::string sections = "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\2]\n"
                               "\"dir\"=\"d\"\n\"checked\"=dword:00000001\n";
        (key.isEmpty() ? values : sections) += "\"" + name.toStdString() + "\"=" + nulText + "\n";
        writeLauncher(values, sections);
        QCOMPARE(loadMessage(), QString());
        save();
        const RegValue expected = RegValue::text(std::string("a\0b", 3));
        QVERIFY(value(kUser + key.toStdString(), name.toStdString()) == expected);
        Store again;
        readRegistry(*reg, again, view);
        const std::string& read = key.isEmpty() ? again.settings.sound1 : again.mods[0].name;
        QCOMPARE(read, std::string("a\0b", 3));
    }

    // Subkey names that are one number written differently each stay a row of their own, and
    // a save and a load later all of them are still there.
    void aliasingIdsGetFreshIds_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("7 and 007") << QStringList{"7", "007"};
        QTest::newRow("four ways to write 1") << QStringList{"1", "01", " 1", "+1"};
        QTest::newRow("hex and decimal") << QStringList{"16", "$10", "0x10", "-0"};
    }
    void aliasingIdsGetFreshIds() {
        QFETCH(QStringList, names);
        std::string sections;
        for (const QString& name : names) {
            sections += "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\" + name.toStdString() +
                        "]\n\"name\"=\"m" + name.toStdString() +
                        "\"\n\"checked\"=dword:00000001\n\n";
        }
        writeLauncher("", sections);
        load();
        std::set<int32_t> ids;
        for (int i = 0; i <= s.mods.lastRow; ++i) {
            ids.insert(s.mods[i].id);
        }
        QCOMPARE(int(ids.size()), names.size());
        save();
        Store again;
        readRegistry(*reg, again, view);
        std::set<std::string> rows;
        for (int i = 0; i <= again.mods.lastRow; ++i) {
            rows.insert(again.mods[i].name);
        }
        QCOMPARE(int(rows.size()), names.size());
        QCOMPARE(int(subkeys(kUser + "mods").size()), names.size());
    }

    // No question to the user waits with the settings file locked.
    void questionsWaitWithoutTheLock_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("first run") << "";
        QTest::newRow("executable not found")
            << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=\"/x\"\n"
               "\"nosplash\"=dword:00000001\n\"window\"=dword:00000000\n";
        QTest::newRow("broken file") << "REGEDIT4\n\n\"value\"=\"before any key\"\n";
    }
    void questionsWaitWithoutTheLock() {
        QFETCH(QString, file);
        if (!file.isEmpty()) {
            write(file.toStdString());
        }
        std::vector<bool> free;
        prompts.whileShown = [&] {
            int fd = ::open((path() + ".lock").c_str(), O_RDWR);
            free.push_back(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0);
            ::close(fd);
        };
        prompts.files = {exe()};
        load();
        QVERIFY(!free.empty());
        QCOMPARE(free, std::vector<bool>(free.size(), true));
        QCOMPARE(s.settings.executable, exe());
    }

    void tooManyRowsAreNotLoadedOrDeleted() {
        std::string sections;
        for (int i = 0; i < ModTable::capacity + 1; ++i) {
            sections += "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\" + std::to_string(i) +
                        "]\n\"checked\"=dword:00000000\n";
        }
        writeLauncher("", sections);
        QVERIFY_THROWS_EXCEPTION(Exception, load());
        QVERIFY_THROWS_EXCEPTION(Exception, save());
        QCOMPARE(subkeys(kUser + "mods").size(), size_t(ModTable::capacity + 1));
    }

    void gameValuesAndProfiles() {
        const std::string game = dir.filePath("game").toStdString();
        QDir(dir.path()).mkpath("game/users/Ann");
        QDir(dir.path()).mkpath("game/users/Bob");
        std::ofstream(game + "/users/notes.txt") << "x";
        writeLauncher(
            "", "[HKEY_LOCAL_MACHINE\\Software\\Brannock\\Operation Velkrand]\n\"MAIN\"=\"" + game +
                    "\"\n\n[HKEY_CURRENT_USER\\Software\\Brannock\\Operation Velkrand]\n"
                    "\"Player Name\"=\"Tervald\"\n");
        load();
        QCOMPARE(s.settings.gameFolder, game);
        QCOMPARE(view.playerName, std::string("Tervald"));
        auto profiles = view.profiles;
        std::sort(profiles.begin(), profiles.end());
        QCOMPARE(profiles, (std::vector<std::string>{"Ann", "Bob", "notes.txt"}));
        // The game's values are never written back.
        s.settings.gameFolder = "/changed";
        save();
        FileRegistry fresh(path());
        auto main = inTransaction(
            fresh, [](const std::string&) {},
            [&] { return fresh.queryValue(Hive::LocalMachine, kGameKey, "MAIN"); });
        QCOMPARE(main->asText(), game);
    }

    // Profiles are offered as Windows lists a folder: by name regardless of case, whatever
    // order the entries were made in.
    void profilesInNameOrder_data() {
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("mixed case") << QStringList{"Second Profile", "bjorn", "Ann", "carl"}
                                    << QStringList{"Ann", "bjorn", "carl", "Second Profile"};
        QTest::newRow("prefix first")
            << QStringList{"Ann2", "ann", "Anna"} << QStringList{"ann", "Ann2", "Anna"};
        QTest::newRow("case twins by bytes")
            << QStringList{"bob", "BOB", "Bob", "alf"} << QStringList{"alf", "BOB", "Bob", "bob"};
        QTest::newRow("digits, letters, underscore") << QStringList{"_x", "zed", "9lives", "Able"}
                                                     << QStringList{"9lives", "Able", "zed", "_x"};
    }
    void profilesInNameOrder() {
        QFETCH(QStringList, made);
        QFETCH(QStringList, listed);
        const QString game = dir.filePath(QString("order/") + QTest::currentDataTag());
        for (const QString& name : made) {
            QVERIFY(QDir().mkpath(game + "/users/" + name));
        }
        QStringList got;
        for (const auto& name : listProfiles(game.toStdString())) {
            got << QString::fromStdString(name);
        }
        QCOMPARE(got, listed);
    }

    void missingGameKeysKeepTheFolderAndClearTheName() {
        writeLauncher("");
        s.settings.gameFolder = "/kept";
        view.playerName = "old";
        load();
        QCOMPARE(s.settings.gameFolder, std::string("/kept"));
        QCOMPARE(view.playerName, std::string());
    }

    void brokenFileIsReportedAndLoadGoesOnAsFirstRun() {
        write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"executable\"=garbage\n");
        prompts.files = {exe()};
        load();
        QVERIFY(prompts.messages.size() >= 2);
        QVERIFY(QString::fromStdString(prompts.messages[0]).contains("line 4"));
        QCOMPARE(prompts.messages[1], std::string("Select the VKR executable."));
        QCOMPARE(text(kUser, "executable"), exe());
    }

    void integerTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "2302" << true << 2302;
        QTest::newRow("leading spaces") << "   42" << true << 42;
        QTest::newRow("plus") << "+7" << true << 7;
        QTest::newRow("minus") << "-3" << true << -3;
        QTest::newRow("leading zeros") << "007" << true << 7;
        QTest::newRow("dollar hex") << "$1F" << true << 31;
        QTest::newRow("0x hex") << "0x1f" << true << 31;
        QTest::newRow("0X hex") << "0XFF" << true << 255;
        QTest::newRow("hex all bits") << "$FFFFFFFF" << true << -1;
        QTest::newRow("negative hex") << "-$10" << true << -16;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(INT32_MIN);
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("hex too long") << "$100000000" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("spaces only") << "  " << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("dollar only") << "$" << false << 0;
        QTest::newRow("trailing space") << "12 " << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("tab before") << "\t1" << false << 0;
        QTest::newRow("two signs") << "--1" << false << 0;
        QTest::newRow("space after sign") << "- 1" << false << 0;
    }
    void integerTexts() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        auto parsed = tryParseInt(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(*parsed, value);
        } else {
            try {
                parseInt(text.toStdString());
                QFAIL("no error");
            } catch (const EConvertError& e) {
                QCOMPARE(QString(e.what()), "'" + text + "' is not a valid integer value");
            }
        }
    }

    void errorReportAddsAFullStop_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Invalid buffer"
                                << "Invalid buffer.";
        QTest::newRow("digit") << "Unknown Error No. 10"
                               << "Unknown Error No. 10.";
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("quote sorts before") << "Failed to get data for 'x'"
                                            << "Failed to get data for 'x'";
        QTest::newRow("exclamation sorts before") << "Not found!"
                                                  << "Not found!";
        QTest::newRow("slash sorts after") << "a/b/"
                                           << "a/b/.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void errorReportAddsAFullStop() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(errorReportText(text.toStdString())), shown);
    }

    void wildcardListing() {
        const QString base = dir.filePath("list");
        QDir().mkpath(base + "/sub.dir");
        QDir().mkpath(base + "/plain");
        std::ofstream((base + "/a.wav").toStdString()) << "";
        std::ofstream((base + "/b.txt").toStdString()) << "";
        auto sorted = [](std::vector<std::string> v) {
            std::sort(v.begin(), v.end());
            return v;
        };
        const std::string b = base.toStdString();
        QCOMPARE(sorted(findFiles(b + "\\*.*")),
                 (std::vector<std::string>{"a.wav", "b.txt", "plain", "sub.dir"}));
        QCOMPARE(sorted(findFiles(b + "/*.wav")), std::vector<std::string>{"a.wav"});
        QCOMPARE(sorted(findFiles(b + "/?.txt")), std::vector<std::string>{"b.txt"});
        QVERIFY(findFiles(b + "/missing/*.*").empty());
        QVERIFY(listProfiles(b + "/plain").empty());
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "core_store.moc"
