// The launcher ends at once when asked to, whatever host-name look-ups still run: a real
// launcher process (this executable, started again as the launcher) whose browser waits for a
// name that takes two minutes to resolve.
#include "app/TForm1.h"
#include "app/startup.h"
#include "app/window.h"
#include "net/address.h"
#include "status/TForm4.h"
#include "support/launcher_fixture.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

// Set in the launcher started by the test: how it is asked to end ("signal", "close", or
// "watcher": a signal while the watcher's send waits for its look-up).
constexpr char childVariable[] = "VKR_EXIT_TEST_CHILD";

bool isChild() {
    return qEnvironmentVariableIsSet(childVariable);
}

// In the launcher: once its windows exist, the user opens the server list.
void openServerList() {
    if (isChild()) {
        QTimer::singleShot(0, [] { vkr::forms().form1->BitBtn5Click(); });
    }
}

int runChild(int argc, char** argv) {
    const QByteArray how = qgetenv(childVariable);
    auto lookUps = std::make_shared<std::atomic<int>>(0);
    vkr::setHostLookup([how, lookUps](const std::string&) {
        if (how == "watcher" && ++*lookUps == 1) {
            // The browser's look-up: the user hands its server to the watcher, whose request
            // waits for the same look-up (a name is looked up once at a time); the watcher's
            // wait then runs the second call.
            QMetaObject::invokeMethod(
                qApp, [] { vkr::forms().form4->BitBtn3Click(); }, Qt::QueuedConnection);
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::printf("looking up\n");
                    std::fflush(stdout);
                },
                Qt::QueuedConnection);
        } else {
            std::printf("looking up\n");
            std::fflush(stdout);
        }
        if (how == "close") {
            QMetaObject::invokeMethod(
                qApp, [] { vkr::forms().form1->close(); }, Qt::QueuedConnection);
        }
        std::this_thread::sleep_for(std::chrono::minutes(2));
        return vkr::IPv4Bytes{};
    });
    return vkr::runLauncher(argc, argv);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(openServerList)

class ExitTest : public QObject {
    Q_OBJECT
private slots:
    void endsWhileLookingUp_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("SIGTERM") << "signal";
        QTest::newRow("the main window closed") << "close";
        QTest::newRow("SIGTERM while the watcher waits for its look-up") << "watcher";
    }
    void endsWhileLookingUp() {
        QFETCH(QString, how);
        LauncherFixture fx;
        fx.writeStandardRegistry("[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\1]\n"
                                 "\"name\"=\"Slow\"\n\"ip\"=\"slow.test\"\n\"port\"=\"2302\"\n"
                                 "\"pass\"=\"\"\n\"sockets\"=dword:00000001\n\"mods\"=\"\"\n");
        QProcess launcher;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(childVariable, how);
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(fx.folder("run")));
        launcher.setProcessEnvironment(env);
        launcher.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        launcher.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(launcher.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return launcher.canReadLine(); }, 60000));
        QCOMPARE(launcher.readLine(), QByteArray("looking up\n"));
        if (how != "close") {
            QCOMPARE(::kill(pid_t(launcher.processId()), SIGTERM), 0);
        }
        // The look-up takes two minutes; the launcher does not wait for it.
        QVERIFY(launcher.waitForFinished(10000));
        QCOMPARE(launcher.exitStatus(), QProcess::NormalExit);
        QCOMPARE(launcher.exitCode(), 0);
    }
};

int main(int argc, char** argv) {
    if (isChild()) {
        return runChild(argc, argv);
    }
    QApplication app(argc, argv);
    ExitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_exit.moc"
