// The watcher in the frame a window manager gives it, on a real display (Xvfb and openbox): in
// both views the auto-join box is in sight, whole and clear of the other controls, and one
// click on it cancels a running countdown. An alert marks the watcher for attention while
// another window is active, when the option "flash" is on. While watching, the watcher has a
// taskbar entry of its own under a real panel (tint2).
#include "app/TForm1.h"
#include "app/window.h"
#include "net/TNMUDP.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"
#include "support/launcher_fixture.h"
#include "ui_TFormWatcher.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

class DisplayWatcherTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

    // The window's property as xprop prints it.
    static QByteArray property(const QString& xprop, WId window, const QString& name) {
        QProcess p;
        p.start(xprop, {"-id", QString::number(window), name});
        p.waitForFinished(5000);
        return p.readAllStandardOutput();
    }

    // Answers the watcher's next request with reply.
    static void answer(QUdpSocket& server, const QByteArray& reply) {
        QVERIFY(server.hasPendingDatagrams() || server.waitForReadyRead(5000));
        const QNetworkDatagram request = server.receiveDatagram();
        server.writeDatagram(reply, request.senderAddress(),
                             static_cast<quint16>(request.senderPort()));
    }

private slots:
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() { fx.reset(); }

    void autojoinInSight_data() {
        QTest::addColumn<int>("toggles"); // clicks on "More >>" / "<< Less"
        QTest::newRow("collapsed at opening") << 0;
        QTest::newRow("expanded") << 1;
        QTest::newRow("collapsed again") << 2;
    }
    void autojoinInSight() {
        QFETCH(int, toggles);
        fx->writeStandardRegistry("[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                                  "\"autojoin\"=dword:00000001\n\n");
        fx->start();
        QUdpSocket server;
        QVERIFY(server.bind(QHostAddress::LocalHost, 0));
        TFormWatcher* watcher = vkr::forms().formWatcher;
        Ui::TFormWatcher* ui = watcher->ui();
        vkr::showForm(watcher);
        QVERIFY(QTest::qWaitForWindowActive(watcher));
        for (int i = 0; i < toggles; ++i) {
            QTest::mouseClick(ui->SpeedButton1, Qt::LeftButton);
        }
        if (toggles > 0) {
            // The outer size, the manager's frame included: the client is smaller than offscreen.
            const QSize outer = toggles == 1 ? QSize(362, 210) : QSize(265, 151);
            QTRY_COMPARE(watcher->frameGeometry().size(), outer);
        }

        const QRect box = ui->autojoin->geometry();
        QVERIFY(ui->autojoin->isVisible() && ui->autojoin->isChecked());
        QVERIFY(ui->Bevel1->geometry().contains(box));
        QVERIFY(ui->autojoin->sizeHint().width() <= box.width());
        for (QWidget* other : watcher->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != ui->autojoin && other != ui->Bevel1 && other->isVisible()) {
                QVERIFY2(!other->geometry().intersects(box), qPrintable(other->objectName()));
            }
        }

        watcher->udps->RemoteHost = "127.0.0.1";
        watcher->udps->RemotePort = server.localPort();
        watcher->UpdateStatus();
        answer(server, "\\gstate\\14\\");
        QTRY_COMPARE(ui->status->text(), QString("Game in progress..."));
        watcher->UpdateStatus();
        answer(server, "\\gstate\\9\\");
        QTRY_COMPARE(ui->status->text(), QString("Joining in 5..."));
        const QString shots = QString(VKR_BINARY_DIR) + "/screenshots";
        QDir().mkpath(shots);
        QVERIFY(watcher->grab().save(shots + "/watcher-display-" +
                                     QString(QTest::currentDataTag()).replace(' ', '-') + ".png"));
        QTest::mouseClick(ui->autojoin, Qt::LeftButton);
        QCOMPARE(ui->status->text(), QString("Debriefing"));
        QVERIFY(!watcher->Timer3->isActive());
        QVERIFY(!ui->autojoin->isChecked());
    }

    // Watching, with the main window and the browser hidden as the browser leaves them: the
    // watcher is an ordinary window (or a dialog) with no skip-taskbar state, transient for no
    // window, on top of the others, listed among the window manager's clients, and so in the
    // panel's taskbar; a new game marks it for attention there when "flash" is on.
    void taskbarEntry_data() {
        QTest::addColumn<bool>("flash");
        QTest::newRow("flash on") << true;
        QTest::newRow("flash off") << false;
    }
    void taskbarEntry() {
        QFETCH(bool, flash);
        const QString xprop = QStandardPaths::findExecutable("xprop");
        const QString tint2 = QStandardPaths::findExecutable("tint2");
        if (xprop.isEmpty() || tint2.isEmpty()) {
            QSKIP("xprop (x11-utils) or tint2 is missing: no panel to list the watcher");
        }
        QProcess panel;
        panel.start(tint2, {});
        QVERIFY(panel.waitForStarted());
        fx->writeStandardRegistry(QStringLiteral("[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                                                 "\"watchers\"=dword:00000000\n"
                                                 "\"flash\"=dword:0000000%1\n\n")
                                      .arg(flash ? 1 : 0)
                                      .toStdString());
        fx->start();
        QUdpSocket server;
        QVERIFY(server.bind(QHostAddress::LocalHost, 0));
        TFormWatcher* watcher = vkr::forms().formWatcher;
        vkr::forms().form1->hide();
        vkr::forms().form4->hide();
        vkr::showForm(watcher);
        QVERIFY(QTest::qWaitForWindowActive(watcher));
        const WId id = watcher->winId();

        const QByteArray type = property(xprop, id, "_NET_WM_WINDOW_TYPE");
        QVERIFY2(type.contains("_NET_WM_WINDOW_TYPE_NORMAL") ||
                     type.contains("_NET_WM_WINDOW_TYPE_DIALOG"),
                 type.constData());
        QVERIFY2(property(xprop, id, "WM_TRANSIENT_FOR").contains("not found"),
                 property(xprop, id, "WM_TRANSIENT_FOR").constData());
        QTRY_VERIFY(property(xprop, id, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"));
        QVERIFY(!property(xprop, id, "_NET_WM_STATE").contains("SKIP_TASKBAR"));
        QProcess root;
        root.start(xprop, {"-root", "_NET_CLIENT_LIST"});
        QVERIFY(root.waitForFinished(5000));
        QVERIFY(
            root.readAllStandardOutput().contains("0x" + QByteArray::number(qulonglong(id), 16)));

        watcher->udps->RemoteHost = "127.0.0.1";
        watcher->udps->RemotePort = server.localPort();
        watcher->UpdateStatus();
        answer(server, "\\gstate\\14\\");
        QTRY_COMPARE(watcher->ui()->status->text(), QString("Game in progress..."));
        // Another window is active when the new game comes.
        QWidget other;
        other.setWindowTitle("Another window");
        other.setGeometry(40, 40, 200, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        watcher->UpdateStatus();
        answer(server, "\\gstate\\9\\");
        QTRY_COMPARE(watcher->ui()->status->text(), QString("Debriefing"));
        const auto marked = [&] {
            return property(xprop, id, "_NET_WM_STATE").contains("_NET_WM_STATE_DEMANDS_ATTENTION");
        };
        if (flash) {
            QTRY_VERIFY(marked());
            // The panel with the watcher's entry, marked.
            QTest::qWait(500);
            const QString shots = QString(VKR_BINARY_DIR) + "/screenshots";
            QDir().mkpath(shots);
            QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(shots +
                                                                         "/watcher-taskbar.png"));
        } else {
            QTest::qWait(500);
            QVERIFY(!marked());
        }
        panel.terminate();
        panel.waitForFinished();
    }

    // A friend joins while the main window is the active one: the watcher asks for attention
    // (the window manager's mark, as the taskbar shows it), unless "flash" is off.
    void friendAlertMarksTheWatcher_data() {
        QTest::addColumn<bool>("flash");
        QTest::newRow("flash on") << true;
        QTest::newRow("flash off") << false;
    }
    void friendAlertMarksTheWatcher() {
        QFETCH(bool, flash);
        const QString xprop = QStandardPaths::findExecutable("xprop");
        if (xprop.isEmpty()) {
            QSKIP("xprop is missing (x11-utils): the window manager's mark cannot be read");
        }
        fx->writeStandardRegistry(QStringLiteral("[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n"
                                                 "\"watchers\"=dword:00000000\n"
                                                 "\"flash\"=dword:0000000%1\n"
                                                 "\"friends\"=hex(7):41,6e,6e,00,00\n\n")
                                      .arg(flash ? 1 : 0)
                                      .toStdString());
        fx->start();
        QUdpSocket server;
        QVERIFY(server.bind(QHostAddress::LocalHost, 0));
        TFormWatcher* watcher = vkr::forms().formWatcher;
        vkr::showForm(watcher);
        QVERIFY(QTest::qWaitForWindowActive(watcher));
        watcher->udps->RemoteHost = "127.0.0.1";
        watcher->udps->RemotePort = server.localPort();
        watcher->UpdateStatus();
        answer(server, "\\numplayers\\1\\gstate\\14\\player_0\\Carl\\score_0\\0\\");
        QTRY_COMPARE(watcher->ui()->players->text(), QString("1/?"));
        vkr::showForm(vkr::forms().form1);
        QVERIFY(QTest::qWaitForWindowActive(vkr::forms().form1));
        QVERIFY(!watcher->isActiveWindow());

        const auto marked = [&] {
            QProcess p;
            p.start(xprop, {"-id", QString::number(watcher->winId()), "_NET_WM_STATE"});
            return p.waitForFinished(5000) &&
                   p.readAllStandardOutput().contains("_NET_WM_STATE_DEMANDS_ATTENTION");
        };
        QVERIFY(!marked());
        watcher->UpdateStatus();
        answer(server, "\\numplayers\\2\\gstate\\14\\player_0\\Carl\\score_0\\0\\"
                       "player_1\\Ann\\score_1\\0\\");
        QTRY_COMPARE(watcher->ui()->players->text(), QString("2/?"));
        if (flash) {
            QTRY_VERIFY(marked());
        } else {
            QTest::qWait(500);
            QVERIFY(!marked());
        }
    }
};

QTEST_MAIN(DisplayWatcherTest)
#include "display_watcher.moc"
