// The launcher's command line and the check for a display, both decided before Qt starts.
#include "app/command_args.h"

#include <QtTest>

using namespace vkr;

namespace {

CommandArgs parse(const QStringList& args) {
    std::vector<QByteArray> bytes{"vkr-launcher"};
    for (const QString& a : args) {
        bytes.push_back(a.toUtf8());
    }
    std::vector<const char*> argv;
    for (const QByteArray& b : bytes) {
        argv.push_back(b.constData());
    }
    return parseCommandArgs(int(argv.size()), argv.data());
}

} // namespace

class CommandArgsTest : public QObject {
    Q_OBJECT

private slots:
    void arguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("version");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("unknown");
        QTest::addColumn<QString>("missingValue");
        QTest::addColumn<QString>("platform");
        QTest::newRow("none") << QStringList{} << false << false << ""
                              << ""
                              << "";
        QTest::newRow("version") << QStringList{"--version"} << true << false << ""
                                 << ""
                                 << "";
        QTest::newRow("help") << QStringList{"--help"} << false << true << ""
                              << ""
                              << "";
        QTest::newRow("short help") << QStringList{"-h"} << false << true << ""
                                    << ""
                                    << "";
        QTest::newRow("both") << QStringList{"--version", "--help"} << true << true << ""
                              << ""
                              << "";
        QTest::newRow("both, reversed, repeated")
            << QStringList{"--help", "--version", "--help"} << true << true << ""
            << ""
            << "";
        QTest::newRow("unknown after a switch")
            << QStringList{"--version", "--verbose", "-x"} << true << false << "--verbose"
            << ""
            << "";
        QTest::newRow("Qt's platform")
            << QStringList{"-platform", "offscreen"} << false << false << ""
            << ""
            << "offscreen";
        QTest::newRow("last platform wins")
            << QStringList{"-platform", "xcb", "-platform", "offscreen"} << false << false << ""
            << ""
            << "offscreen";
        QTest::newRow("style and style sheet")
            << QStringList{"-style", "Fusion", "-stylesheet", "dark.qss", "--help"} << false << true
            << ""
            << ""
            << "";
        QTest::newRow("style with =")
            << QStringList{"-style=Fusion", "-stylesheet=a.qss"} << false << false << ""
            << ""
            << "";
        QTest::newRow("a value that looks like an option")
            << QStringList{"-qwindowtitle", "--version"} << false << false << ""
            << ""
            << "";
        QTest::newRow("Qt's switches")
            << QStringList{"-reverse", "-widgetcount"} << false << false << ""
            << ""
            << "";
        QTest::newRow("value missing") << QStringList{"--version", "-style"} << true << false << ""
                                       << "-style"
                                       << "";
        QTest::newRow("Qt's options with two dashes")
            << QStringList{"--style", "Fusion", "--platform", "vnc"} << false << false << ""
            << ""
            << "vnc";
        QTest::newRow("two dashes, unknown")
            << QStringList{"--stylo", "Fusion"} << false << false << "--stylo"
            << ""
            << "";
        QTest::newRow("value missing, two dashes")
            << QStringList{"--stylesheet"} << false << false << ""
            << "--stylesheet"
            << "";
        QTest::newRow("single dash") << QStringList{"-version"} << false << false << "-version"
                                     << ""
                                     << "";
        QTest::newRow("empty argument") << QStringList{"", "--help"} << false << true << ""
                                        << ""
                                        << "";
    }
    void arguments() {
        QFETCH(QStringList, args);
        QFETCH(bool, version);
        QFETCH(bool, help);
        QFETCH(QString, unknown);
        QFETCH(QString, missingValue);
        QFETCH(QString, platform);
        const CommandArgs got = parse(args);
        QCOMPARE(got.version, version);
        QCOMPARE(got.help, help);
        QCOMPARE(QString::fromStdString(got.unknown), unknown);
        QCOMPARE(QString::fromStdString(got.missingValue), missingValue);
        QCOMPARE(QString::fromStdString(got.platform), platform);
    }
    void language_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("missingValue");
        QTest::newRow("none") << QStringList{"--help"} << ""
                              << "";
        QTest::newRow("--lang CODE") << QStringList{"--lang", "fi"} << "fi"
                                     << "";
        QTest::newRow("--lang=CODE, the last counts")
            << QStringList{"--lang=de_DE", "--lang", "en"} << "en"
            << "";
        QTest::newRow("a code like a switch is a code")
            << QStringList{"--lang", "--help"} << "--help"
            << "";
        QTest::newRow("no code") << QStringList{"--lang"} << ""
                                 << "--lang";
    }
    void language() {
        QFETCH(QStringList, args);
        QFETCH(QString, language);
        QFETCH(QString, missingValue);
        const CommandArgs got = parse(args);
        QCOMPARE(QString::fromStdString(got.language), language);
        QCOMPARE(QString::fromStdString(got.missingValue), missingValue);
    }

    // A null column is an unset variable.
    void display_data() {
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<bool>("available");
        const QByteArray unset;
        QTest::newRow("nothing set") << unset << unset << unset << false;
        QTest::newRow("empty DISPLAY") << unset << QByteArray("") << unset << false;
        QTest::newRow("X11") << unset << QByteArray(":0") << unset << true;
        QTest::newRow("Wayland") << unset << unset << QByteArray("wayland-0") << true;
        QTest::newRow("xcb without X")
            << QByteArray("xcb") << unset << QByteArray("wayland-0") << false;
        QTest::newRow("wayland without Wayland")
            << QByteArray("wayland") << QByteArray(":0") << unset << false;
        QTest::newRow("wayland-egl")
            << QByteArray("wayland-egl") << unset << QByteArray("w-1") << true;
        QTest::newRow("wayland, falling back to xcb")
            << QByteArray("wayland;xcb") << QByteArray(":0") << unset << true;
        QTest::newRow("offscreen") << QByteArray("offscreen") << unset << unset << true;
        QTest::newRow("plugin with options")
            << QByteArray("vnc:size=800x600") << unset << unset << true;
        QTest::newRow("xcb with options, no X")
            << QByteArray("xcb:nograb") << unset << unset << false;
        QTest::newRow("empty platform") << QByteArray("") << QByteArray(":1") << unset << true;
    }
    void display() {
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(bool, available);
        auto c = [](const QByteArray& b) { return b.isNull() ? nullptr : b.constData(); };
        QCOMPARE(displayAvailable(c(platform), c(display), c(wayland)), available);
    }
};

QTEST_GUILESS_MAIN(CommandArgsTest)
#include "core_command_args.moc"
