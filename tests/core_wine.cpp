// The game's keys from a Wine prefix: Wine's own registry files (real ones, written by Wine 8.0,
// in tests/data/wine), Windows paths mapped into the prefix, and names found the Windows way.
#include "settings/profiles.h"
#include "settings/registry_file.h"
#include "settings/wine_prefix.h"
#include "settings/wine_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include <algorithm>
#include <fstream>

using namespace vkr;

namespace {

const QString kData = QString(VKR_TEST_DATA) + "/wine/";

// "file:NAME" is a file of the test data, "raw:TEXT" the text as it is; any other text is the
// body of a Wine registry file after its first lines.
std::string wineText(const QByteArray& source) {
    if (source.startsWith("file:")) {
        QFile f(kData + source.mid(5));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
    if (source.startsWith("raw:")) {
        return source.mid(4).toStdString();
    }
    return "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n"
           "#arch=win64\n\n" +
           source.toStdString();
}

QByteArray bytes(const char* s, size_t n) {
    return QByteArray(s, static_cast<qsizetype>(n));
}

} // namespace

class WineTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString prefix;

    // A prefix whose drive c: is ../drive_c, z: the root and d: a link to nowhere.
    void makePrefix(const QStringList& folders) {
        dir = std::make_unique<QTemporaryDir>();
        prefix = dir->filePath("prefix");
        QVERIFY(QDir().mkpath(prefix + "/dosdevices"));
        QVERIFY(QDir().mkpath(prefix + "/drive_c"));
        QCOMPARE(symlink("../drive_c", qPrintable(prefix + "/dosdevices/c:")), 0);
        QCOMPARE(symlink("/", qPrintable(prefix + "/dosdevices/z:")), 0);
        QCOMPARE(symlink("../nowhere", qPrintable(prefix + "/dosdevices/d:")), 0);
        for (const QString& f : folders) {
            QVERIFY(QDir().mkpath(prefix + "/" + f));
        }
    }

    // %P is the prefix; %B the prefix with "\" for "/".
    std::string expand(QString s) const {
        s.replace("%B", QString(prefix).replace('/', '\\'));
        return s.replace("%P", prefix).toStdString();
    }

private slots:
    void wineValues_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type"); // -1: no such value
        QTest::addColumn<QByteArray>("data");

        const QString game = "Software\\Brannock\\Operation Velkrand";
        QTest::newRow("real: escaped quote and backslash, \\x above 0xFF")
            << QByteArray("file:user.reg") << game << "Player Name" << 1
            << bytes("\xC3\x85sa \"Ace\" \xCE\xA9mega\\x", 20);
        QTest::newRow("real: four-digit \\x before hex letters")
            << QByteArray("file:user.reg") << game << "Notes" << 1
            << bytes("\xCE\xA9"
                     "abc \xE2\x98\x83",
                     10);
        QTest::newRow("real: str(2) is an expandable text")
            << QByteArray("file:user.reg") << game << "Last Server" << 2
            << bytes("%USERPROFILE%\\vkr", 18);
        QByteArray blob;
        for (char c = 0; c < 0x28; ++c) {
            blob += c;
        }
        QTest::newRow("real: bytes over two lines")
            << QByteArray("file:user.reg") << game << "Blob" << 3 << blob;
        QTest::newRow("real: str(7) keeps its NULs")
            << QByteArray("file:user.reg") << game << "Recent" << 7 << bytes("one\0two\0", 9);
        QTest::newRow("real: key named with surrogate pairs")
            << QByteArray("file:user.reg")
            << QString::fromUtf8("Control Panel\\International\\\U0001F30E\U0001F30F\U0001F30D")
            << "Currencies" << 1 << bytes("USD", 4);
        QTest::newRow("real: machine key as 32-bit programs see it")
            << QByteArray("file:system.reg")
            << "Software\\Wow6432Node\\Brannock\\Operation Velkrand"
            << "MAIN" << 1 << bytes("C:\\Games\\Operation Velkrand", 28);
        QTest::newRow("names compare without case")
            << QByteArray("file:user.reg") << "SOFTWARE\\brannock\\operation VELKRAND"
            << "player name" << 1 << bytes("\xC3\x85sa \"Ace\" \xCE\xA9mega\\x", 20);
        QTest::newRow("CRLF line ends") << QByteArray("[A] 1\r\n\"v\"=\"x\"\r\n") << "A"
                                        << "v" << 1 << bytes("x", 2);
        QTest::newRow("hex(2) text is UTF-16")
            << QByteArray("[A] 1\n\"v\"=hex(2):25,00,41,00,a9,03,00,00\n") << "A"
            << "v" << 2 << bytes("%A\xCE\xA9", 5);
        QTest::newRow("octal escapes, \\x without digits")
            << QByteArray("[A] 1\n\"v\"=\"\\101\\1010\\x!\\q\"\n") << "A"
            << "v" << 1 << bytes("AA0x!q", 7);
        QTest::newRow("lone surrogates") << QByteArray("[A] 1\n\"v\"=\"\\xd800a\\xdc00\"\n") << "A"
                                         << "v" << 1
                                         << bytes("\xEF\xBF\xBD"
                                                  "a\xEF\xBF\xBD",
                                                  8);
        QTest::newRow("default value") << QByteArray("[A] 1\n@=\"d\"\n") << "A"
                                       << "" << 1 << bytes("d", 2);
        QTest::newRow("escaped bracket in a key name")
            << QByteArray("[A\\]B] 1\n\"v\"=\"x\"\n") << "A]B"
            << "v" << 1 << bytes("x", 2);
        QTest::newRow("a broken line is skipped")
            << QByteArray("[A] 1\n\"v\"=\"open\n\"w\"=dword:1\n") << "A"
            << "v" << -1 << QByteArray();
        QTest::newRow("the line after a broken one is read")
            << QByteArray("[A] 1\n\"v\"=\"open\n\"w\"=dword:1\n") << "A"
            << "w" << 4 << bytes("\1\0\0\0", 4);
        QTest::newRow("dword of nine digits") << QByteArray("[A] 1\n\"v\"=dword:000000001\n") << "A"
                                              << "v" << -1 << QByteArray();
        QTest::newRow("bytes cut short") << QByteArray("[A] 1\n\"v\"=hex:01,0\n") << "A"
                                         << "v" << -1 << QByteArray();
        QTest::newRow("values of a key without its bracket")
            << QByteArray("[A] 1\n[A\n\"v\"=\"x\"\n") << "A"
            << "v" << -1 << QByteArray();
        QTest::newRow("not a Wine file") << QByteArray("raw:REGEDIT4\n\n[A]\n\"v\"=\"x\"\n") << "A"
                                         << "v" << -1 << QByteArray();
    }

    void wineValues() {
        QFETCH(QByteArray, text);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(int, type);
        QFETCH(QByteArray, data);
        const std::string wanted = key.toStdString();
        auto keys = readWineRegistry(
            wineText(text), [&](std::string_view path) { return namesEqual(path, wanted); });
        const RegValue* value = nullptr;
        if (keys && !keys->empty()) {
            value = keys->front().value(name.toStdString());
        }
        QCOMPARE(value ? static_cast<int>(value->type) : -1, type);
        if (value) {
            QCOMPARE(QByteArray::fromStdString(value->data), data);
        }
    }

    void gameValues_data() {
        QTest::addColumn<QByteArray>("own");      // sections of the launcher's own file
        QTest::addColumn<QByteArray>("system");   // system.reg (empty: none; "folder")
        QTest::addColumn<QByteArray>("user");     // user.reg (empty: none)
        QTest::addColumn<QStringList>("folders"); // in the prefix
        QTest::addColumn<QString>("folder");      // "-": the folder keeps its value
        QTest::addColumn<QString>("player");

        const QByteArray machine = "[HKEY_LOCAL_MACHINE\\Software\\Brannock\\Operation Velkrand]\n";
        const QByteArray current = "[HKEY_CURRENT_USER\\Software\\Brannock\\Operation Velkrand]\n";
        const QString ace = QString::fromUtf8("\xC3\x85sa \"Ace\" \xCE\xA9mega\\x");
        const QByteArray native = "[Software\\\\Brannock\\\\Operation Velkrand] 1\n";
        const QByteArray wow = "[Software\\\\Wow6432Node\\\\Brannock\\\\Operation Velkrand] 1\n";

        QTest::newRow("prefix only, the folder in another case")
            << QByteArray() << QByteArray("file:system.reg") << QByteArray("file:user.reg")
            << QStringList{"drive_c/games/OPERATION VELKRAND"}
            << "%P/drive_c/games/OPERATION VELKRAND" << ace;
        QTest::newRow("own keys win")
            << machine + "\"MAIN\"=\"/opt/vkr\"\n" + current + "\"Player Name\"=\"Bob\"\n"
            << QByteArray("file:system.reg") << QByteArray("file:user.reg") << QStringList()
            << "/opt/vkr"
            << "Bob";
        QTest::newRow("own keys without the values")
            << machine + "\"x\"=\"y\"\n" + current + "\"x\"=\"y\"\n"
            << QByteArray("file:system.reg") << QByteArray("file:user.reg")
            << QStringList{"drive_c/Games/Operation Velkrand"}
            << "%P/drive_c/Games/Operation Velkrand" << ace;
        QTest::newRow("own Windows path is mapped too")
            << machine + "\"MAIN\"=\"c:\\\\vkr\"\n"
            << QByteArray() << QByteArray() << QStringList{"drive_c/VKR"} << "%P/drive_c/VKR"
            << "";
        QTest::newRow("64-bit view before the 32-bit one")
            << QByteArray() << wow + "\"MAIN\"=\"C:\\\\32\"\n" + native + "\"MAIN\"=\"C:\\\\64\"\n"
            << QByteArray() << QStringList() << "%P/drive_c/64"
            << "";
        QTest::newRow("prefix key without MAIN")
            << QByteArray() << native + "\"Main Folder\"=\"C:\\\\x\"\n"
            << QByteArray() << QStringList() << ""
            << "";
        QTest::newRow("MAIN that is no text") << QByteArray() << native + "\"MAIN\"=dword:1\n"
                                              << QByteArray() << QStringList() << ""
                                              << "";
        QTest::newRow("no key anywhere")
            << QByteArray() << QByteArray() << QByteArray() << QStringList() << "-"
            << "";
        QTest::newRow("system.reg that is a folder")
            << QByteArray() << QByteArray("folder") << QByteArray() << QStringList() << "-"
            << "";
        QTest::newRow("a file that is not Wine's")
            << QByteArray()
            << QByteArray("raw:REGEDIT4\n\n[Software\\Brannock\\Operation Velkrand]\n"
                          "\"MAIN\"=\"/x\"\n")
            << QByteArray() << QStringList() << "-"
            << "";
    }

    void gameValues() {
        QFETCH(QByteArray, own);
        QFETCH(QByteArray, system);
        QFETCH(QByteArray, user);
        QFETCH(QStringList, folders);
        QFETCH(QString, folder);
        QFETCH(QString, player);
        makePrefix(folders);
        for (auto [file, source] :
             {std::pair{"/system.reg", system}, std::pair{"/user.reg", user}}) {
            if (source == "folder") {
                QVERIFY(QDir().mkpath(prefix + file));
            } else if (!source.isEmpty()) {
                std::ofstream((prefix + file).toStdString(), std::ios::binary) << wineText(source);
            }
        }
        const std::string ownPath = dir->filePath("registry.reg").toStdString();
        std::ofstream(ownPath, std::ios::binary) << "REGEDIT4\n\n" + own.toStdString();
        FileRegistry reg(ownPath);
        const std::string p = prefix.toStdString();

        auto [gameFolder, playerName] = inTransaction(
            reg, [](const std::string&) {},
            [&] {
                return std::pair{readGameFolder(reg, p), readPlayerName(reg, p)};
            });
        QCOMPARE(gameFolder.value_or("-"), expand(folder));
        QCOMPARE(QString::fromStdString(playerName), player);
    }

    void windowsPaths_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("mapped");

        QTest::newRow("exact case") << "C:\\Games\\VKR"
                                    << "%P/drive_c/Games/VKR";
        QTest::newRow("exact case before another") << "c:/games/other"
                                                   << "%P/drive_c/games/other";
        QTest::newRow("any case, first in byte order") << "C:\\GAMES\\vkr"
                                                       << "%P/drive_c/Games/VKR";
        QTest::newRow("missing parts kept as written") << "C:\\Games\\New Folder\\VKR"
                                                       << "%P/drive_c/Games/New Folder/VKR";
        QTest::newRow("drive only") << "C:"
                                    << "%P/drive_c";
        QTest::newRow("drive z: is the root") << "Z:%B\\DRIVE_C\\Games\\vkr"
                                              << "%P/drive_c/Games/VKR";
        QTest::newRow("drive leading nowhere") << "D:\\vkr"
                                               << "%P/dosdevices/d:/vkr";
        QTest::newRow("Linux path") << "/opt/VKR"
                                    << "/opt/VKR";
        QTest::newRow("no drive letter") << "1:\\VKR"
                                         << "1:\\VKR";
        QTest::newRow(".. above the drive's root") << "C:\\..\\..\\etc"
                                                   << "%P/drive_c/etc";
        QTest::newRow(".. and . inside") << "c:\\Games\\.\\x\\..\\VKR"
                                         << "%P/drive_c/Games/VKR";
        QTest::newRow("only ..") << "C:/../.."
                                 << "%P/drive_c";
    }

    void windowsPaths() {
        QFETCH(QString, path);
        QFETCH(QString, mapped);
        makePrefix({"drive_c/Games/VKR", "drive_c/games/other"});
        QCOMPARE(mapWindowsPath(prefix.toStdString(), expand(path)), expand(mapped));
    }

    // A prefix file over 64 MB is not read (it counts as missing) and standard error says so; a
    // file that changed is read again, one that did not gives what it gave before.
    void prefixFileSizeAndChanges_data() {
        QTest::addColumn<qint64>("size"); // system.reg padded to this size, sparse
        QTest::addColumn<QString>("folder");
        QTest::newRow("64 MB") << qint64(64) * 1024 * 1024 << "%P/drive_c/a";
        QTest::newRow("one byte more") << qint64(64) * 1024 * 1024 + 1 << "-";
        QTest::newRow("100 GB") << qint64(100) * 1024 * 1024 * 1024 << "-";
    }
    void prefixFileSizeAndChanges() {
        QFETCH(qint64, size);
        QFETCH(QString, folder);
        makePrefix({});
        const std::string system = (prefix + "/system.reg").toStdString();
        const std::string p = prefix.toStdString();
        const std::string ownPath = dir->filePath("registry.reg").toStdString();
        std::ofstream(ownPath) << "REGEDIT4\n";
        FileRegistry reg(ownPath);
        auto gameFolder = [&] {
            return inTransaction(
                reg, [](const std::string&) {},
                [&] { return readGameFolder(reg, p).value_or("-"); });
        };
        auto writeSystem = [&](const char* main) {
            std::ofstream(system, std::ios::binary) << wineText(
                QByteArray("[Software\\\\Brannock\\\\Operation Velkrand] 1\n\"MAIN\"=\"") + main +
                "\"\n");
            QCOMPARE(::truncate(system.c_str(), size), 0);
        };
        writeSystem("C:\\\\a");
        const QString errors = dir->filePath("stderr.txt");
        const int saved = ::dup(2);
        FILE* capture = std::fopen(qPrintable(errors), "w");
        ::dup2(::fileno(capture), 2);
        const std::string first = gameFolder();
        const std::string second = gameFolder();
        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
        std::fclose(capture);
        QCOMPARE(first, expand(folder));
        QCOMPARE(second, first);
        QFile log(errors);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray said = log.readAll();
        QCOMPARE(said.count("larger than 64 MB"), folder == "-" ? 1 : 0); // once, not per load

        writeSystem("C:\\\\b"); // the same size, other contents
        if (folder != "-") {
            QCOMPARE(gameFolder(), expand("%P/drive_c/b"));
        }
    }

    void profilesFolderOfAnyCase_data() {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("profiles");

        QTest::newRow("Users") << QStringList{"Users/Ann", "Users/Bob"}
                               << QStringList{"Ann", "Bob"};
        QTest::newRow("exact case first")
            << QStringList{"Users/Bob", "users/Ann"} << QStringList{"Ann"};
    }

    void profilesFolderOfAnyCase() {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, profiles);
        makePrefix(folders);
        QStringList found;
        for (const auto& name : listProfiles(prefix.toStdString())) {
            found << QString::fromStdString(name);
        }
        found.sort();
        QCOMPARE(found, profiles);
    }

    // %P is the prefix (made with its drive_c, then the folders removed), %H home.
    void executableChooserStart_data() {
        QTest::addColumn<QString>("gameFolder");
        QTest::addColumn<QString>("prefixGiven");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("start");
        QTest::newRow("the game's folder") << "/games/VKR"
                                           << "%P" << QStringList{} << "/games/VKR";
        QTest::newRow("the prefix's drive_c") << ""
                                              << "%P" << QStringList{} << "%P/drive_c";
        QTest::newRow("a prefix without drive_c") << ""
                                                  << "%P" << QStringList{"drive_c"} << "%H";
        QTest::newRow("no prefix") << ""
                                   << "%P/missing" << QStringList{} << "%H";
        QTest::newRow("prefix unknown") << ""
                                        << "" << QStringList{} << "%H";
    }
    void executableChooserStart() {
        QFETCH(QString, gameFolder);
        QFETCH(QString, prefixGiven);
        QFETCH(QStringList, removed);
        QFETCH(QString, start);
        makePrefix({});
        for (const QString& f : removed) {
            QVERIFY(QDir(prefix + "/" + f).removeRecursively());
        }
        const std::string home = "/home/ann";
        auto expanded = [&](QString s) {
            return s.replace("%H", QString::fromStdString(home))
                .replace("%P", prefix)
                .toStdString();
        };
        QCOMPARE(executableChooserFolder(gameFolder.toStdString(), expanded(prefixGiven), home),
                 expanded(start));
    }
};

QTEST_GUILESS_MAIN(WineTest)
#include "core_wine.moc"
