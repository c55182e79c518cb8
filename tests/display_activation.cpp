// Activation of the windows on a real X display with a window manager: a window reloads what it
// shows when it is shown and when the user comes to it from another launcher window, never when
// a message box, question or file dialog that it opened closes. Boxes and dialogs are the real
// ones, answered once the window manager has made them active.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm3.h"
#include "dialogs/TFormOptions.h"
#include "editor_rows.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"
#include "support/desktop_prompts.h"
#include "ui_TForm1.h"
#include "ui_TForm2.h"
#include "ui_TForm3.h"
#include "ui_TForm4.h"
#include "ui_TFormOptions.h"
#include "ui_TFormWatcher.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

using namespace editor_rows;

namespace {

bool activate(QWidget* w) {
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

std::string server(const std::string& host, const std::string& port) {
    return "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\1]\n\"name\"=\"One\"\n"
           "\"ip\"=\"" +
           host + "\"\n\"port\"=\"" + port + "\"\n\"sockets\"=dword:00000001\n\n";
}

// What the user does after editing: the box or dialog is answered by the test.
enum class Then { SaveToFullTable, DeleteAnsweredNo, BackFromMainWindow, BackFromOtherProgram };

} // namespace

Q_DECLARE_METATYPE(Then)

class ActivationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;
    std::unique_ptr<DesktopPrompts> prompts;

    TForm1* main() { return vkr::forms().form1; }

    // Starts the launcher with the main window shown and active.
    void start(const std::string& extra) {
        fx->writeStandardRegistry(extra);
        fx->start();
        vkr::showForm(main());
        QVERIFY(QTest::qWaitForWindowActive(main()));
    }
    // Opens a window from the main window's menu or button, as the user does.
    void open(QAction* item, QWidget* window) {
        item->trigger();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void backFromMainWindow(QWidget* window) {
        QVERIFY(activate(main()));
        QVERIFY(activate(window));
    }
    // Another program's window takes the focus (xmessage, X's own message box), then the user
    // comes back to the window.
    void backFromOtherProgram(QWidget* window) {
        QProcess other;
        other.start("xmessage", {"-timeout", "60", "another program"});
        if (!other.waitForStarted()) {
            QSKIP("xmessage (x11-utils) is missing");
        }
        QTRY_VERIFY_WITH_TIMEOUT(!window->isActiveWindow(), 15000);
        QVERIFY(activate(window));
        other.kill();
        other.waitForFinished();
    }
    // Waits until the answered box has closed and the window has the focus back. Rarely the
    // window manager does not give it back; the user then clicks the window.
    void waitForReturnTo(QWidget* window) {
        QTRY_VERIFY(!QApplication::activeModalWidget());
        if (!QTest::qWaitFor([window] { return window->isActiveWindow(); }, 3000)) {
            QVERIFY(activate(window));
        }
    }

private slots:
    void init() {
        fx = std::make_unique<LauncherFixture>();
        prompts = std::make_unique<DesktopPrompts>();
    }
    void cleanup() {
        prompts.reset();
        fx.reset();
    }

    void editorsKeepTypedTextWhenTheirBoxCloses_data() {
        QTest::addColumn<bool>("servers");
        QTest::addColumn<Then>("then");
        QTest::addColumn<bool>("kept");
        QTest::newRow("mods: list full") << false << Then::SaveToFullTable << true;
        QTest::newRow("mods: delete, No") << false << Then::DeleteAnsweredNo << true;
        QTest::newRow("mods: main window and back") << false << Then::BackFromMainWindow << false;
        QTest::newRow("mods: other program and back")
            << false << Then::BackFromOtherProgram << true;
        QTest::newRow("servers: list full") << true << Then::SaveToFullTable << true;
        QTest::newRow("servers: delete, No") << true << Then::DeleteAnsweredNo << true;
        QTest::newRow("servers: main window and back") << true << Then::BackFromMainWindow << false;
    }
    void editorsKeepTypedTextWhenTheirBoxCloses() {
        QFETCH(bool, servers);
        QFETCH(Then, then);
        QFETCH(bool, kept);
        std::string rows;
        for (int id = 1; id <= vkr::ModTable::capacity; ++id) {
            rows += servers ? serverSection(id, "S" + std::to_string(id), "")
                            : modSection(id, "M" + std::to_string(id), "@m", false);
        }
        start(rows);
        QWidget* editor = servers ? static_cast<QWidget*>(vkr::forms().form3) : vkr::forms().form2;
        open(servers ? main()->ui()->Servers1 : main()->ui()->Mods1, editor);
        QComboBox* list =
            servers ? vkr::forms().form3->ui()->ServerList : vkr::forms().form2->ui()->ModList;
        QLineEdit* second =
            servers ? vkr::forms().form3->ui()->host : vkr::forms().form2->ui()->Dir;
        typeInto(list, "Typed");
        second->setText("typed too");
        QAbstractButton* button =
            servers ? vkr::forms().form3->ui()->BitBtn1 : vkr::forms().form2->ui()->BitBtn2;
        if (then == Then::DeleteAnsweredNo) {
            prompts->confirmAnswers = {false};
            button =
                servers ? vkr::forms().form3->ui()->BitBtn2 : vkr::forms().form2->ui()->BitBtn1;
        }
        if (then == Then::BackFromMainWindow) {
            backFromMainWindow(editor);
        } else if (then == Then::BackFromOtherProgram) {
            backFromOtherProgram(editor);
        } else {
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(prompts->shown.size(), size_t{1});
            waitForReturnTo(editor);
        }
        QCOMPARE(list->currentText() == "Typed" && second->text() == "typed too", kept);
    }

    void optionsKeepEditsWhenTheFileDialogCloses_data() {
        QTest::addColumn<QString>("browse");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("kept");
        QTest::newRow("new-game sound") << "Button2"
                                        << "sound1" << true;
        QTest::newRow("players sound") << "Button1"
                                       << "sound2" << true;
        QTest::newRow("main window and back") << ""
                                              << "sound1" << false;
    }
    void optionsKeepEditsWhenTheFileDialogCloses() {
        QFETCH(QString, browse);
        QFETCH(QString, field);
        QFETCH(bool, kept);
        start("");
        TFormOptions* options = vkr::forms().formOptions;
        open(main()->ui()->Options2, options);
        Ui::TFormOptions* ui = options->ui();
        QVERIFY(ui->sounds2->isChecked() && !ui->CheckBox2->isChecked());
        ui->CheckBox2->click();
        ui->sounds3->click();
        const QString wav = QString::fromStdString(fx->folder("sounds")) + "/chime.wav";
        QFile file(wav);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        if (browse.isEmpty()) {
            backFromMainWindow(options);
        } else {
            prompts->fileAnswers = {wav.toStdString()};
            QTest::mouseClick(options->findChild<QPushButton*>(browse), Qt::LeftButton);
            waitForReturnTo(options);
        }
        const bool edited = ui->CheckBox2->isChecked() && ui->sounds3->isChecked() &&
                            options->findChild<QLineEdit*>(field)->text() == wav;
        QCOMPARE(edited, kept);
    }

    void browserAsksOnceForABadPort_data() {
        QTest::addColumn<bool>("backFromMain");
        QTest::addColumn<int>("reports");
        QTest::newRow("report answered") << false << 1;
        QTest::newRow("main window and back") << true << 2;
    }
    void browserAsksOnceForABadPort() {
        QFETCH(bool, backFromMain);
        QFETCH(int, reports);
        start(server("127.0.0.1", "23o2"));
        TForm4* browser = vkr::forms().form4;
        QTest::mouseClick(main()->ui()->BitBtn5, Qt::LeftButton);
        QTRY_COMPARE(prompts->errors().size(), size_t{1});
        waitForReturnTo(browser);
        // Only an activation starts the timer of a new pass.
        QVERIFY(!browser->Timer2->isActive());
        if (backFromMain) {
            backFromMainWindow(browser);
            QTRY_COMPARE(prompts->errors().size(), size_t{2});
            waitForReturnTo(browser);
            QVERIFY(!browser->Timer2->isActive());
        }
        QCOMPARE(prompts->errors().size(), size_t(reports));
    }

    void watcherKeepsTheFirstReply() {
        QUdpSocket fake;
        QVERIFY(fake.bind(QHostAddress::LocalHost, 0));
        start(server("127.0.0.1", std::to_string(fake.localPort() - 1)));
        TForm4* browser = vkr::forms().form4;
        TFormWatcher* watcher = vkr::forms().formWatcher;
        QTest::mouseClick(main()->ui()->BitBtn5, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(browser));
        QTRY_VERIFY(browser->ui()->SGrid->currentIndex().row() == 0 && fake.hasPendingDatagrams());
        fake.receiveDatagram();
        QTest::mouseClick(browser->ui()->BitBtn3, Qt::LeftButton);
        // The hand-over has sent the first request; its reply is on its way before the window
        // manager has activated the watcher.
        QVERIFY(fake.waitForReadyRead(5000));
        const QNetworkDatagram request = fake.receiveDatagram();
        fake.writeDatagram(
            QByteArray("\\numplayers\\1\\maxplayers\\12\\player_0\\Ann\\score_0\\5\\"),
            request.senderAddress(), static_cast<quint16>(request.senderPort()));
        QVERIFY(QTest::qWaitForWindowActive(watcher));
        QTableWidget* list = watcher->ui()->playerList;
        QTRY_VERIFY(list->item(0, 0) && list->item(0, 0)->text() == "Ann");
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->item(0, 1)->text(), QString("5"));
    }
};

QTEST_MAIN(ActivationTest)
#include "display_activation.moc"
