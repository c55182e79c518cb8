// The registry file: its text format, transactions over the file, broken files, the lock and
// saves that survive a killed process.
#include "settings/registry_file.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vkr;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(vkr::RegValue)

template <> char* QTest::toString(const std::string& s) {
    return QTest::toString(QByteArray::fromStdString(s));
}

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

QStringList folderEntries(const std::string& folder) {
    return QDir(QString::fromStdString(folder)).entryList(QDir::Files, QDir::Name);
}

RegValue raw(uint32_t type, std::string bytes) {
    return RegValue{type, std::move(bytes)};
}

// A launcher key with n server rows; variant changes every text so two variants differ.
void fillServers(Registry& reg, int n, char variant) {
    const char* servers = "\\Software\\VKR Launcher2\\servers";
    reg.deleteKey(Hive::CurrentUser, servers);
    reg.createKey(Hive::CurrentUser, servers);
    for (int i = 0; i < n; ++i) {
        std::string key = std::string(servers) + "\\" + std::to_string(i * 7919 - 4000);
        reg.createKey(Hive::CurrentUser, key);
        reg.setValue(Hive::CurrentUser, key, "name", RegValue::text(variant + std::to_string(i)));
        reg.setValue(Hive::CurrentUser, key, "ip",
                     RegValue::text("host-" + std::string(40, variant)));
        reg.setValue(Hive::CurrentUser, key, "sockets", RegValue::dword(variant));
    }
}

} // namespace

class RegistryFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    std::string folder() const { return tmp.path().toStdString() + "/vkr-launcher"; }
    std::string file() const { return folder() + "/registry.reg"; }

private slots:
    void init() { QDir(QString::fromStdString(folder())).removeRecursively(); }

    void canonicalText_data() {
        QTest::addColumn<std::string>("input");
        QTest::addColumn<std::string>("expected");
        const std::string h = "REGEDIT4\n\n";
        const std::string k = "[HKEY_CURRENT_USER\\A]\n";
        const std::string escaped =
            "\"n\\\"q\\\\\"=\"C:\\\\x \\\"y\\\"\""; // "n\"q\\"="C:\\x \"y\""
        QTest::newRow("escapes") << h + k + escaped + "\n" << h + k + escaped + "\n\n";
        QTest::newRow("default value") << h + k + "@=\"d\"\n\"\"=\"e\"\n" << h + k + "@=\"e\"\n\n";
        QTest::newRow("dword") << h + k + "\"d\"=DWORD:1aB\n" << h + k + "\"d\"=dword:000001ab\n\n";
        QTest::newRow("expand sz") << h + k + "\"e\"=hex(2):25,00\n"
                                   << h + k + "\"e\"=hex(2):25,00\n\n";
        QTest::newRow("binary, empty") << h + k + "\"b\"=hex:\n" << h + k + "\"b\"=hex:\n\n";
        QTest::newRow("multi sz") << h + k + "\"m\"=hex(7):61,00,00\n"
                                  << h + k + "\"m\"=hex(7):61,00,00\n\n";
        QTest::newRow("text as hex(1)") << h + k + "\"t\"=hex(1):61,62,00\n"
                                        << h + k + "\"t\"=\"ab\"\n\n";
        QTest::newRow("dword as hex(4)") << h + k + "\"d\"=hex(4):01,02,03,04\n"
                                         << h + k + "\"d\"=dword:04030201\n\n";
        QTest::newRow("short dword stays bytes") << h + k + "\"d\"=hex(4):01\n"
                                                 << h + k + "\"d\"=hex(4):01\n\n";
        QTest::newRow("continuation, comments, blanks")
            << h + "; a comment \\\n" + k + "\n  \"b\"=hex:01,\\\n    02,\\\n  03\n;x\n"
            << h + k + "\"b\"=hex:01,02,03\n\n";
        QTest::newRow("CRLF") << std::string(
                                     "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"s\"=\"v\"\r\n")
                              << h + k + "\"s\"=\"v\"\n\n";
        QTest::newRow("short hive names, parents, root values")
            << h + "[HKCU]\n\"r\"=\"1\"\n[HKLM\\X\\Y]\n"
            << h + "[HKEY_LOCAL_MACHINE\\X]\n\n[HKEY_LOCAL_MACHINE\\X\\Y]\n\n[HKEY_CURRENT_USER]"
                   "\n\"r\"=\"1\"\n\n";
        QTest::newRow("version 5 header")
            << "Windows Registry Editor Version 5.00\n\n" + k << h + k + "\n";
        QTest::newRow("long hex wraps")
            << h + k + "\"b\"=hex:" +
                   [] {
                       std::string s;
                       for (int i = 0; i < 30; ++i) {
                           s += (i ? ",0" : "0") + std::to_string(i % 10);
                       }
                       return s;
                   }() +
                   "\n"
            << h + k +
                   "\"b\"=hex:00,01,02,03,04,05,06,07,08,09,00,01,02,03,04,05,06,07,08,09,00,01,02,"
                   "\\\n"
                   "  03,04,05,06,07,08,09\n\n";
    }

    // Each input reads as the tree its canonical text describes, and writes as that text.
    void canonicalText() {
        QFETCH(std::string, input);
        QFETCH(std::string, expected);
        RegTree tree = RegTree::parse(input);
        QCOMPARE(tree.serialize(), expected);
        QVERIFY(RegTree::parse(expected) == tree);
    }

    void escapesRead() {
        RegTree tree =
            RegTree::parse("REGEDIT4\n[HKCU\\A]\n\"n\\\"q\\\\\"=\"C:\\\\x \\\"y\\\"\"\n");
        const RegValue* v = RegTree::findValue(*tree.find(Hive::CurrentUser, "A"), "n\"q\\");
        QVERIFY(v);
        QVERIFY(*v == RegValue::text("C:\\x \"y\""));
    }

    void valueRoundTrip_data() {
        QTest::addColumn<RegValue>("value");
        QTest::newRow("text") << RegValue::text("ann's \"game\" \\ folder ; [x] = é");
        QTest::newRow("empty text") << RegValue::text("");
        QTest::newRow("text with NUL") << raw(REG_SZ, std::string("a\0b\0", 4));
        QTest::newRow("text with LF") << RegValue::text("line1\nline2");
        QTest::newRow("text with CR at end") << RegValue::text("x\r");
        QTest::newRow("text without NUL") << raw(REG_SZ, "abc");
        QTest::newRow("text, no bytes") << raw(REG_SZ, "");
        QTest::newRow("expand sz") << RegValue::text("%HOME%/vkr", REG_EXPAND_SZ);
        QTest::newRow("dword max") << RegValue::dword(0xFFFFFFFF);
        QTest::newRow("dword 3 bytes") << raw(REG_DWORD, "\x01\x02\x03");
        QTest::newRow("binary 300") << raw(REG_BINARY, std::string(300, '\xA5'));
        QTest::newRow("none") << raw(REG_NONE, "");
        QTest::newRow("qword") << raw(11, "12345678");
        QTest::newRow("type ffffffff") << raw(0xFFFFFFFF, "\x00");
    }

    void valueRoundTrip() {
        QFETCH(RegValue, value);
        RegTree tree;
        RegTree::setValue(tree.create(Hive::LocalMachine, "\\K"), "v", value);
        RegTree back = RegTree::parse(tree.serialize());
        const RegTree::Key* key = back.find(Hive::LocalMachine, "K");
        QVERIFY(key);
        const RegValue* v = RegTree::findValue(*key, "V");
        QVERIFY(v);
        QCOMPARE(v->type, value.type);
        QCOMPARE(v->data, value.data);
    }

    void keysIgnoreCaseKeepSpelling() {
        RegTree tree =
            RegTree::parse("REGEDIT4\n[HKCU\\Software\\VKR Launcher2]\n\"Exe\"=\"a\"\n"
                           "[HKCU\\SOFTWARE\\vkr launcher2\\Mods]\n\"exe\"=\"b\"\n"
                           "[hkey_current_user\\software\\VKR LAUNCHER2]\n\"EXE\"=\"c\"\n");
        QCOMPARE(tree.serialize(),
                 std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n"
                             "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                             "\"Exe\"=\"c\"\n\n"
                             "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\Mods]\n"
                             "\"exe\"=\"b\"\n\n"));
        QVERIFY(tree.find(Hive::CurrentUser, "\\software\\vkr LAUNCHER2\\mODS\\"));
        QVERIFY(!tree.find(Hive::LocalMachine, "Software"));
        QVERIFY(tree.remove(Hive::CurrentUser, "SOFTWARE\\VKR launcher2\\MODS"));
        QVERIFY(!tree.find(Hive::CurrentUser, "Software\\VKR Launcher2\\Mods"));
    }

    // Subkeys enumerate in the registry's order whatever order they were created or written in,
    // and an empty key survives a save.
    void enumerationOrder() {
        const std::vector<std::string> sorted = {"-3", "0",       "007", "1",    "10",
                                                 "5",  "9999999", "abc", "Abc2", "ABD"};
        std::vector<std::string> shuffled = sorted;
        std::shuffle(shuffled.begin(), shuffled.end(), *QRandomGenerator::global());
        std::string text = "REGEDIT4\n";
        for (const auto& name : shuffled) {
            text += "[HKCU\\Software\\VKR Launcher2\\mods\\" + name + "]\n";
        }
        QDir().mkpath(QString::fromStdString(folder()));
        writeFile(file(), text);

        FileRegistry reg(file());
        reg.begin();
        QCOMPARE(reg.subkeyNames(Hive::CurrentUser, "\\Software\\VKR Launcher2\\mods"), sorted);
        std::shuffle(shuffled.begin(), shuffled.end(), *QRandomGenerator::global());
        for (const auto& name : shuffled) {
            reg.createKey(Hive::CurrentUser, "\\Software\\VKR Launcher2\\servers\\" + name);
        }
        reg.createKey(Hive::CurrentUser, "\\Software\\VKR Launcher2\\empty");
        reg.end();

        reg.begin();
        QCOMPARE(reg.subkeyNames(Hive::CurrentUser, "\\Software\\VKR Launcher2\\servers"), sorted);
        QCOMPARE(reg.subkeyNames(Hive::CurrentUser, "\\Software\\VKR Launcher2"),
                 (std::vector<std::string>{"empty", "mods", "servers"}));
        QVERIFY(reg.subkeyNames(Hive::CurrentUser, "\\Software\\VKR Launcher2\\empty").empty());
        reg.end();
    }

    void parseErrors_data() {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<std::string>("reason");
        QTest::newRow("no header") << std::string("[HKCU\\A]\n") << 1 << std::string("REGEDIT4");
        QTest::newRow("blank first") << std::string("\nREGEDIT4\n") << 1 << std::string("REGEDIT4");
        QTest::newRow("value before key")
            << std::string("REGEDIT4\n\n\"a\"=\"b\"\n") << 3 << std::string("before the first key");
        QTest::newRow("unknown hive") << std::string("REGEDIT4\n[HKEY_USERS\\A]\n") << 2
                                      << std::string("unknown root key 'HKEY_USERS'");
        QTest::newRow("no closing bracket")
            << std::string("REGEDIT4\n[HKCU\\A\n") << 2 << std::string("']'");
        QTest::newRow("empty key name")
            << std::string("REGEDIT4\n[HKCU\\A\\\\B]\n") << 2 << std::string("empty");
        QTest::newRow("delete key")
            << std::string("REGEDIT4\n[-HKCU\\A]\n") << 2 << std::string("not supported");
        QTest::newRow("bad escape") << std::string("REGEDIT4\n[HKCU\\A]\n\"a\"=\"x\\n\"\n") << 3
                                    << std::string("backslash");
        QTest::newRow("open quote")
            << std::string("REGEDIT4\n[HKCU\\A]\n\"a\"=\"x\n") << 3 << std::string("closing quote");
        QTest::newRow("after text") << std::string("REGEDIT4\n[HKCU\\A]\n\"a\"=\"x\"y\n") << 3
                                    << std::string("after the closing quote");
        QTest::newRow("no equals")
            << std::string("REGEDIT4\n[HKCU\\A]\n\"a\" \"x\"\n") << 3 << std::string("'='");
        QTest::newRow("bare name")
            << std::string("REGEDIT4\n[HKCU\\A]\na=\"x\"\n") << 3 << std::string("double quotes");
        QTest::newRow("dword too long")
            << std::string("REGEDIT4\n[HKCU\\A]\n\"d\"=dword:123456789\n") << 3
            << std::string("dword");
        QTest::newRow("bad byte after continuation")
            << std::string("REGEDIT4\n[HKCU\\A]\n\n\"b\"=hex:01,\\\n  0g\n") << 4
            << std::string("'0g' is not a byte");
        QTest::newRow("trailing comma") << std::string("REGEDIT4\n[HKCU\\A]\n\"b\"=hex:01,\n") << 3
                                        << std::string("'' is not a byte");
        QTest::newRow("bad type") << std::string("REGEDIT4\n[HKCU\\A]\n\"b\"=hex(q):01\n") << 3
                                  << std::string("hex(N)");
        QTest::newRow("delete value")
            << std::string("REGEDIT4\n[HKCU\\A]\n\"b\"=-\n") << 3 << std::string("not supported");
        QTest::newRow("unknown data") << std::string("REGEDIT4\n[HKCU\\A]\n\"b\"=qword:1\n") << 3
                                      << std::string("dword:, hex:");
    }

    void parseErrors() {
        QFETCH(std::string, text);
        QFETCH(int, line);
        QFETCH(std::string, reason);
        try {
            RegTree::parse(text);
            QFAIL("parsed");
        } catch (const RegTree::ParseError& e) {
            QCOMPARE(e.line, line);
            QVERIFY2(std::string(e.what()).find(reason) != std::string::npos, e.what());
        }
    }

    // A file that cannot be read is moved aside byte for byte, never overwritten, and the
    // next save writes a fresh file.
    void brokenFileMovedAside_data() { parseErrors_data(); }

    void brokenFileMovedAside() {
        QFETCH(std::string, text);
        QFETCH(int, line);
        QFETCH(std::string, reason);
        QDir().mkpath(QString::fromStdString(folder()));
        writeFile(file(), text);
        FileRegistry reg(file());
        std::string notice = reg.begin();
        QVERIFY(!reg.keyExists(Hive::CurrentUser, "A"));
        reg.createKey(Hive::CurrentUser, "\\Software\\VKR Launcher2\\mods");
        reg.end();

        QStringList broken = folderEntries(folder()).filter("registry.reg.broken-");
        QCOMPARE(broken.size(), 1);
        std::string moved = folder() + "/" + broken[0].toStdString();
        QVERIFY(QRegularExpression("^registry\\.reg\\.broken-\\d{8}-\\d{6}$")
                    .match(broken[0])
                    .hasMatch());
        QCOMPARE(readFile(moved), text);
        std::string why;
        try {
            RegTree::parse(text);
        } catch (const RegTree::ParseError& e) {
            why = e.what();
        }
        QVERIFY(why.find(reason) != std::string::npos);
        QCOMPARE(notice, "The settings file " + file() + " could not be read (line " +
                             std::to_string(line) + ": " + why + "). It was moved to " + moved +
                             "; the launcher starts with fresh settings.");

        reg.begin();
        QVERIFY(reg.keyExists(Hive::CurrentUser, "\\Software\\VKR Launcher2\\mods"));
        reg.end();

        // A second broken file in the same second gets a name of its own.
        writeFile(file(), "broken again");
        QVERIFY(!reg.begin().empty());
        reg.end();
        broken = folderEntries(folder()).filter("registry.reg.broken-");
        QCOMPARE(broken.size(), 2);
        QCOMPARE(readFile(moved), text);
    }

    void nothingWrittenWhenUnchanged() {
        FileRegistry reg(file());
        reg.begin();
        reg.createKey(Hive::CurrentUser, "\\A\\B");
        reg.setValue(Hive::CurrentUser, "\\A", "x", RegValue::dword(1));
        reg.end();
        struct stat before {};
        QCOMPARE(::stat(file().c_str(), &before), 0);
        QTest::qWait(20);

        reg.begin();
        reg.begin();
        reg.createKey(Hive::CurrentUser, "\\a\\b"); // exists already
        QVERIFY(!reg.deleteKey(Hive::CurrentUser, "\\A\\C"));
        QVERIFY(reg.queryValue(Hive::CurrentUser, "a", "X") == RegValue::dword(1));
        reg.end();
        reg.end();
        struct stat after {};
        QCOMPARE(::stat(file().c_str(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    }

    void missingFileIsEmptyAndFolderIsCreated() {
        FileRegistry reg(file());
        QCOMPARE(reg.begin(), std::string());
        QVERIFY(!reg.keyExists(Hive::CurrentUser, "\\Software"));
        reg.end();
        QVERIFY(!QFile::exists(QString::fromStdString(file())));
        QVERIFY(QDir(QString::fromStdString(folder())).exists());
    }

    void misuseRaises() {
        FileRegistry reg(file());
        QVERIFY_THROWS_EXCEPTION(Exception, reg.keyExists(Hive::CurrentUser, "A"));
        QVERIFY_THROWS_EXCEPTION(Exception, reg.end());
        reg.begin();
        QVERIFY_THROWS_EXCEPTION(Exception, reg.createKey(Hive::CurrentUser, "A\nB"));
        QVERIFY_THROWS_EXCEPTION(
            Exception, reg.setValue(Hive::CurrentUser, "Missing", "v", RegValue::dword(0)));
        reg.createKey(Hive::CurrentUser, "A");
        QVERIFY_THROWS_EXCEPTION(Exception,
                                 reg.setValue(Hive::CurrentUser, "A", "v\n", RegValue::dword(0)));
        reg.end();
        QVERIFY_THROWS_EXCEPTION(Exception, reg.subkeyNames(Hive::CurrentUser, ""));
    }

    // The rename cannot replace a folder: the save fails with the path and the reason, the
    // lock is let go and no temporary file is left.
    void writeFailureRaisesAndUnlocks() {
        FileRegistry reg(file());
        reg.begin();
        reg.createKey(Hive::CurrentUser, "A");
        QDir().mkpath(QString::fromStdString(file() + "/inside"));
        try {
            reg.end();
            QFAIL("saved");
        } catch (const Exception& e) {
            QCOMPARE(std::string(e.what()),
                     "Could not save the settings to " + file() + ": " + std::strerror(EISDIR));
        }
        QCOMPARE(folderEntries(folder()), QStringList{"registry.reg.lock"});
        int fd = ::open((file() + ".lock").c_str(), O_RDWR);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ::close(fd);
    }

    void lockHeldForOutermostTransaction() {
        FileRegistry reg(file());
        reg.begin();
        reg.begin();
        reg.end();
        int fd = ::open((file() + ".lock").c_str(), O_RDWR);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), -1);
        reg.end();
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ::close(fd);
    }

    // Read-modify-write transactions of two processes never interleave: no increment is lost.
    void concurrentSavesDoNotInterleave() {
        const int rounds = 150;
        auto counter = [this](int times) {
            FileRegistry reg(file());
            for (int i = 0; i < times; ++i) {
                reg.begin();
                reg.createKey(Hive::CurrentUser, "C");
                auto v = reg.queryValue(Hive::CurrentUser, "C", "n");
                reg.setValue(Hive::CurrentUser, "C", "n",
                             RegValue::dword(v ? v->asDword() + 1 : 1));
                reg.end();
            }
        };
        pid_t child = ::fork();
        if (child == 0) {
            counter(rounds);
            ::_exit(0);
        }
        counter(rounds);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        FileRegistry reg(file());
        reg.begin();
        QCOMPARE(reg.queryValue(Hive::CurrentUser, "C", "n")->asDword(), uint32_t(2 * rounds));
        reg.end();
    }

    // A process killed at any moment of its saves leaves the old or the new file, whole.
    void killedWhileSavingLeavesWholeFile() {
        auto expected = [this](char variant) {
            std::string path = tmp.path().toStdString() + "/expected-" + variant + ".reg";
            FileRegistry reg(path);
            reg.begin();
            fillServers(reg, 1025, variant);
            reg.end();
            return RegTree::parse(readFile(path));
        };
        RegTree a = expected('a');
        RegTree b = expected('b');
        QDir().mkpath(QString::fromStdString(folder()));
        writeFile(file(), a.serialize());

        int seen[2] = {0, 0};
        int midWrite = 0;
        for (int round = 0; round < 35; ++round) {
            int pipeFd[2];
            QCOMPARE(::pipe(pipeFd), 0);
            QElapsedTimer firstSave;
            firstSave.start();
            pid_t child = ::fork();
            if (child == 0) {
                ::close(pipeFd[0]);
                FileRegistry reg(file());
                for (int i = 0;; ++i) {
                    reg.begin();
                    fillServers(reg, 1025, i % 2 ? 'a' : 'b');
                    reg.end();
                    (void)!::write(pipeFd[1], "s", 1);
                }
            }
            ::close(pipeFd[1]);
            char c;
            QCOMPARE(::read(pipeFd[0], &c, 1), ssize_t(1)); // one save done: the loop runs
            // Kill somewhere in the next three saves or so, whatever the build's speed.
            ::usleep(QRandomGenerator::global()->bounded(3 * 1000 * int(firstSave.elapsed()) + 1));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            ::close(pipeFd[0]);

            RegTree now = RegTree::parse(readFile(file()));
            QVERIFY2(now == a || now == b, qPrintable(QString("round %1").arg(round)));
            ++seen[now == b];
            midWrite += !folderEntries(folder()).filter("registry.reg.tmp-").isEmpty();
        }
        qInfo("trees seen: %d a, %d b; killed while writing: %d", seen[0], seen[1], midWrite);
        // The next transaction clears what killed writers left behind.
        FileRegistry reg(file());
        reg.begin();
        reg.end();
        QCOMPARE(folderEntries(folder()), (QStringList{"registry.reg", "registry.reg.lock"}));
    }

    void defaultPath_data() {
        QTest::addColumn<QByteArray>("xdg");
        QTest::addColumn<bool>("xdgSet");
        QTest::addColumn<std::string>("expected");
        QTest::newRow("xdg") << QByteArray("/x/cfg") << true
                             << std::string("/x/cfg/vkr-launcher/registry.reg");
        QTest::newRow("xdg empty")
            << QByteArray() << true << std::string("/h/ann/.config/vkr-launcher/registry.reg");
        QTest::newRow("xdg unset")
            << QByteArray() << false << std::string("/h/ann/.config/vkr-launcher/registry.reg");
    }

    void defaultPath() {
        QFETCH(QByteArray, xdg);
        QFETCH(bool, xdgSet);
        QFETCH(std::string, expected);
        auto set = [](const char* name, std::optional<QByteArray> v) {
            v ? qputenv(name, *v) : qunsetenv(name);
        };
        auto get = [](const char* name) {
            return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        };
        auto oldXdg = get("XDG_CONFIG_HOME");
        auto oldHome = get("HOME");
        set("HOME", "/h/ann");
        set("XDG_CONFIG_HOME", xdgSet ? std::optional(xdg) : std::nullopt);
        std::string path = FileRegistry::defaultPath();
        set("XDG_CONFIG_HOME", oldXdg);
        set("HOME", oldHome);
        QCOMPARE(path, expected);
    }
};

QTEST_GUILESS_MAIN(RegistryFileTest)
#include "core_registry_file.moc"
