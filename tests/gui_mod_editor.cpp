// The "Modifications" window driven offscreen over a registry file in a temporary folder.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TForm2.h"
#include "editor_rows.h"
#include "ui_TForm1.h"
#include "ui_TForm2.h"

#include <QtTest>

using namespace editor_rows;

namespace {

// Alpha (11, ticked), Bravo (22), Charlie (33, ticked).
const std::string kThreeMods = modSection(11, "Alpha", "@alpha", true) +
                               modSection(22, "Bravo", "@bravo", false) +
                               modSection(33, "Charlie", "@charlie", true);

// Answers Yes, after refilling the editor while the question waits, as anything that refills
// the window during the question's event loop would.
class ReactivatingPrompts : public ScriptedPrompts {
public:
    bool confirm(const std::string&) override {
        vkr::forms().form2->FormActivate();
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

    void activate(QWidget* w) {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    // Starts the launcher over these mod rows and opens the editor from the main window's menu.
    void open(const std::string& mods) {
        fx->writeStandardRegistry(mods);
        fx->start();
        vkr::forms().form1->show();
        activate(vkr::forms().form1);
        main()->Mods1->trigger();
        QVERIFY(QTest::qWaitForWindowActive(form()));
    }
    void save(bool withEnter = false) {
        if (withEnter) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        }
    }
    QString shown() { return ui()->Name->text() + "|" + ui()->Dir->text(); }

private slots:
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() { fx.reset(); }

    void windowAsDesigned() {
        open(kThreeMods);
        QCOMPARE(form()->windowTitle(), QString("Modifications"));
        QCOMPARE(form()->maximumSize(), QSize(291, 203));
        QCOMPARE(form()->minimumSize(), QSize(291, 203));
        QVERIFY(!(form()->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(!form()->isModal());
        QVERIFY(ui()->BitBtn2->isDefault());
        for (QLabel* label : form()->findChildren<QLabel*>()) {
            QRect r(label->mapTo(form(), QPoint(0, 0)), label->sizeHint());
            QVERIFY2(form()->rect().contains(r), qPrintable(label->text()));
        }
        QDir().mkpath("/tmp/shots");
        QVERIFY(form()->grab().save("/tmp/shots/mod_editor.png"));
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
        open({});
        QCOMPARE(ui()->ModList->count(), 0);
        QCOMPARE(shown(), QString("|"));
        ui()->ModList->lineEdit()->setFocus();
        for (QString typed : {"D", "De", "Des"}) {
            QTest::keyClick(ui()->ModList->lineEdit(), typed.back().toLatin1());
            QCOMPARE(shown(), typed + "|");
        }
        ui()->Dir->setFocus();
        QTest::keyClicks(ui()->Dir, dir);
        save(withEnter);
        QCOMPARE(storedMods(*fx), QStringList{"4711:Des:" + dir + ":0"});
        QCOMPARE(main()->ModList->item(0)->text(), QString("Des"));
        QCOMPARE(main()->ModList->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(shown(), "Des|" + dir);
    }

    void editingSelectedRowKeepsIdAndTick() {
        open(kThreeMods);
        QCOMPARE(shown(), QString("Alpha|@alpha"));
        pick(ui()->ModList, 2);
        QCOMPARE(shown(), QString("Charlie|@charlie"));
        ui()->Dir->setText("@charlie2");
        save();
        QCOMPARE(storedMods(*fx),
                 (QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:0", "33:Charlie:@charlie2:1"}));
        QCOMPARE(ui()->ModList->currentIndex(), 0);
    }

    void typedDuplicateNameAddsRow_data() {
        QTest::addColumn<bool>("withEnter");
        QTest::newRow("Save clicked") << false;
        QTest::newRow("Enter in the list's edit field") << true;
    }
    void typedDuplicateNameAddsRow() {
        QFETCH(bool, withEnter);
        ScriptedIds ids({22, 11, 5}); // two ids in use, drawn again
        open(kThreeMods);
        typeInto(ui()->ModList, "Bravo");
        QCOMPARE(ui()->ModList->currentIndex(), -1);
        QCOMPARE(shown(), QString("Bravo|"));
        save(withEnter);
        QCOMPARE(ids.left(), size_t(0));
        QCOMPARE(storedMods(*fx), (QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:0",
                                               "33:Charlie:@charlie:1", "5:Bravo::0"}));
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Yes") << true << false
                             << QStringList{"11:Alpha:@alpha:1", "33:Charlie:@charlie:1"};
        QTest::newRow("No") << false << false
                            << QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:0",
                                           "33:Charlie:@charlie:1"};
        // Nothing removed, but the tick made in the main window is saved.
        QTest::newRow("Yes, typed name")
            << true << true
            << QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:1", "33:Charlie:@charlie:1"};
    }
    void deleteAsksFirst() {
        QFETCH(bool, answer);
        QFETCH(bool, typed);
        QFETCH(QStringList, stored);
        open(kThreeMods);
        main()->ModList->item(1)->setCheckState(Qt::Checked);
        if (typed) {
            typeInto(ui()->ModList, "Bravo");
        } else {
            pick(ui()->ModList, 1);
        }
        fx->prompts.confirmAnswers = {answer};
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QCOMPARE(fx->prompts.texts(ScriptedPrompts::Shown::Confirm),
                 std::vector<std::string>{"Are you sure?"});
        QCOMPARE(storedMods(*fx), stored);
        QCOMPARE(vkr::store().mods.count(), answer && !typed ? 2 : 3);
        QCOMPARE(ui()->ModList->currentIndex(), answer ? 0 : 1);
    }

    void deleteTakesSelectionBeforeTheQuestion() {
        open(kThreeMods);
        ReactivatingPrompts prompts;
        pick(ui()->ModList, 2);
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QCOMPARE(storedMods(*fx), (QStringList{"11:Alpha:@alpha:1", "22:Bravo:@bravo:0"}));
    }

    // Esc closes the editor wherever the focus is, as its close box does: nothing typed is
    // stored, and the main window stays.
    void escapeCloses_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("list's edit field") << "ModList";
        QTest::newRow("name") << "Name";
        QTest::newRow("Save") << "BitBtn2";
    }
    void escapeCloses() {
        QFETCH(QString, focus);
        open(kThreeMods);
        const std::string before = fx->readRegistryText();
        ui()->Name->setText("Unsaved");
        auto* w = form()->findChild<QWidget*>(focus);
        w->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(form()->isHidden());
        QVERIFY(vkr::forms().form1->isVisible());
        QCOMPARE(fx->readRegistryText(), before);
        QCOMPARE(vkr::store().mods[0].name, std::string("Alpha"));
    }

    void switchingWindowsLosesEdits() {
        open(kThreeMods);
        pick(ui()->ModList, 1);
        ui()->Name->setText("Unsaved");
        activate(vkr::forms().form1);
        activate(form());
        QCOMPARE(ui()->ModList->currentIndex(), 0);
        QCOMPARE(shown(), QString("Alpha|@alpha"));
        QCOMPARE(vkr::store().mods[1].name, std::string("Bravo"));
    }

    void fullTableRefusesNewRow() {
        std::string mods;
        for (int id = 0; id < vkr::ModTable::capacity; ++id) {
            mods += modSection(id, "m", "@m", false);
        }
        open(mods);
        const std::string before = fx->readRegistryText();
        typeInto(ui()->ModList, "One too many");
        save();
        QCOMPARE(fx->prompts.messages(), std::vector<std::string>{vkr::tableFullMessage("mods")});
        QCOMPARE(vkr::store().mods.count(), 1025);
        QCOMPARE(fx->readRegistryText(), before);
    }

    void failedSaveIsReportedAndChangeStays() {
        // A server row that cannot be read stops the load; saves then refuse to rewrite the
        // servers and say so, after writing the rest.
        open(kThreeMods + "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\abc]\n\n");
        fx->prompts.clear();
        ScriptedIds ids({44});
        typeInto(ui()->ModList, "Delta");
        save();
        QCOMPARE(fx->prompts.errors().size(), size_t(1));
        QCOMPARE(vkr::store().mods[3].name, std::string("Delta"));
        QCOMPARE(storedMods(*fx).constLast(), QString("44:Delta::0"));
        // The click ended before the refill.
        QCOMPARE(ui()->ModList->currentText(), QString("Delta"));
    }
};

QTEST_MAIN(ModEditorTest)
#include "gui_mod_editor.moc"
