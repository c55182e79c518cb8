// The game's command line: its text for each kind of launch, and how a Windows program start
// resolves the program and splits the arguments.
#include "app/cmdline.h"
#include "settings/errors.h"
#include "settings/settings.h"

#include <QtTest>

#include <set>

using namespace vkr;
using Strings = std::vector<std::string>;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(Strings)

namespace {

enum Option { None = 0, Nomap = 1, Nosplash = 2, Window = 4 };

// Arguments shown one by one in angle brackets, so that a failure shows spaces and empty ones.
QByteArray shown(const Strings& args) {
    QByteArray text;
    for (const std::string& a : args) {
        text += "<" + QByteArray::fromStdString(a) + ">";
    }
    return text;
}

} // namespace

class CmdlineTest : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void serverRowOutsideTable_data();
    void serverRowOutsideTable();
    void resolve_data();
    void resolve();
};

void CmdlineTest::commandLine_data() {
    QTest::addColumn<std::string>("executable");
    QTest::addColumn<int>("options");
    QTest::addColumn<Strings>("modDirs");
    QTest::addColumn<std::vector<bool>>("ticks");
    // Every row has two servers: 0 is 10.0.0.5:2302 over sockets without password, 1 is
    // vkr.example.org:2400 over DirectPlay with password "s3cret"; both carry serverMods.
    QTest::addColumn<std::string>("serverMods");
    QTest::addColumn<int>("serverRow");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<std::string>("name");
    QTest::addColumn<std::string>("expected");

    const std::string P = "/games/vkr/VelkrandOstrel.exe";
    const Strings ab = {"modA", "modB"};
    QTest::newRow("single, two mods ticked")
        << P << int(Nosplash) << ab << std::vector<bool>{true, true} << std::string("other;") << -1
        << "single" << std::string("Bob") << P + R"( -nosplash -mod=modA;modB  "-name=Bob" )";
    QTest::newRow("host, nothing ticked")
        << P << int(Nosplash) << ab << std::vector<bool>{false, false} << std::string("other;")
        << -1 << "host" << std::string("Bob") << P + R"( -nosplash -host "-name=Bob")";
    QTest::newRow("join, server mods, ticks ignored")
        << P << int(Nosplash) << ab << std::vector<bool>{true, true} << std::string("modA;") << 0
        << "join" << std::string("Bob")
        << P + R"( -nosplash -mod=modA   -connect=10.0.0.5 -port=2302 -sockets  "-name=Bob")";
    QTest::newRow("join with password over DirectPlay")
        << P << int(None) << ab << std::vector<bool>{true, false} << std::string("") << 1 << "join"
        << std::string("Bob")
        << P + R"(  -connect=vkr.example.org -port=2400 -password=s3cret -dplay  "-name=Bob")";
    QTest::newRow("server mods of only a semicolon")
        << P << int(None) << ab << std::vector<bool>{false, false} << std::string(";") << 0
        << "join" << std::string("Bob")
        << P + R"( -mod=   -connect=10.0.0.5 -port=2302 -sockets  "-name=Bob")";
    QTest::newRow("options in fixed order")
        << P << int(Window | Nosplash | Nomap) << Strings{} << std::vector<bool>{} << std::string()
        << -1 << "host" << std::string("Bob")
        << P + R"( -nomap -nosplash -window -host "-name=Bob")";
    QTest::newRow("no options, no mods")
        << P << int(None) << Strings{} << std::vector<bool>{} << std::string() << -1 << "single"
        << std::string("Bob") << P + R"(  "-name=Bob" )";
    QTest::newRow("only the later mod ticked")
        << P << int(None) << Strings{"modA", "modB", "modC"}
        << std::vector<bool>{false, true, false} << std::string() << -1 << "host"
        << std::string("Bob") << P + R"( -mod=modB -host "-name=Bob")";
    QTest::newRow("ticked dir ending in a semicolon")
        << P << int(None) << Strings{"modA", "modB;"} << std::vector<bool>{true, true}
        << std::string() << -1 << "host" << std::string("Bob")
        << P + R"( -mod=modA;modB  -host "-name=Bob")";
    QTest::newRow("list shorter than the table")
        << P << int(None) << Strings{"modA", "modB"} << std::vector<bool>{true} << std::string()
        << -1 << "host" << std::string("Bob") << P + R"( -mod=modA -host "-name=Bob")";
    QTest::newRow("name with spaces")
        << P << int(None) << Strings{} << std::vector<bool>{} << std::string() << -1 << "single"
        << std::string("John Smith") << P + R"(  "-name=John Smith" )";
    QTest::newRow("name with a double quote")
        << P << int(None) << Strings{} << std::vector<bool>{} << std::string() << -1 << "host"
        << std::string(R"(Bo"b)") << P + R"( -host "-name=Bo"b")";
    QTest::newRow("executable path with spaces, unquoted")
        << std::string("/home/ann/my games/VKR/VelkrandOstrel.exe") << int(Nosplash) << Strings{}
        << std::vector<bool>{} << std::string() << -1 << "single" << std::string("Bob")
        << std::string(R"(/home/ann/my games/VKR/VelkrandOstrel.exe -nosplash  "-name=Bob" )");
}

void CmdlineTest::commandLine() {
    QFETCH(std::string, executable);
    QFETCH(int, options);
    QFETCH(Strings, modDirs);
    QFETCH(std::vector<bool>, ticks);
    QFETCH(std::string, serverMods);
    QFETCH(int, serverRow);
    QFETCH(QString, kind);
    QFETCH(std::string, name);
    QFETCH(std::string, expected);

    Store s;
    s.settings.executable = executable;
    s.settings.nomap = options & Nomap;
    s.settings.nosplash = options & Nosplash;
    s.settings.window = options & Window;
    for (const std::string& dir : modDirs) {
        ModEntry& row = s.mods.append();
        row.name = "Name of " + dir;
        row.dir = dir;
        row.checked = true; // the list's ticks count, not the stored ones
    }
    s.servers.append() = ServerEntry{1, "LAN", "10.0.0.5", "2302", "", true, serverMods};
    s.servers.append() =
        ServerEntry{2, "Net", "vkr.example.org", "2400", "s3cret", false, serverMods};

    std::string arguments = kind == "single" ? singlePlayerArguments(name)
                            : kind == "host" ? hostArguments(name)
                                             : joinArguments(s.servers[serverRow], name);
    QCOMPARE(QByteArray::fromStdString(launchCommandLine(s, serverRow, ticks, arguments)),
             QByteArray::fromStdString(expected));
}

void CmdlineTest::serverRowOutsideTable_data() {
    QTest::addColumn<int>("serverRow");
    QTest::newRow("just past the last row") << 1;
    QTest::newRow("past the capacity") << 1025;
    QTest::newRow("negative other than -1") << -2;
}

void CmdlineTest::serverRowOutsideTable() {
    QFETCH(int, serverRow);
    Store s;
    s.settings.executable = "/g/game.exe";
    s.servers.append().mods = "modA;";
    QVERIFY_THROWS_EXCEPTION(Exception, launchCommandLine(s, serverRow, {}, "x"));
}

// Command lines with the program Windows started and the argv it received. Rows up to
// "only-spaces" were measured under Wine's C runtime; files names the files that exist.
void CmdlineTest::resolve_data() {
    QTest::addColumn<std::string>("line");
    QTest::addColumn<Strings>("files");
    QTest::addColumn<int>("programLimit");    // -1: the whole line
    QTest::addColumn<std::string>("program"); // empty: nothing is started
    QTest::addColumn<Strings>("argv");

    const auto row = [](const char* id, std::string line, Strings files, std::string program,
                        Strings argv, int limit = -1) {
        QTest::newRow(id) << line << files << limit << program << argv;
    };
    // clang-format off
    row("game-basic", R"x(C:\Games\Game.exe -nosplash -mod=modA;modB  "-name=Bob" )x", {R"x(C:\Games\Game.exe)x"}, R"x(C:\Games\Game.exe)x", {R"x(C:\Games\Game.exe)x", "-nosplash", "-mod=modA;modB", "-name=Bob"});
    row("quoted-space", R"x(C:\Games\Game.exe -host "-name=John Smith")x", {R"x(C:\Games\Game.exe)x"}, R"x(C:\Games\Game.exe)x", {R"x(C:\Games\Game.exe)x", "-host", "-name=John Smith"});
    row("double-spaces", R"x(C:\Games\Game.exe  -connect=10.0.0.5 -port=2302 -sockets  "-name=Ann")x", {R"x(C:\Games\Game.exe)x"}, R"x(C:\Games\Game.exe)x", {R"x(C:\Games\Game.exe)x", "-connect=10.0.0.5", "-port=2302", "-sockets", "-name=Ann"});
    row("quote-in-name", R"x(C:\x.exe "-name=Bo"b")x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", "-name=Bob"});
    row("escaped-quote-in-name", R"x(C:\x.exe "-name=Bo\"b")x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", R"x(-name=Bo"b)x"});
    row("bare-quote-in-name", R"x(C:\x.exe -name=Bo"b)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", "-name=Bob"});
    row("backslashes-before-quotes", R"x(C:\x.exe "a\\"b" c\\\"d)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", R"x(a\b c\"d)x"});
    row("four-backslashes-quote", R"x(C:\x.exe a\\\\"b c" d)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", R"x(a\\b c)x", "d"});
    row("backslashes-not-before-quote", R"x(C:\x.exe a\b\\c\\\d e\\)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", R"x(a\b\\c\\\d)x", R"x(e\\)x"});
    row("escaped-quotes-outside", R"x(C:\x.exe \"a\" \\"b\\")x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", R"x("a")x", R"x(\b\)x"});
    row("empty-args", R"x(C:\x.exe "" "")x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", "", ""});
    row("empty-args-trailing-spaces", R"x(C:\x.exe "" ""   )x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", "", ""});
    row("tabs", "C:\\x.exe a\tb \t c\t", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", "a", "b", "c"});
    row("quote-mid-arg", R"x(C:\x.exe "a b"c d"e f")x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", "a bc", "de f"});
    row("mod-quoted-mid", R"x(C:\Games\Game.exe -mod="@CBA A3;@ace" -name="Bob")x", {R"x(C:\Games\Game.exe)x"}, R"x(C:\Games\Game.exe)x", {R"x(C:\Games\Game.exe)x", "-mod=@CBA A3;@ace", "-name=Bob"});
    row("doubled-quote-in-quotes", R"x(C:\x.exe "a""b" c)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", R"x(a"b)x", "c"});
    row("tripled-quote", R"x(C:\x.exe "a"""b" c)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", R"x(a"b c)x"});
    row("triple-quoted-word", R"x(C:\x.exe """a b""" c)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", R"x("a b")x", "c"});
    row("doubled-quote-outside", R"x(C:\x.exe a""b c)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", "ab", "c"});
    row("unterminated-quote", R"x(C:\x.exe "abc  def )x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exe)x", "abc  def "});
    row("trailing-backslash-in-quotes", R"x(C:\Games\Game.exe "-profiles=C:\My Docs\" -nosplash)x", {R"x(C:\Games\Game.exe)x"}, R"x(C:\Games\Game.exe)x", {R"x(C:\Games\Game.exe)x", R"x(-profiles=C:\My Docs" -nosplash)x"});
    row("trailing-double-backslash-in-quotes", R"x(C:\Games\Game.exe "-profiles=C:\My Docs\\" -nosplash)x", {R"x(C:\Games\Game.exe)x"}, R"x(C:\Games\Game.exe)x", {R"x(C:\Games\Game.exe)x", R"x(-profiles=C:\My Docs\)x", "-nosplash"});
    row("quoted-program-path", R"x("C:\Program Files\Game\Game.exe" -window)x", {R"x(C:\Program Files\Game\Game.exe)x"}, R"x(C:\Program Files\Game\Game.exe)x", {R"x(C:\Program Files\Game\Game.exe)x", "-window"});
    row("unquoted-program-path", R"x(C:\Program Files\Game\Game.exe -window)x", {R"x(C:\Program Files\Game\Game.exe)x"}, R"x(C:\Program Files\Game\Game.exe)x", {R"x(C:\Program Files\Game\Game.exe)x", "-window"});
    row("unquoted-program-path-no-ext", R"x(C:\Program Files\Game\Game -window)x", {R"x(C:\Program Files\Game\Game.exe)x"}, R"x(C:\Program Files\Game\Game.exe)x", {R"x(C:\Program Files\Game\Game)x", "-window"});
    row("unquoted-program-path-with-C_Program.exe", R"x(C:\Program Files\Game\Game.exe -window)x", {R"x(C:\Program.exe)x", R"x(C:\Program Files\Game\Game.exe)x"}, R"x(C:\Program.exe)x", {R"x(C:\Program)x", R"x(Files\Game\Game.exe)x", "-window"});
    row("argv0-quote-then-text", R"x("C:\x.exe"extra a)x", {R"x(C:\x.exe)x"}, R"x(C:\x.exe)x", {R"x(C:\x.exeextra)x", "a"});
    row("argv0-backslash-quote", R"x("C:\Games\Game.exe\" a b)x", {R"x(C:\Games\Game.exe)x"}, "", {});
    row("argv0-inner-quotes", R"x(C:\"Program Files"\Game\Game.exe a)x", {R"x(C:\Program Files\Game\Game.exe)x"}, "", {});
    row("leading-spaces", R"x(   C:\x.exe a)x", {R"x(C:\x.exe)x"}, "", {});
    row("forward-slashes", "C:/Games/Game.exe -a", {"C:/Games/Game.exe"}, "C:/Games/Game.exe", {"C:/Games/Game.exe", "-a"});
    // Found on the search path under Windows; here the name is looked up where it is written.
    row("bare-name-no-ext-found-in-parent-dir", "child -a", {"child.exe"}, "child.exe", {"child", "-a"});
    // Measured with the program named apart from the line; here the line's own first word.
    row("app-name-given", R"x(fake name.exe "a b" c)x", {"fake"}, "fake", {"fake", "name.exe", "a b", "c"});
    row("empty-cmdline", "", {R"x(C:\x.exe)x"}, "", {});
    row("only-spaces", "   ", {R"x(C:\x.exe)x"}, "", {});

    // Splitting.
    row("three quotes alone", R"x(x.exe """)x", {"x.exe"}, "x.exe", {"x.exe", R"x(")x"});
    row("four quotes alone", R"x(x.exe """")x", {"x.exe"}, "x.exe", {"x.exe", R"x(")x"});
    row("odd backslashes before a quote inside quotes", R"x(x.exe "a\\\"b c" d)x", {"x.exe"}, "x.exe", {"x.exe", R"x(a\"b c)x", "d"});
    row("backslash at the end of the line", R"x(x.exe a\)x", {"x.exe"}, "x.exe", {"x.exe", R"x(a\)x"});
    row("empty argument last", R"x(x.exe a "")x", {"x.exe"}, "x.exe", {"x.exe", "a", ""});
    row("a name meant for a shell", R"x(/g/Game.exe -nosplash  "-name="; touch pwned; "" )x", {"/g/Game.exe"}, "/g/Game.exe", {"/g/Game.exe", "-nosplash", "-name=;", "touch", "pwned;", ""});
    // Program resolution.
    row("shortest existing prefix wins", "/opt/my games/vkr.exe -a", {"/opt/my", "/opt/my games/vkr.exe"}, "/opt/my", {"/opt/my", "games/vkr.exe", "-a"});
    row("as written before .exe", "/opt/game -a", {"/opt/game", "/opt/game.exe"}, "/opt/game", {"/opt/game", "-a"});
    row(".exe on a shorter prefix", "/opt/my games/vkr.exe -a", {"/opt/my.exe", "/opt/my games/vkr.exe"}, "/opt/my.exe", {"/opt/my", "games/vkr.exe", "-a"});
    row("no file at all", "/opt/vkr.exe -a", {}, "", {});
    row("program up to the limit", "/opt/my games/vkr.exe -a", {"/opt/my games/vkr.exe"}, "/opt/my games/vkr.exe", {"/opt/my games/vkr.exe", "-a"}, 21);
    row("no program past the limit", R"x(/g/gone.exe -nosplash  "-name=x" )x", {"/g/gone.exe -nosplash"}, "", {}, 11);
    row("no quoted program past the limit", R"x("/g/x.exe "-name=a" )x", {"/g/x.exe "}, "", {}, 9);
    // clang-format on
}

void CmdlineTest::resolve() {
    QFETCH(std::string, line);
    QFETCH(Strings, files);
    QFETCH(int, programLimit);
    QFETCH(std::string, program);
    QFETCH(Strings, argv);

    const std::set<std::string> existing(files.begin(), files.end());
    const FileTest isFile = [&](const std::string& path) { return existing.count(path) > 0; };
    const size_t limit = programLimit < 0 ? std::string::npos : size_t(programLimit);
    std::optional<ProgramStart> start = resolveCommandLine(line, isFile, limit);
    if (program.empty()) {
        QVERIFY(!start);
        return;
    }
    QVERIFY(start);
    QCOMPARE(QByteArray::fromStdString(start->program), QByteArray::fromStdString(program));
    QCOMPARE(shown(start->argv), shown(argv));
}

QTEST_GUILESS_MAIN(CmdlineTest)
#include "core_cmdline.moc"
