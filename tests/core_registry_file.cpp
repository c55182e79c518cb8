// The registry file: its text format, transactions over the file, broken files, the lock and
// saves that survive a killed process.
#include "settings/registry_file.h"
#include "settings/regkey.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vkr;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(vkr::RegValue)
Q_DECLARE_METATYPE(std::optional<QByteArray>)

template <> char* QTest::toString(const std::string& s) {
    return QTest::toString(QByteArray::fromStdString(s));
}

namespace {

const std::string H = "REGEDIT4\n\n";
const std::string K = "[HKEY_CURRENT_USER\\A]\n";

std::string readFile(const std::string& path) {
    std::stringstream ss;
    ss << std::ifstream(path, std::ios::binary).rdbuf();
    return ss.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

QStringList filesIn(const std::string& folder) {
    return QDir(QString::fromStdString(folder)).entryList(QDir::Files, QDir::Name);
}

// The server table with n rows; variant changes every text so that two variants differ.
void fillServers(Registry& reg, int n, char variant) {
    const std::string servers = "\\Software\\VKR Launcher2\\servers";
    reg.deleteKey(Hive::CurrentUser, servers);
    reg.createKey(Hive::CurrentUser, servers);
    for (int i = 0; i < n; ++i) {
        std::string key = servers + "\\" + std::to_string(i * 7919 - 4000);
        reg.createKey(Hive::CurrentUser, key);
        reg.setValue(Hive::CurrentUser, key, "name", RegValue::text(variant + std::to_string(i)));
        reg.setValue(Hive::CurrentUser, key, "ip", RegValue::text(std::string(40, variant)));
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
        auto row = [](const char* tag, std::string in, std::string out) {
            QTest::newRow(tag) << in << out;
        };
        const std::string esc = "\"n\\\"q\\\\\"=\"C:\\\\x \\\"y\\\"\"\n"; // "n\"q\\"="C:\\x \"y\""
        row("escapes", H + K + esc, H + K + esc + "\n");
        row("default value", H + K + "@=\"d\"\n\"\"=\"e\"\n", H + K + "@=\"e\"\n\n");
        row("dword", H + K + "\"d\"=DWORD:1aB\n", H + K + "\"d\"=dword:000001ab\n\n");
        row("expand sz", H + K + "\"e\"=hex(2):25,00\n", H + K + "\"e\"=hex(2):25,00\n\n");
        row("binary, empty", H + K + "\"b\"=hex:\n", H + K + "\"b\"=hex:\n\n");
        row("multi sz", H + K + "\"m\"=hex(7):61,00,00\n", H + K + "\"m\"=hex(7):61,00,00\n\n");
        row("text as hex(1)", H + K + "\"t\"=hex(1):61,62,00\n", H + K + "\"t\"=\"ab\"\n\n");
        row("dword as hex(4)", H + K + "\"d\"=hex(4):01,02,03,04\n",
            H + K + "\"d\"=dword:04030201\n\n");
        row("short dword", H + K + "\"d\"=hex(4):01\n", H + K + "\"d\"=hex(4):01\n\n");
        row("continuation, comments",
            H + "; c \\\n" + K + "\n  \"b\"=hex:01,\\\n    02,\\\n  03\n;x\n",
            H + "; c \\\n;x\n" + K + "\"b\"=hex:01,02,03\n\n");
        row("comments travel with their key",
            H + "[HKCU\\B]\n; about A\n  ;  indented\n[HKCU\\A]\n\"v\"=\"1\"\n; inside "
                "A\n\"w\"=\"2\"\n",
            H + "; about A\n  ;  indented\n; inside A\n" + K + "\"v\"=\"1\"\n\"w\"=\"2\"\n\n" +
                "[HKEY_CURRENT_USER\\B]\n\n");
        row("a comment of a hive's root", H + "; root\n[HKLM]\n",
            H + "; root\n[HKEY_LOCAL_MACHINE]\n\n");
        row("CRLF", "REGEDIT4\r\n\r\n[HKCU\\A]\r\n\"s\"=\"v\"\r\n", H + K + "\"s\"=\"v\"\n\n");
        row("short hives, parents, root values", H + "[HKCU]\n\"r\"=\"1\"\n[HKLM\\X\\Y]\n",
            H + "[HKEY_LOCAL_MACHINE\\X]\n\n[HKEY_LOCAL_MACHINE\\X\\Y]\n\n[HKEY_CURRENT_USER]"
                "\n\"r\"=\"1\"\n\n");
        row("version 5 header", "Windows Registry Editor Version 5.00\n\n" + K, H + K + "\n");
        std::string bytes30 = "00";
        for (int i = 1; i < 30; ++i) {
            bytes30 += ",0" + std::to_string(i % 10);
        }
        row("long hex wraps", H + K + "\"b\"=hex:" + bytes30 + "\n",
            H + K + "\"b\"=hex:" + bytes30.substr(0, 69) + "\\\n  " + bytes30.substr(69) + "\n\n");
    }

    // Each input reads as the tree its canonical text describes, and writes as that text.
    void canonicalText() {
        QFETCH(std::string, input);
        QFETCH(std::string, expected);
        RegTree tree = RegTree::parse(input);
        QCOMPARE(tree.serialize(), expected);
        QVERIFY(RegTree::parse(expected) == tree);
    }

    void valueRoundTrip_data() {
        QTest::addColumn<RegValue>("value");
        QTest::newRow("text") << RegValue::text("ann's \"game\" \\ folder ; [x] = é");
        QTest::newRow("text with NUL") << RegValue{REG_SZ, std::string("a\0b\0", 4)};
        QTest::newRow("text with LF") << RegValue::text("line1\nline2");
        QTest::newRow("text with CR at end") << RegValue::text("x\r");
        QTest::newRow("text without NUL") << RegValue{REG_SZ, "abc"};
        QTest::newRow("expand sz") << RegValue::text("%HOME%/vkr", REG_EXPAND_SZ);
        QTest::newRow("dword 3 bytes") << RegValue{REG_DWORD, "\x01\x02\x03"};
        QTest::newRow("binary 300") << RegValue{REG_BINARY, std::string(300, '\xA5')};
        QTest::newRow("type ffffffff") << RegValue{0xFFFFFFFF, std::string(1, '\0')};
    }

    void valueRoundTrip() {
        QFETCH(RegValue, value);
        RegTree tree;
        RegTree::setValue(tree.create(Hive::LocalMachine, "\\K"), "v", value);
        RegTree back = RegTree::parse(tree.serialize());
        const RegValue* v = RegTree::findValue(*back.find(Hive::LocalMachine, "k"), "V");
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
                 H + "[HKEY_CURRENT_USER\\Software]\n\n"
                     "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n\"Exe\"=\"c\"\n\n"
                     "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\Mods]\n\"exe\"=\"b\"\n\n");
        QVERIFY(!tree.find(Hive::LocalMachine, "Software"));
        QVERIFY(tree.remove(Hive::CurrentUser, "SOFTWARE\\VKR launcher2\\MODS"));
        QVERIFY(!tree.find(Hive::CurrentUser, "\\Software\\VKR Launcher2\\Mods\\"));
    }

    // A key that a file names in more than one section reads as the sections merged, later
    // ones winning, and keeps each section's own values apart; a later section without values
    // adds nothing.
    void repeatedSections_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("sections"); // "v" of each section, "-" when it has none
        QTest::addColumn<QString>("merged");
        QTest::addColumn<int>("subkeys"); // of the first section
        QTest::newRow("one section") << "[HKCU\\A]\n\"v\"=\"1\"\n"
                                     << "A" << QStringList{"1"} << "1" << 0;
        QTest::newRow("key twice") << "[HKCU\\A]\n\"v\"=\"1\"\n[HKCU\\A]\n\"v\"=\"2\"\n"
                                   << "A" << QStringList{"1", "2"} << "2" << 0;
        QTest::newRow("later section without values")
            << "[HKCU\\A]\n\"v\"=\"1\"\n[HKCU\\A]\n[HKCU\\B]\n"
            << "A" << QStringList{"1"} << "1" << 0;
        QTest::newRow("later section without v")
            << "[HKCU\\A]\n\"v\"=\"1\"\n[HKCU\\A]\n\"w\"=\"x\"\n"
            << "A" << QStringList{"1", "-"} << "1" << 0;
        QTest::newRow("other spelling, a subkey between")
            << "[HKCU\\A\\0xa]\n\"v\"=\"1\"\n[HKCU\\A\\0xa\\s]\n[HKCU\\a\\0XA]\n\"V\"=\"2\"\n"
            << "A\\0xa" << QStringList{"1", "2"} << "2" << 1;
        QTest::newRow("named after it was a parent, then again")
            << "[HKCU\\A\\B]\n[HKCU\\A]\n\"v\"=\"1\"\n[HKCU\\A]\n\"v\"=\"2\"\n[HKCU\\A]\n\"v\"="
               "\"3\"\n"
            << "A" << QStringList{"1", "2", "3"} << "3" << 1;
    }
    void repeatedSections() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QStringList, sections);
        QFETCH(QString, merged);
        QFETCH(int, subkeys);
        QDir().mkpath(QString::fromStdString(folder()));
        writeFile(file(), "REGEDIT4\n" + text.toStdString());
        FileRegistry reg(file());
        reg.begin();
        const std::string path = key.toStdString();
        QStringList found;
        for (int n = 0; auto section = reg.exportKey(Hive::CurrentUser, path, n); ++n) {
            const RegValue* v = SectionReader(*section).find("v");
            found << (v ? QString::fromStdString(v->asText()) : QString("-"));
            QCOMPARE(int(section->subkeys.size()), n == 0 ? subkeys : 0);
        }
        QCOMPARE(found, sections);
        QCOMPARE(QString::fromStdString(reg.queryValue(Hive::CurrentUser, path, "v")->asText()),
                 merged);
        reg.end();
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
            text += "[HKCU\\L\\mods\\" + name + "]\n";
        }
        QDir().mkpath(QString::fromStdString(folder()));
        writeFile(file(), text);

        FileRegistry reg(file());
        reg.begin();
        QCOMPARE(reg.subkeyNames(Hive::CurrentUser, "\\L\\mods"), sorted);
        std::shuffle(shuffled.begin(), shuffled.end(), *QRandomGenerator::global());
        for (const auto& name : shuffled) {
            reg.createKey(Hive::CurrentUser, "\\L\\servers\\" + name);
        }
        reg.createKey(Hive::CurrentUser, "\\L\\empty");
        reg.end();

        reg.begin();
        QCOMPARE(reg.subkeyNames(Hive::CurrentUser, "\\L\\servers"), sorted);
        QCOMPARE(reg.subkeyNames(Hive::CurrentUser, "L"),
                 (std::vector<std::string>{"empty", "mods", "servers"}));
        reg.end();
    }

    void parseErrors_data() {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<std::string>("reason");
        auto row = [](const char* tag, std::string text, int line, std::string reason) {
            QTest::newRow(tag) << text << line << reason;
        };
        const std::string k = "REGEDIT4\n[HKCU\\A]\n";
        row("no header", "[HKCU\\A]\n", 1, "REGEDIT4");
        row("blank first line", "\nREGEDIT4\n", 1, "REGEDIT4");
        row("value before key", "REGEDIT4\n\n\"a\"=\"b\"\n", 3, "before the first key");
        row("unknown hive", "REGEDIT4\n[HKEY_USERS\\A]\n", 2, "unknown root key 'HKEY_USERS'");
        row("no closing bracket", "REGEDIT4\n[HKCU\\A\n", 2, "']'");
        row("empty key name", "REGEDIT4\n[HKCU\\A\\\\B]\n", 2, "empty");
        std::string deep = "REGEDIT4\n[HKCU";
        for (int i = 0; i < 513; ++i) {
            deep += "\\k";
        }
        row("too deep", deep + "]\n", 2, "512 levels");
        row("bad escape", k + "\"a\"=\"x\\n\"\n", 3, "backslash");
        row("open quote", k + "\"a\"=\"x\n", 3, "closing quote");
        row("no equals", k + "\"a\" \"x\"\n", 3, "'='");
        row("bare name", k + "a=\"x\"\n", 3, "double quotes");
        row("dword too long", k + "\"d\"=dword:123456789\n", 3, "dword");
        row("bad byte, continued", k + "\n\"b\"=hex:01,\\\n  0g\n", 4, "'0g' is not a byte");
        row("bad type", k + "\"b\"=hex(q):01\n", 3, "hex(N)");
        row("delete value", k + "\"b\"=-\n", 3, "not supported");
        row("UTF-16 with a lone surrogate", std::string("\xFF\xFER\0E\0\x00\xD8G\0", 10), 1,
            "not valid UTF-16");
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
        QDir().mkpath(QString::fromStdString(folder()));
        writeFile(file(), text);
        FileRegistry reg(file());
        std::string notice = reg.begin();
        QVERIFY(!reg.keyExists(Hive::CurrentUser, "A"));
        reg.createKey(Hive::CurrentUser, "\\Software\\VKR Launcher2\\mods");
        reg.end();

        QStringList broken = filesIn(folder()).filter("registry.reg.broken-");
        QCOMPARE(broken.size(), 1);
        QVERIFY(QRegularExpression("^registry\\.reg\\.broken-\\d{8}-\\d{6}$")
                    .match(broken[0])
                    .hasMatch());
        std::string moved = folder() + "/" + broken[0].toStdString();
        QCOMPARE(readFile(moved), text);
        std::string why;
        try {
            RegTree::parse(text);
        } catch (const RegTree::ParseError& e) {
            why = e.what();
        }
        QCOMPARE(notice, "The settings file " + file() + " could not be read (line " +
                             std::to_string(line) + ": " + why + "). It was moved to " + moved +
                             "; the launcher starts with fresh settings.");
        reg.begin();
        QVERIFY(reg.keyExists(Hive::CurrentUser, "\\Software\\VKR Launcher2\\mods"));
        reg.end();

        // Another broken file within the same second gets a name of its own.
        writeFile(file(), "broken again");
        QVERIFY(!reg.begin().empty());
        reg.end();
        QCOMPARE(filesIn(folder()).filter("registry.reg.broken-").size(), 2);
        QCOMPARE(readFile(moved), text);
    }

    // A save keeps what the file is besides its text: its mode and owner (a new file is the
    // user's alone), every hard link to it, and a read-only file is not replaced.
    void saveKeepsTheFile_data() {
        QTest::addColumn<int>("mode"); // before the save; 0 for no file
        QTest::addColumn<bool>("hardLink");
        QTest::addColumn<QString>("error");
        QTest::newRow("new file") << 0 << false << "";
        QTest::newRow("mode 0644") << 0644 << false << "";
        QTest::newRow("mode 0640") << 0640 << false << "";
        QTest::newRow("read-only") << 0444 << false << "is read-only";
        QTest::newRow("hard link") << 0600 << true << "";
        QTest::newRow("hard link, mode 0664") << 0664 << true << "";
    }
    void saveKeepsTheFile() {
        QFETCH(int, mode);
        QFETCH(bool, hardLink);
        QFETCH(QString, error);
        QDir().mkpath(QString::fromStdString(folder()));
        const std::string before = H + K + "\"v\"=\"old\"\n\n";
        const std::string other = folder() + "/elsewhere.reg";
        if (mode) {
            writeFile(file(), before);
            QCOMPARE(::chmod(file().c_str(), mode_t(mode)), 0);
        }
        if (hardLink) {
            QCOMPARE(::link(file().c_str(), other.c_str()), 0);
        }
        FileRegistry reg(file());
        reg.begin();
        reg.createKey(Hive::CurrentUser, "A");
        reg.setValue(Hive::CurrentUser, "A", "v", RegValue::text("new"));
        QString raised;
        try {
            reg.end();
        } catch (const Exception& e) {
            raised = e.what();
        }
        QVERIFY2(error.isEmpty() ? raised.isEmpty() : raised.contains(error), qPrintable(raised));
        struct stat st {};
        QCOMPARE(::stat(file().c_str(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), mode ? mode : 0600);
        QCOMPARE(st.st_uid, ::getuid());
        const std::string after = error.isEmpty() ? H + K + "\"v\"=\"new\"\n\n" : before;
        QCOMPARE(readFile(file()), after);
        if (hardLink) {
            struct stat linked {};
            QCOMPARE(::stat(other.c_str(), &linked), 0);
            QCOMPARE(linked.st_ino, st.st_ino);
            QCOMPARE(int(linked.st_nlink), 2);
        }
        QCOMPARE(
            filesIn(folder()).filter("registry.reg.").filter(QRegularExpression("tmp|in-place")),
            QStringList());
    }

    // A save into a hard-linked file that was killed while writing the file in place is
    // finished by the next transaction from the copy it left.
    void interruptedInPlaceSaveIsFinished() {
        QDir().mkpath(QString::fromStdString(folder()));
        writeFile(file(), H + K + "\"v\"=\"ha");
        writeFile(file() + ".in-place", H + K + "\"v\"=\"whole\"\n\n");
        FileRegistry reg(file());
        reg.begin();
        QCOMPARE(reg.queryValue(Hive::CurrentUser, "A", "v")->asText(), std::string("whole"));
        reg.end();
        QVERIFY(!QFile::exists(QString::fromStdString(file() + ".in-place")));
    }

    // The lock of a save is the resolved file's: through a linked folder, the same lock.
    void lockOfTheResolvedFile() {
        QDir().mkpath(QString::fromStdString(folder()));
        const std::string link = tmp.path().toStdString() + "/linked";
        QVERIFY(QFile::link(QString::fromStdString(folder()), QString::fromStdString(link)));
        const int fd = ::open((file() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        FileRegistry reg(link + "/registry.reg");
        reg.setLockTimeout(std::chrono::milliseconds(200));
        QVERIFY_THROWS_EXCEPTION(Exception, reg.begin());
        ::close(fd);
        reg.begin();
        reg.end();
    }

    void nothingWrittenWhenUnchanged() {
        FileRegistry reg(file());
        reg.begin();
        reg.createKey(Hive::CurrentUser, "\\A\\B");
        reg.setValue(Hive::CurrentUser, "\\A", "x", RegValue::dword(1));
        reg.end();
        struct stat before {};
        QCOMPARE(::stat(file().c_str(), &before), 0);

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
    }

    void misuseRaises() {
        FileRegistry reg(file());
        QVERIFY_THROWS_EXCEPTION(Exception, reg.keyExists(Hive::CurrentUser, "A"));
        QVERIFY_THROWS_EXCEPTION(Exception, reg.end());
        QCOMPARE(reg.begin(), std::string()); // no file yet: an empty registry
        QVERIFY_THROWS_EXCEPTION(Exception, reg.createKey(Hive::CurrentUser, "A\nB"));
        QVERIFY_THROWS_EXCEPTION(Exception,
                                 reg.setValue(Hive::CurrentUser, "A", "v", RegValue::dword(0)));
        reg.end();
        QVERIFY(!QFile::exists(QString::fromStdString(file())));
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
        QCOMPARE(filesIn(folder()), QStringList{"registry.reg.lock"});
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
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), -1);
        reg.end();
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        ::close(fd);
    }

    // Read-modify-write transactions of two processes never interleave: no increment is lost.
    void concurrentSavesDoNotInterleave() {
        const int rounds = 150;
        auto count = [this](int times) {
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
            count(rounds);
            ::_exit(0);
        }
        count(rounds);
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
            ::usleep(QRandomGenerator::global()->bounded(3000 * int(firstSave.elapsed()) + 1));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            ::close(pipeFd[0]);

            RegTree now = RegTree::parse(readFile(file()));
            QVERIFY2(now == a || now == b, qPrintable(QString("round %1").arg(round)));
            ++seen[now == b];
            midWrite += !filesIn(folder()).filter("registry.reg.tmp-").isEmpty();
        }
        qInfo("trees seen: %d a, %d b; killed while writing: %d", seen[0], seen[1], midWrite);
        // The next transaction clears what killed writers left behind.
        FileRegistry reg(file());
        reg.begin();
        reg.end();
        QCOMPARE(filesIn(folder()), (QStringList{"registry.reg", "registry.reg.lock"}));
    }

    // A relative path names the file in the folder that was current when the launcher started,
    // whatever folder a launch changes into later.
    void relativePathFixedAtStart() {
        const QString start = QDir::currentPath();
        QDir::setCurrent(tmp.path());
        FileRegistry reg("rel/registry.reg");
        QDir::setCurrent(QDir::rootPath());
        reg.begin();
        reg.createKey(Hive::CurrentUser, "A");
        reg.end();
        QDir::setCurrent(start);
        QVERIFY(QFile::exists(tmp.path() + "/rel/registry.reg"));
    }

    // A link is read and saved through; anything but a regular file of a sane size is refused
    // at once, with a message, and left as it is (never moved aside as broken).
    void fileKinds_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error"); // empty: the save goes through
        QTest::newRow("link") << "link"
                              << "";
        QTest::newRow("relative link") << "relative link"
                                       << "";
        QTest::newRow("link to a missing file") << "dangling"
                                                << "";
        QTest::newRow("FIFO") << "fifo"
                              << "is not a regular file";
        QTest::newRow("link to /dev/zero") << "zero"
                                           << "is not a regular file";
        QTest::newRow("over 64 MB") << "large"
                                    << "is larger than 64 MB";
    }
    void fileKinds() {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        const std::string elsewhere = tmp.path().toStdString() + "/elsewhere";
        const std::string target = elsewhere + "/real.reg";
        QDir(QString::fromStdString(elsewhere)).removeRecursively();
        QDir().mkpath(QString::fromStdString(elsewhere));
        QDir().mkpath(QString::fromStdString(folder()));
        if (kind == "link" || kind == "relative link") {
            writeFile(target, H + K);
        }
        if (kind == "link" || kind == "dangling") {
            QCOMPARE(::symlink(target.c_str(), file().c_str()), 0);
        } else if (kind == "relative link") {
            QCOMPARE(::symlink("../elsewhere/real.reg", file().c_str()), 0);
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(file().c_str(), 0600), 0);
        } else if (kind == "zero") {
            QCOMPARE(::symlink("/dev/zero", file().c_str()), 0);
        } else if (kind == "large") {
            writeFile(file(), H + K);
            QCOMPARE(::truncate(file().c_str(), 65 * 1024 * 1024), 0);
        }
        FileRegistry reg(file());
        if (error.isEmpty()) {
            reg.begin();
            reg.createKey(Hive::CurrentUser, "B");
            reg.end();
            QVERIFY(std::filesystem::is_symlink(file()));
            RegTree saved = RegTree::parse(readFile(target));
            QVERIFY(saved.find(Hive::CurrentUser, "B"));
            QCOMPARE(saved.find(Hive::CurrentUser, "A") != nullptr, kind != "dangling");
            // The lock is the resolved file's.
            QCOMPARE(filesIn(elsewhere), (QStringList{"real.reg", "real.reg.lock"}));
            return;
        }
        struct stat before {};
        QCOMPARE(::lstat(file().c_str(), &before), 0);
        try {
            reg.begin();
            QFAIL("read");
        } catch (const Exception& e) {
            QVERIFY2(QString(e.what()).contains(error), e.what());
        }
        struct stat after {};
        QCOMPARE(::lstat(file().c_str(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_size, before.st_size);
        QCOMPARE(filesIn(folder()).filter("broken").size(), 0);
        // The lock was let go: the same refusal comes again, not a wait.
        QVERIFY_THROWS_EXCEPTION(Exception, reg.begin());
    }

    // A file exported by the Windows registry editor (UTF-16LE with a byte-order mark, CRLF) is
    // read, its UTF-16 texts as the launcher's UTF-8; a save writes the launcher's own format.
    void windowsExport_data() {
        QTest::addColumn<QString>("data"); // the value as exported, after "v"=
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("bytes"); // the value as the launcher holds it
        auto hex16 = [](const QString& text) {
            QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
            return QString::fromLatin1(utf16.toHex(','));
        };
        QTest::newRow("text") << "\"Ärger ß €\"" << uint(REG_SZ) << QByteArray("Ärger ß €\0", 14);
        QTest::newRow("text beyond 16 bits") << "\"a😀\"" << uint(REG_SZ) << QByteArray("a😀\0", 6);
        QTest::newRow("dword") << "dword:0000002a" << uint(REG_DWORD)
                               << QByteArray("\x2a\0\0\0", 4);
        QTest::newRow("expand sz") << "hex(2):" + hex16(QString("%HOME%\\vé") + QChar(0))
                                   << uint(REG_EXPAND_SZ) << QByteArray("%HOME%\\vé\0", 11);
        QTest::newRow("multi sz") << "hex(7):" +
                                         hex16(QString("a") + QChar(0) + "b" + QChar(0) + QChar(0))
                                  << 7u << QByteArray("a\0b\0\0", 5);
        QTest::newRow("qword") << "hex(b):01,02,03,04,05,06,07,08" << 11u
                               << QByteArray("\1\2\3\4\5\6\7\x08", 8);
        QTest::newRow("binary") << "hex:de,ad" << uint(REG_BINARY) << QByteArray("\xde\xad");
        QTest::newRow("odd bytes kept")
            << "hex(2):41,00,42" << uint(REG_EXPAND_SZ) << QByteArray("A\0B", 3);
    }
    void windowsExport() {
        QFETCH(QString, data);
        QFETCH(uint, type);
        QFETCH(QByteArray, bytes);
        const QString text = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\r\n\"v\"=" +
                             data + "\r\n\r\n";
        QByteArray file16("\xFF\xFE");
        file16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        QDir().mkpath(QString::fromStdString(folder()));
        writeFile(file(), file16.toStdString());

        const std::string key = "\\Software\\VKR Launcher2";
        FileRegistry reg(file());
        for (int pass = 0; pass < 2; ++pass) { // as exported, then as the launcher saved it
            QCOMPARE(reg.begin(), std::string());
            auto v = reg.queryValue(Hive::CurrentUser, key, "v");
            QVERIFY(v);
            QCOMPARE(v->type, uint32_t(type));
            QCOMPARE(QByteArray::fromStdString(v->data), bytes);
            reg.createKey(Hive::CurrentUser, "Saved");
            reg.end();
            QVERIFY(readFile(file()).starts_with("REGEDIT4\n"));
        }
    }

    // A lock kept by another program is waited for a few seconds, then reported, never a hang.
    void lockWaitIsBounded() {
        QDir().mkpath(QString::fromStdString(folder()));
        int fd = ::open((file() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
        QCOMPARE(::flock(fd, LOCK_EX), 0);
        FileRegistry reg(file());
        reg.setLockTimeout(std::chrono::milliseconds(200));
        try {
            reg.begin();
            QFAIL("locked twice");
        } catch (const Exception& e) {
            QVERIFY2(QString(e.what()).contains("is in use by another program"), e.what());
        }
        ::close(fd);
        QCOMPARE(reg.begin(), std::string());
        reg.end();
    }

    // While a transaction waits for the user it holds no lock: its changes so far are stored,
    // others (another program, or a transaction begun meanwhile) get in, and it goes on with
    // what they wrote.
    void suspendedTransactionLetsOthersIn() {
        FileRegistry reg(file());
        reg.begin();
        reg.begin();
        reg.createKey(Hive::CurrentUser, "Mine");
        reg.suspend();
        {
            FileRegistry other(file());
            other.setLockTimeout(std::chrono::milliseconds(200));
            other.begin();
            QVERIFY(other.keyExists(Hive::CurrentUser, "Mine"));
            other.createKey(Hive::CurrentUser, "Theirs");
            other.end();
        }
        reg.begin();
        reg.createKey(Hive::CurrentUser, "Meanwhile");
        reg.end();
        reg.resume();
        QVERIFY(reg.keyExists(Hive::CurrentUser, "Theirs"));
        reg.createKey(Hive::CurrentUser, "After");
        reg.end();
        int fd = ::open((file() + ".lock").c_str(), O_RDWR);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), -1); // the outer transaction still runs
        reg.end();
        ::close(fd);
        RegTree saved = RegTree::parse(readFile(file()));
        for (const char* name : {"Mine", "Theirs", "Meanwhile", "After"}) {
            QVERIFY2(saved.find(Hive::CurrentUser, name), name);
        }
    }

    void defaultPath_data() {
        QTest::addColumn<std::optional<QByteArray>>("xdg");
        QTest::addColumn<std::string>("expected");
        QTest::newRow("set") << std::optional<QByteArray>("/x/cfg")
                             << std::string("/x/cfg/vkr-launcher/registry.reg");
        QTest::newRow("empty") << std::optional<QByteArray>("")
                               << std::string("/h/.config/vkr-launcher/registry.reg");
        QTest::newRow("unset") << std::optional<QByteArray>()
                               << std::string("/h/.config/vkr-launcher/registry.reg");
        QTest::newRow("relative, ignored") << std::optional<QByteArray>("cfg")
                                           << std::string("/h/.config/vkr-launcher/registry.reg");
    }

    // (This changes the test process's environment; nothing else here reads it.)
    void defaultPath() {
        QFETCH(std::optional<QByteArray>, xdg);
        QFETCH(std::string, expected);
        qputenv("HOME", "/h");
        xdg ? qputenv("XDG_CONFIG_HOME", *xdg) : qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(FileRegistry::defaultPath(), expected);
    }
};

QTEST_GUILESS_MAIN(RegistryFileTest)
#include "core_registry_file.moc"
