// One launcher per settings file, and the save on signals: real launcher processes offscreen,
// each test with a runtime folder and settings of its own.
#include "app/single_instance.h"
#include "support/launcher_fixture.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <vector>

class SingleInstanceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;
    std::vector<std::unique_ptr<QProcess>> processes;

    QString runtime() const { return fx->dir.filePath("run"); }

    // A launcher on the fixture's settings, or on those below configHome, with the test's
    // runtime folder or another.
    QProcess* startLauncher(const QString& configHome = {}, const QString& runtimeFolder = {}) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (runtimeFolder == "<unset>") {
            env.remove("XDG_RUNTIME_DIR");
        } else {
            env.insert("XDG_RUNTIME_DIR", runtimeFolder.isEmpty() ? runtime() : runtimeFolder);
        }
        if (!configHome.isEmpty()) {
            env.insert("XDG_CONFIG_HOME", configHome);
        }
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(VKR_BINARY_DIR "/vkr-launcher", {});
        processes.push_back(std::move(p));
        return processes.back().get();
    }

    // Starts a launcher and returns it once its first load has read the settings file.
    QProcess* startAndLoad() {
        const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        if (watch < 0 ||
            ::inotify_add_watch(watch, fx->registryPath().c_str(), IN_CLOSE_NOWRITE) < 0) {
            return nullptr;
        }
        QProcess* launcher = startLauncher();
        pollfd ready{watch, POLLIN, 0};
        const bool read = ::poll(&ready, 1, 30000) == 1;
        ::close(watch);
        return read ? launcher : nullptr;
    }

    // Takes the settings file's lock, as another program using the file would, once the
    // launcher has let go of it; the descriptor, or -1.
    int holdSettingsLock() {
        const int fd = ::open((fx->registryPath() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
        QDeadlineTimer deadline(30000);
        while (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (deadline.hasExpired()) {
                ::close(fd);
                return -1;
            }
            QTest::qWait(20);
        }
        return fd;
    }

    // The socket of the launcher on the fixture's settings folder, or on the one below
    // configHome.
    QString socketPath(const QString& configHome = {}) const {
        return SingleInstance::socketName(
            (configHome.isEmpty() ? fx->dir.filePath("config") : configHome) + "/vkr-launcher");
    }

    // True once a launcher answers on the socket (without asking it for anything).
    bool waitUntilListening(const QString& configHome = {}) {
        QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            QLocalSocket probe;
            probe.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
            probe.connectToServer(socketPath(configHome));
            if (probe.waitForConnected(200)) {
                return true;
            }
            QTest::qWait(100);
        }
        return false;
    }

private slots:
    void init() {
        fx = std::make_unique<LauncherFixture>();
        QVERIFY(QDir().mkpath(runtime()));
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void cleanup() {
        for (auto& p : processes) {
            p->kill();
            p->waitForFinished(5000);
        }
        processes.clear();
        fx.reset();
    }

    // A second start ends at once with exit code 0 while the first runs on, whether the first
    // is idle or waits for an answer to its first-run question; a killed launcher's socket is
    // taken over by the next start.
    void secondStartEnds_data() {
        QTest::addColumn<QString>("first");
        QTest::newRow("first idle") << "idle";
        QTest::newRow("first asks a question") << "asking";
        QTest::newRow("first was killed") << "killed";
    }
    void secondStartEnds() {
        QFETCH(QString, first);
        if (first != "asking") {
            fx->writeStandardRegistry();
        }
        QProcess* running = startLauncher();
        QVERIFY(waitUntilListening());
        if (first == "killed") {
            running->kill();
            QVERIFY(running->waitForFinished(5000));
            running = startLauncher();
            QVERIFY(waitUntilListening());
        }
        QProcess* second = startLauncher();
        QVERIFY(second->waitForFinished(15000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(running->state(), QProcess::Running);
    }

    // A start on other settings runs beside the first; one on the same settings file, however
    // its path is spelled and whatever its runtime folder, ends and leaves the first running.
    void startsOnOtherSettings_data() {
        QTest::addColumn<QString>("configHome"); // relative to the fixture's folder
        QTest::addColumn<QString>("runtime");    // relative to it; "" the test's, "<unset>"
        QTest::addColumn<bool>("beside");
        QTest::newRow("another XDG_CONFIG_HOME") << "other"
                                                 << "" << true;
        QTest::newRow("same folder by a symbolic link") << "link"
                                                        << "" << false;
        QTest::newRow("same folder with ..") << "other/../config"
                                             << "" << false;
        QTest::newRow("another runtime folder") << "config"
                                                << "run2" << false;
        QTest::newRow("no runtime folder") << "config"
                                           << "<unset>" << false;
        QTest::newRow("the file hard-linked in another folder") << "hard"
                                                                << "run2" << false;
        QTest::newRow("the file by a symbolic link in another folder") << "soft"
                                                                       << "run2" << false;
    }
    void startsOnOtherSettings() {
        QFETCH(QString, configHome);
        QFETCH(QString, runtime);
        QFETCH(bool, beside);
        fx->writeStandardRegistry();
        QVERIFY(QDir().mkpath(fx->dir.filePath("other")));
        QVERIFY(QDir().mkpath(fx->dir.filePath("run2")));
        QVERIFY(QDir().mkpath(fx->dir.filePath("hard/vkr-launcher")));
        QVERIFY(QDir().mkpath(fx->dir.filePath("soft/vkr-launcher")));
        QVERIFY(QFile::link(fx->dir.filePath("config"), fx->dir.filePath("link")));
        const QByteArray settings = QFile::encodeName(QString::fromStdString(fx->registryPath()));
        QCOMPARE(
            ::link(
                settings.constData(),
                QFile::encodeName(fx->dir.filePath("hard/vkr-launcher/registry.reg")).constData()),
            0);
        QVERIFY(QFile::link(QString::fromStdString(fx->registryPath()),
                            fx->dir.filePath("soft/vkr-launcher/registry.reg")));
        QProcess* first = startLauncher();
        QVERIFY(waitUntilListening());
        const QString home = fx->dir.path() + "/" + configHome;
        QProcess* second = startLauncher(home, runtime.isEmpty() || runtime.startsWith("<")
                                                   ? runtime
                                                   : fx->dir.filePath(runtime));
        if (beside) {
            QVERIFY(waitUntilListening(home));
            QCOMPARE(second->state(), QProcess::Running);
            QVERIFY(socketPath(home) != socketPath());
        } else {
            QVERIFY(second->waitForFinished(15000));
            QCOMPARE(second->exitCode(), 0);
        }
        QCOMPARE(first->state(), QProcess::Running);
    }

    // A launcher that is ending listens no more but holds the lock a moment longer: a start
    // meanwhile waits for it to end and then runs as the launcher, rather than ending unseen.
    void startWhileTheRunningOneEnds() {
        fx->writeStandardRegistry();
        const QString folder = fx->dir.filePath("config/vkr-launcher");
        const int ending = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(ending >= 0);
        QCOMPARE(::flock(ending, LOCK_EX | LOCK_NB), 0);
        QProcess* second = startLauncher();
        QTest::qWait(1500);
        ::close(ending);
        QVERIFY(waitUntilListening());
        QCOMPARE(second->state(), QProcess::Running);
    }

    // A start on the settings folder reached through a bind mount (in a user and mount
    // namespace of its own) ends and leaves the first running.
    void bindMountedFolderEnds() {
        fx->writeStandardRegistry();
        const QString bound = fx->dir.filePath("bound");
        QVERIFY(QDir().mkpath(bound));
        QProcess probe;
        probe.start("unshare", {"--user", "--map-root-user", "--mount", "mount", "--bind",
                                fx->dir.filePath("config"), bound});
        if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0) {
            QSKIP("a user and mount namespace cannot be made here (unshare --user --mount "
                  "failed), so no bind mount can be tested");
        }
        QProcess* first = startLauncher();
        QVERIFY(waitUntilListening());
        auto second = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        second->setProcessEnvironment(env);
        second->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        second->start("unshare",
                      {"--user", "--map-root-user", "--mount", "sh", "-c",
                       "mount --bind \"$1\" \"$2\" && XDG_CONFIG_HOME=\"$2\" exec \"$3\"", "sh",
                       fx->dir.filePath("config"), bound, VKR_BINARY_DIR "/vkr-launcher"});
        QVERIFY(second->waitForFinished(15000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        processes.push_back(std::move(second));
    }

    // The running launcher learns of the second start, to bring its window forward.
    void secondStartReachesTheRunningLauncher() {
        qputenv("XDG_RUNTIME_DIR", runtime().toLocal8Bit());
        SingleInstance running(QString::fromStdString(fx->registryPath()));
        QCOMPARE(running.claim(), SingleInstance::Claim::Claimed);
        QSignalSpy raised(&running, &SingleInstance::raiseRequested);
        QProcess* second = startLauncher();
        QVERIFY(raised.wait(15000));
        QVERIFY(second->waitForFinished(15000));
        QCOMPARE(second->exitCode(), 0);
    }

    // A signal to end takes the main window's close path: the settings are saved and the
    // launcher ends normally.
    void signalSavesAndEnds_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalSavesAndEnds() {
        QFETCH(int, signal);
        fx->writeStandardRegistry(); // has no "nomap": only a save writes it
        QProcess* launcher = startLauncher();
        QVERIFY(waitUntilListening());
        QCOMPARE(::kill(pid_t(launcher->processId()), signal), 0);
        QVERIFY(launcher->waitForFinished(15000));
        QCOMPARE(launcher->exitStatus(), QProcess::NormalExit);
        QCOMPARE(launcher->exitCode(), 0);
        QVERIFY(
            QString::fromStdString(fx->readRegistryText()).contains("\"nomap\"=dword:00000000"));
    }

    // While the save of a signal waits (here for a lock another program holds, then with the
    // message that it is in use), a second signal of any kind ends the launcher at once.
    void secondSignalEnds_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("TERM then INT") << int(SIGTERM) << int(SIGINT);
        QTest::newRow("INT then HUP") << int(SIGINT) << int(SIGHUP);
        QTest::newRow("HUP then TERM") << int(SIGHUP) << int(SIGTERM);
        QTest::newRow("TERM then TERM") << int(SIGTERM) << int(SIGTERM);
    }
    void secondSignalEnds() {
        QFETCH(int, first);
        QFETCH(int, second);
        fx->writeStandardRegistry();
        QProcess* launcher = startAndLoad();
        QVERIFY(launcher);
        const int lock = holdSettingsLock();
        QVERIFY(lock >= 0);
        const pid_t pid = pid_t(launcher->processId());
        QCOMPARE(::kill(pid, first), 0);
        QTest::qWait(300);
        QCOMPARE(::kill(pid, second), 0);
        QVERIFY(launcher->waitForFinished(30000));
        ::close(lock);
        QCOMPARE(launcher->exitStatus(), QProcess::CrashExit);
        QCOMPARE(launcher->exitCode(), second);
    }

    // A message shown during a signal's save waits for a click at most ten seconds; then the
    // launcher ends, with 128 + the signal's number, the file as the save left it.
    void messageDuringSignalSaveGivesUp() {
        fx->writeStandardRegistry();
        const std::string before = fx->readRegistryText();
        QProcess* launcher = startAndLoad();
        QVERIFY(launcher);
        const int lock = holdSettingsLock();
        QVERIFY(lock >= 0);
        QCOMPARE(::kill(pid_t(launcher->processId()), SIGTERM), 0);
        QVERIFY(launcher->waitForFinished(60000));
        ::close(lock);
        QCOMPARE(launcher->exitStatus(), QProcess::NormalExit);
        QCOMPARE(launcher->exitCode(), 128 + SIGTERM);
        QCOMPARE(fx->readRegistryText(), before);
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "gui_single_instance.moc"
