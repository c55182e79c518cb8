// The "Modifications" window driven offscreen over a registry file in a temporary folder.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TForm2.h"
#include "editor_rows.h"
#include "settings/settings.h"
#include "ui_TForm1.h"
#include "ui_TForm2.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace editor_rows;

namespace {

// Alpha (11, ticked), Bravo (22), Charlie (33, ticked).
std::string threeMods() {
    return modSection(11, "Alpha", "@alpha", true) + modSection(22, "Bravo", "@bravo", false) +
           modSection(33, "Charlie", "@charlie", true);
}

// Answers every question Yes, but first refills the editor as the closing box's reactivation
// of the window does.
class ReactivatingPrompts : public ScriptedPrompts {
public:
    bool confirm(const std::string& text) override {
        vkr::forms().form2->FormActivate();
        ScriptedPrompts::confirm(text);
        return true;
    }
};

} // namespace

class ModEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

    TForm2* form() { return vkr::forms().form2; }
    Ui::TForm2* ui() { return form()->ui(); }
    Ui::TForm1* main() { return vkr::forms().form1->ui(); }

    // Starts the launcher over the standard registry with these mod rows and opens the editor
    // from the main window's menu.
    void open(const std::string& mods = {}) {
        fx->writeStandardRegistry(mods);
        fx->start();
        vkr::forms().form1->show();
        QVERIFY(QTest::qWaitForWindowActive(vkr::forms().form1));
        main()->Mods1->trigger();
        QVERIFY(QTest::qWaitForWindowActive(form()));
    }

    void save(bool withEnter) {
        if (withEnter) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        }
    }

    QStringList mainModList() {
        QStringList items;
        for (int i = 0; i < main()->ModList->count(); ++i) {
            QListWidgetItem* item = main()->ModList->item(i);
            items << item->text() + (item->checkState() == Qt::Checked ? "+" : "-");
        }
        return items;
    }

private slots:
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() { fx.reset(); }

    void windowAsDesigned() {
        open(threeMods());
        QCOMPARE(form()->windowTitle(), QString("Modifications"));
        QCOMPARE(form()->size(), QSize(291, 203));
        QCOMPARE(form()->minimumSize(), form()->maximumSize());
        QVERIFY(!(form()->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(!form()->isModal());
        QCOMPARE(ui()->ModList->geometry(), QRect(16, 8, 129, 21));
        QCOMPARE(ui()->GroupBox1->geometry(), QRect(8, 40, 273, 153));
        QCOMPARE(ui()->Name->geometry(), QRect(16, 32, 241, 21));
        QCOMPARE(ui()->Dir->geometry(), QRect(16, 72, 241, 21));
        QCOMPARE(ui()->BitBtn2->geometry(), QRect(24, 112, 89, 25));
        QCOMPARE(ui()->BitBtn2->text(), QString("&Save"));
        QVERIFY(ui()->BitBtn2->isDefault());
        QCOMPARE(ui()->BitBtn1->geometry(), QRect(168, 152, 89, 25));
        QCOMPARE(ui()->BitBtn1->parentWidget(), form());
        // Every label shows its whole caption inside the window.
        for (QLabel* label : form()->findChildren<QLabel*>()) {
            QRect r(label->mapTo(form(), QPoint(0, 0)), label->size());
            QVERIFY2(form()->rect().contains(r), qPrintable(label->text()));
            QVERIFY(label->width() >= label->sizeHint().width());
        }
        // Shown centred on the main window.
        QPoint centre = vkr::forms().form1->frameGeometry().center();
        // (within the few pixels of a window frame that only exists once shown)
        QVERIFY((form()->frameGeometry().center() - centre).manhattanLength() <= 6);
        QDir().mkpath("/tmp/shots");
        QVERIFY(form()->grab().save("/tmp/shots/mod_editor.png"));
    }

    void activationShowsFirstRow() {
        open(threeMods());
        QCOMPARE(ui()->ModList->count(), 3);
        QCOMPARE(ui()->ModList->currentIndex(), 0);
        QCOMPARE(ui()->ModList->currentText(), QString("Alpha"));
        QCOMPARE(ui()->Name->text(), QString("Alpha"));
        QCOMPARE(ui()->Dir->text(), QString("@alpha"));
        pick(ui()->ModList, 2);
        QCOMPARE(ui()->ModList->currentIndex(), 2);
        QCOMPARE(ui()->Name->text(), QString("Charlie"));
        QCOMPARE(ui()->Dir->text(), QString("@charlie"));
    }

    void typedNameInEmptyTable_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<bool>("withEnter");
        QTest::newRow("no dir, Save clicked") << "" << false;
        QTest::newRow("dir typed, Enter") << "@desert" << true;
    }
    void typedNameInEmptyTable() {
        QFETCH(QString, dir);
        QFETCH(bool, withEnter);
        ScriptedIds ids({4711});
        open();
        QCOMPARE(ui()->ModList->count(), 0);
        QCOMPARE(ui()->Name->text(), QString());
        QCOMPARE(ui()->Dir->text(), QString());
        ui()->ModList->lineEdit()->setFocus();
        const QString typed = "Desert";
        for (int n = 1; n <= typed.size(); ++n) {
            QTest::keyClick(ui()->ModList->lineEdit(), typed[n - 1].toLatin1());
            QCOMPARE(ui()->Name->text(), typed.left(n));
            QCOMPARE(ui()->Dir->text(), QString());
        }
        if (!dir.isEmpty()) {
            ui()->Dir->setFocus();
            QTest::keyClicks(ui()->Dir, dir);
        }
        save(withEnter);
        QCOMPARE(storedMods(*fx), QStringList{"4711:Desert:" + dir + ":0"});
        QCOMPARE(mainModList(), QStringList{"Desert-"});
        QCOMPARE(ui()->ModList->currentIndex(), 0);
        QCOMPARE(ui()->Dir->text(), dir);
        QVERIFY(fx->prompts.errors().empty());
    }

    void editingSelectedRowKeepsIdAndTick() {
        open(threeMods());
        pick(ui()->ModList, 2);
        ui()->Dir->setFocus();
        ui()->Dir->selectAll();
        QTest::keyClicks(ui()->Dir, "@charlie2");
        ui()->Name->setFocus();
        QTest::keyClicks(ui()->Name, "!");
        save(true);
        QCOMPARE(storedMods(*fx), (QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:0",
                                               "33:Charlie!:@charlie2:1"}));
        QCOMPARE(mainModList(), (QStringList{"Alpha+", "Bravo-", "Charlie!+"}));
        // The refill selects item 0 again.
        QCOMPARE(ui()->ModList->currentIndex(), 0);
        QCOMPARE(ui()->Name->text(), QString("Alpha"));
    }

    void typedDuplicateNameAddsRow_data() {
        QTest::addColumn<bool>("withEnter");
        QTest::newRow("Save clicked") << false;
        QTest::newRow("Enter in the list's edit field") << true;
    }
    void typedDuplicateNameAddsRow() {
        QFETCH(bool, withEnter);
        // The first two draws are ids in use and must be drawn again.
        ScriptedIds ids({22, 11, 5});
        open(threeMods());
        typeInto(ui()->ModList, "Bravo");
        QCOMPARE(ui()->ModList->currentIndex(), -1);
        QCOMPARE(ui()->Name->text(), QString("Bravo"));
        QCOMPARE(ui()->Dir->text(), QString());
        save(withEnter);
        QCOMPARE(ids.left(), size_t(0));
        // Enumeration order: the new row 5 comes last, after 33 ("5" sorts after "33").
        QCOMPARE(storedMods(*fx), (QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:0",
                                               "33:Charlie:@charlie:1", "5:Bravo::0"}));
    }

    void newRowTakesItsPlaceInEnumerationOrder() {
        ScriptedIds ids({150});
        open(threeMods());
        typeInto(ui()->ModList, "Delta");
        save(false);
        QCOMPARE(mainModList(), (QStringList{"Alpha+", "Delta-", "Bravo-", "Charlie+"}));
        QCOMPARE(ui()->ModList->itemText(1), QString("Delta"));
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void deleteAsksFirst() {
        QFETCH(bool, answer);
        open(threeMods());
        const std::string before = fx->readRegistryText();
        pick(ui()->ModList, 1);
        fx->prompts.confirmAnswers = {answer};
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QCOMPARE(fx->prompts.texts(ScriptedPrompts::Shown::Confirm),
                 std::vector<std::string>{"Are you sure?"});
        if (answer) {
            // The rows either side keep their ticks.
            QCOMPARE(storedMods(*fx), (QStringList{"11:Alpha:@alpha:1", "33:Charlie:@charlie:1"}));
            QCOMPARE(mainModList(), (QStringList{"Alpha+", "Charlie+"}));
            QCOMPARE(ui()->ModList->count(), 2);
        } else {
            QCOMPARE(fx->readRegistryText(), before);
            QCOMPARE(vkr::store().mods.count(), 3);
            QCOMPARE(ui()->ModList->currentIndex(), 1);
        }
    }

    void deleteTakesSelectionBeforeTheQuestion() {
        open(threeMods());
        ReactivatingPrompts prompts;
        pick(ui()->ModList, 2);
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QCOMPARE(storedMods(*fx), (QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:0"}));
    }

    void deleteWithTypedNameStillSavesAndReloads() {
        open(threeMods());
        // A tick changed in the main window lives in memory until the next save.
        main()->ModList->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(storedMods(*fx).at(1), QString("22:Bravo:@bravo:0"));
        typeInto(ui()->ModList, "Bravo");
        fx->prompts.confirmAnswers = {true};
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QCOMPARE(storedMods(*fx),
                 (QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:1", "33:Charlie:@charlie:1"}));
        QCOMPARE(ui()->ModList->currentIndex(), 0);
        QCOMPARE(ui()->Name->text(), QString("Alpha"));
    }

    void switchingWindowsLosesEdits() {
        open(threeMods());
        pick(ui()->ModList, 1);
        ui()->Name->setText("Unsaved");
        ui()->Dir->setText("@unsaved");
        vkr::forms().form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(vkr::forms().form1));
        form()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form()));
        QCOMPARE(ui()->ModList->currentIndex(), 0);
        QCOMPARE(ui()->Name->text(), QString("Alpha"));
        QCOMPARE(ui()->Dir->text(), QString("@alpha"));
        QCOMPARE(vkr::store().mods[1].name, std::string("Bravo"));
    }

    void fullTableRefusesNewRow() {
        std::string mods;
        for (int id = 0; id < vkr::ModTable::capacity; ++id) {
            mods += modSection(id, "m" + std::to_string(id), "@m", false);
        }
        open(mods);
        QCOMPARE(vkr::store().mods.count(), 1025);
        const std::string before = fx->readRegistryText();
        typeInto(ui()->ModList, "One too many");
        save(false);
        QCOMPARE(fx->prompts.messages(), std::vector<std::string>{vkr::tableFullMessage("mods")});
        QCOMPARE(vkr::store().mods.count(), 1025);
        QCOMPARE(fx->readRegistryText(), before);
        // Changing a row of the full table still works.
        pick(ui()->ModList, 3);
        ui()->Dir->setText("@changed");
        save(false);
        QCOMPARE(storedMods(*fx).at(3).section(':', 2, 2), QString("@changed"));
    }

    void failedSaveIsReportedAndChangeStays() {
        // A server row that cannot be read stops the load, so saves leave the servers alone
        // and say so.
        open(threeMods() + "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\abc]\n\n");
        QCOMPARE(fx->prompts.errors().size(), size_t(1));
        fx->prompts.clear();
        ScriptedIds ids({44});
        typeInto(ui()->ModList, "Delta");
        save(false);
        QCOMPARE(fx->prompts.errors().size(), size_t(1));
        QCOMPARE(vkr::store().mods.count(), 4);
        QCOMPARE(vkr::store().mods[3].name, std::string("Delta"));
        // The click ended before the refill: the typed name is still there.
        QCOMPARE(ui()->ModList->currentIndex(), -1);
        QCOMPARE(ui()->ModList->currentText(), QString("Delta"));
    }
};

QTEST_MAIN(ModEditorTest)
#include "gui_mod_editor.moc"
