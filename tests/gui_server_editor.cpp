// The "Servers" window driven offscreen over a registry file in a temporary folder.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm3.h"
#include "editor_rows.h"
#include "ui_TForm1.h"
#include "ui_TForm2.h"
#include "ui_TForm3.h"

#include <QtTest>

using namespace editor_rows;

namespace {

// Alpha, Bravo, Charlie and Delta; Delta has the same folder as Alpha.
const std::string kMods =
    modSection(11, "Alpha", "@a", false) + modSection(22, "Bravo", "@b", false) +
    modSection(33, "Charlie", "@c", false) + modSection(44, "Delta", "@a", false);

} // namespace

class ServerEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

    TForm3* form() { return vkr::forms().form3; }
    Ui::TForm3* ui() { return form()->ui(); }
    TForm1* mainWindow() { return vkr::forms().form1; }

    void activate(QWidget* w) {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    // Starts the launcher over kMods and these server rows and opens the editor from the menu.
    void open(const std::string& servers) {
        fx->writeStandardRegistry(kMods + servers);
        fx->start();
        mainWindow()->show();
        activate(mainWindow());
        mainWindow()->ui()->Servers1->trigger();
        QVERIFY(QTest::qWaitForWindowActive(form()));
    }
    void save() { QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton); }
    // name|host|port|pass|impl|ticks, as shown.
    QString shown() {
        return QStringList{ui()->name->text(), ui()->host->text(),        ui()->port->text(),
                           ui()->pass->text(), ui()->impl->currentText(), ticks(ui()->modlistb)}
            .join('|');
    }

private slots:
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() { fx.reset(); }

    void windowAsDesigned() {
        open(serverSection(7, "Home", "@b;@c;"));
        QCOMPARE(form()->windowTitle(), QString("Servers"));
        QCOMPARE(form()->maximumSize(), QSize(425, 233));
        QCOMPARE(form()->minimumSize(), QSize(425, 233));
        QVERIFY(!(form()->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(ui()->BitBtn1->isDefault());
        for (QLabel* label : form()->findChildren<QLabel*>()) {
            QRect r(label->mapTo(form(), QPoint(0, 0)), label->sizeHint());
            QVERIFY2(form()->rect().contains(r), qPrintable(label->text()));
        }
        QDir().mkpath("/tmp/shots");
        QVERIFY(form()->grab().save("/tmp/shots/server_editor.png"));
    }

    // Esc closes the editor wherever the focus is, as its close box does: nothing typed is
    // stored, and the main window stays.
    void escapeCloses_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("list's edit field") << "ServerList";
        QTest::newRow("port") << "port";
        QTest::newRow("implementation") << "impl";
        QTest::newRow("mods") << "modlistb";
    }
    void escapeCloses() {
        QFETCH(QString, focus);
        open(serverSection(7, "Home", "@b;"));
        const std::string before = fx->readRegistryText();
        ui()->port->setText("9999");
        auto* w = form()->findChild<QWidget*>(focus);
        w->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(form()->isHidden());
        QVERIFY(mainWindow()->isVisible());
        QCOMPARE(fx->readRegistryText(), before);
        QCOMPARE(vkr::store().servers[0].port, std::string("2400"));
    }

    void typingResetsTheFields() {
        open(serverSection(7, "Home", "@b;", false));
        QCOMPARE(shown(), QString("Home|host-Home|2400|pw-Home|DirectPlay|0100"));
        typeInto(ui()->ServerList, "N");
        QCOMPARE(ui()->ServerList->currentIndex(), -1);
        QCOMPARE(shown(), QString("N||2302||Sockets|0000"));
        ui()->host->setText("example.org");
        ui()->pass->setText("secret");
        pick(ui()->impl, 1);
        toggle(ui()->modlistb, 1);
        QTest::keyClick(ui()->ServerList->lineEdit(), 'e');
        QCOMPARE(shown(), QString("Ne||2302||Sockets|0000"));
        pick(ui()->ServerList, 0);
        QCOMPARE(shown(), QString("Home|host-Home|2400|pw-Home|DirectPlay|0100"));
    }

    void savesWhatIsShown_data() {
        QTest::addColumn<int>("implItem"); // -1: "Sockets" typed into impl
        QTest::addColumn<QList<int>>("toggled");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Sockets, no mods") << 0 << QList<int>{} << "1:";
        QTest::newRow("DirectPlay") << 1 << QList<int>{} << "0:";
        QTest::newRow("typed implementation") << -1 << QList<int>{} << "0:";
        QTest::newRow("third then first mod") << 0 << QList<int>{2, 0} << "1:@a;@c;";
    }
    void savesWhatIsShown() {
        QFETCH(int, implItem);
        QFETCH(QList<int>, toggled);
        QFETCH(QString, stored);
        ScriptedIds ids({123});
        open({});
        typeInto(ui()->ServerList, "Fresh");
        ui()->host->setText("10.0.0.1");
        ui()->port->setText("x1");
        ui()->pass->setText("p w");
        if (implItem >= 0) {
            pick(ui()->impl, implItem);
        } else {
            typeInto(ui()->impl, "Sockets");
        }
        for (int i : toggled) {
            toggle(ui()->modlistb, i);
        }
        save();
        QCOMPARE(storedServers(*fx), QStringList{"123:Fresh:10.0.0.1:x1:p w:" + stored});
        QCOMPARE(ui()->impl->currentIndex(), stored.startsWith('1') ? 0 : 1);
    }

    void storedModsReadBackAndResaved_data() {
        QTest::addColumn<QString>("mods");
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QString>("resaved");
        QTest::newRow("unknown piece dropped") << "@zz;@b;"
                                               << "0100"
                                               << "@b;";
        QTest::newRow("same dir ticks both") << "@a;"
                                             << "1001"
                                             << "@a;@a;";
        QTest::newRow("last piece without ;") << "@c;@b"
                                              << "0010"
                                              << "@c;";
    }
    void storedModsReadBackAndResaved() {
        QFETCH(QString, mods);
        QFETCH(QString, ticks);
        QFETCH(QString, resaved);
        open(serverSection(7, "Home", mods.toStdString()));
        QCOMPARE(editor_rows::ticks(ui()->modlistb), ticks);
        save();
        QCOMPARE(storedServers(*fx), QStringList{"7:Home:host-Home:2400:pw-Home:1:" + resaved});
    }

    void ticksFollowModsDeletedInTheModEditor() {
        open(serverSection(7, "Home", "@b;@c;"));
        mainWindow()->ui()->Mods1->trigger();
        TForm2* modEditor = vkr::forms().form2;
        QVERIFY(QTest::qWaitForWindowActive(modEditor));
        pick(modEditor->ui()->ModList, 1);
        fx->prompts.confirmAnswers = {true};
        QTest::mouseClick(modEditor->ui()->BitBtn1, Qt::LeftButton);
        activate(form());
        QCOMPARE(ui()->modlistb->item(1)->text(), QString("Charlie"));
        QCOMPARE(ticks(ui()->modlistb), QString("010"));
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Yes") << true
                             << QStringList{"7:Home:host-Home:2400:pw-Home:1:@a;",
                                            "9:Third:host-Third:2400:pw-Third:0:@c;"};
        QTest::newRow("No") << false
                            << QStringList{"7:Home:host-Home:2400:pw-Home:1:@a;",
                                           "8:Away:host-Away:2400:pw-Away:1:",
                                           "9:Third:host-Third:2400:pw-Third:0:@c;"};
    }
    void deleteAsksFirst() {
        QFETCH(bool, answer);
        QFETCH(QStringList, stored);
        open(serverSection(7, "Home", "@a;") + serverSection(8, "Away", "") +
             serverSection(9, "Third", "@c;", false));
        pick(ui()->ServerList, 1);
        fx->prompts.confirmAnswers = {answer};
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QCOMPARE(fx->prompts.texts(ScriptedPrompts::Shown::Confirm),
                 std::vector<std::string>{"Are you sure?"});
        QCOMPARE(storedServers(*fx), stored);
        QCOMPARE(ui()->ServerList->count(), stored.size());
    }
};

QTEST_MAIN(ServerEditorTest)
#include "gui_server_editor.moc"
