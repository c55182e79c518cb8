// The options dialog over a registry file in a temporary folder, driven offscreen.
#include "app/TForm1.h"
#include "app/window.h"
#include "dialogs/TFormOptions.h"
#include "support/launcher_fixture.h"
#include "ui_TForm1.h"
#include "ui_TFormOptions.h"

#include <QDir>
#include <QListWidget>
#include <QtTest>

#include <sndfile.h>

#include <vector>

using vkr::Hive;

namespace {

const std::string kUser = "\\Software\\VKR Launcher2\\";

// Values that override those of the standard registry's launcher key.
std::string launcherValues(const std::string& lines) {
    return "[HKEY_CURRENT_USER\\Software\\VKR Launcher2]\n" + lines + "\n";
}

std::string soundValues(int watchers, const std::string& sound1, const std::string& sound2) {
    char mode[16];
    std::snprintf(mode, sizeof mode, "%08x", static_cast<unsigned>(watchers));
    return launcherValues("\"watchers\"=dword:" + std::string(mode) + "\n\"sound1\"=\"" + sound1 +
                          "\"\n\"sound2\"=\"" + sound2 + "\"\n");
}

bool activate(QWidget* w) {
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<LauncherFixture> fx;

    TFormOptions* form() { return vkr::forms().formOptions; }
    Ui::TFormOptions* ui() { return form()->ui(); }

    // Opens the dialog from the main window's menu, as the user does: the main window becomes
    // active first.
    bool open() {
        if (!activate(vkr::forms().form1)) {
            return false;
        }
        vkr::forms().form1->ui()->Options2->trigger();
        return QTest::qWaitForWindowActive(form());
    }

    void start(const std::string& extra) {
        fx->writeStandardRegistry(extra);
        fx->start();
        vkr::forms().form1->show();
    }

    uint32_t storedDword(const std::string& name) {
        auto v = fx->stored(Hive::CurrentUser, kUser, name);
        return v ? v->asDword() : 0xdeadbeef;
    }
    QString storedText(const std::string& name) {
        auto v = fx->stored(Hive::CurrentUser, kUser, name);
        return v ? QString::fromStdString(v->asText()) : QString("<missing>");
    }

    QString selectedMode() {
        for (QRadioButton* b : {ui()->sounds1, ui()->sounds2, ui()->sounds3}) {
            if (b->isChecked()) {
                return b->objectName();
            }
        }
        return "none";
    }
    // "on" or "off" when the four custom-sound controls agree, "mixed" otherwise.
    QString customState() {
        const QList<bool> states{ui()->sound1->isEnabled(), ui()->sound2->isEnabled(),
                                 ui()->Button1->isEnabled(), ui()->Button2->isEnabled()};
        return states.count(true) == 4 ? "on" : states.count(false) == 4 ? "off" : "mixed";
    }

    // Steps: "Name" clicks that control; "Name=text" replaces the text of an edit field by
    // typing it.
    void perform(const QStringList& steps) {
        for (const QString& step : steps) {
            const int eq = step.indexOf('=');
            if (eq < 0) {
                auto* b = form()->findChild<QAbstractButton*>(step);
                QVERIFY2(b, qPrintable(step));
                QTest::mouseClick(b, Qt::LeftButton);
            } else {
                auto* edit = form()->findChild<QLineEdit*>(step.left(eq));
                QVERIFY2(edit, qPrintable(step));
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                QTest::keyClicks(edit, step.mid(eq + 1));
            }
        }
    }

private slots:
    void init() { fx = std::make_unique<LauncherFixture>(); }
    void cleanup() { fx.reset(); }

    void windowAsDesigned() {
        start(soundValues(2, "/s/new.wav", "/s/player.wav"));
        QVERIFY(open());
        QCOMPARE(form()->windowTitle(), QString("Options"));
        QCOMPARE(form()->size(), QSize(443, 233));
        QCOMPARE(form()->minimumSize(), form()->maximumSize());
        const Qt::WindowFlags flags = form()->windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                           Qt::WindowContextHelpButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(ui()->BitBtn2->isDefault());
        QVERIFY(!ui()->BitBtn2->icon().isNull());
        QVERIFY(!ui()->BitBtn1->icon().isNull());

        const QString dir = QString(VKR_BINARY_DIR) + "/screenshots";
        QDir().mkpath(dir);
        QVERIFY(form()->grab().save(dir + "/options-offscreen.png"));
        for (auto* b : form()->findChildren<QAbstractButton*>()) {
            const QString text = QString(b->text()).remove('&');
            const int needed = b->sizeHint().width();
            QVERIFY2(needed <= b->width() || text == "...",
                     qPrintable(b->objectName() + " needs " + QString::number(needed)));
        }
        for (auto* l : form()->findChildren<QLabel*>()) {
            QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->objectName()));
        }
    }

    // The focus chain the design gives; Tab itself treats the radio buttons as one stop.
    void tabOrder() {
        start("");
        QStringList chain;
        QWidget* w = ui()->CheckBox1;
        do {
            if (w->focusPolicy() & Qt::TabFocus) {
                chain << w->objectName();
            }
            w = w->nextInFocusChain();
        } while (w != ui()->CheckBox1);
        QCOMPARE(chain,
                 (QStringList{"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                              "CheckBox6", "sounds1", "sounds2", "sounds3", "sound1", "sound2",
                              "Button1", "Button2", "BitBtn1", "BitBtn2"}));
    }

    void activationLoads_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("sound1");
        QTest::addColumn<QString>("sound2");
        QTest::addColumn<QList<bool>>("checks"); // CheckBox1 .. CheckBox5

        // The standard registry: nosplash on, window and close off, nomap and flash missing.
        QTest::newRow("disabled") << QString::fromStdString(soundValues(0, "/s/new.wav", "p.wav"))
                                  << "sounds1" << false << "/s/new.wav"
                                  << "p.wav" << QList<bool>{true, false, false, false, true};
        QTest::newRow("default sounds keep the names")
            << QString::fromStdString(soundValues(1, "/s/new.wav", "/s/player.wav")) << "sounds2"
            << false << "/s/new.wav"
            << "/s/player.wav" << QList<bool>{true, false, false, false, true};
        QTest::newRow("custom") << QString::fromStdString(
                                       soundValues(2, "/s/new.wav", "/s/player.wav"))
                                << "sounds3" << true << "/s/new.wav"
                                << "/s/player.wav" << QList<bool>{true, false, false, false, true};
        QTest::newRow("unknown mode selects nothing")
            << QString::fromStdString(soundValues(7, "x", "y")) << "none" << true << "x"
            << "y" << QList<bool>{true, false, false, false, true};
        QTest::newRow("flags") << QString::fromStdString(
                                      launcherValues("\"nosplash\"=dword:00000000\n"
                                                     "\"window\"=dword:00000001\n"
                                                     "\"close\"=dword:00000001\n"
                                                     "\"nomap\"=dword:00000001\n"
                                                     "\"flash\"=dword:00000000\n"))
                               << "sounds2" << false << "none"
                               << "none" << QList<bool>{false, true, true, true, false};
    }
    void activationLoads() {
        QFETCH(QString, values);
        QFETCH(QString, selected);
        QFETCH(bool, enabled);
        QFETCH(QString, sound1);
        QFETCH(QString, sound2);
        QFETCH(QList<bool>, checks);
        start(values.toStdString());
        QVERIFY(open());
        QCOMPARE(selectedMode(), selected);
        QCOMPARE(customState(), QString(enabled ? "on" : "off"));
        QVERIFY(ui()->Label1->isEnabled() && ui()->Label2->isEnabled());
        QCOMPARE(ui()->sound1->text(), sound1);
        QCOMPARE(ui()->sound2->text(), sound2);
        const QList<bool> shown{ui()->CheckBox1->isChecked(), ui()->CheckBox2->isChecked(),
                                ui()->CheckBox3->isChecked(), ui()->CheckBox4->isChecked(),
                                ui()->CheckBox5->isChecked()};
        QCOMPARE(shown, checks);
    }

    void selectingEnables_data() {
        QTest::addColumn<int>("watchers");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("custom from default") << 1 << QStringList{"sounds3"} << true;
        QTest::newRow("custom then disabled") << 1 << QStringList{"sounds3", "sounds1"} << false;
        QTest::newRow("custom then default") << 2 << QStringList{"sounds2"} << false;
        QTest::newRow("from none to disabled") << 7 << QStringList{"sounds1"} << false;
        QTest::newRow("back to custom") << 0 << QStringList{"sounds2", "sounds3"} << true;
    }
    void selectingEnables() {
        QFETCH(int, watchers);
        QFETCH(QStringList, clicks);
        QFETCH(bool, enabled);
        start(soundValues(watchers, "a.wav", "b.wav"));
        QVERIFY(open());
        perform(clicks);
        QCOMPARE(selectedMode(), clicks.last());
        QCOMPARE(customState(), QString(enabled ? "on" : "off"));
        QCOMPARE(ui()->sound1->text(), QString("a.wav"));
    }

    // A reload that brings an unknown mode deselects all three; the fields keep their state.
    void reloadToUnknownModeSelectsNothing() {
        start(soundValues(1, "a.wav", "b.wav"));
        QVERIFY(open());
        QCOMPARE(selectedMode(), QString("sounds2"));
        fx->writeStandardRegistry(soundValues(9, "a.wav", "b.wav"));
        vkr::forms().form1->ReadRegistry();
        QVERIFY(activate(vkr::forms().form1));
        QVERIFY(activate(form()));
        QCOMPARE(selectedMode(), QString("none"));
        QCOMPARE(customState(), QString("off"));
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QCOMPARE(storedDword("watchers"), 9u);
    }

    void okStores_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<uint>>("flags"); // nosplash window close nomap flash watchers
        QTest::addColumn<QString>("sound1");
        QTest::addColumn<QString>("sound2");

        QTest::newRow("unchanged")
            << QString() << QStringList{} << QList<uint>{1, 0, 0, 0, 1, 1} << "none"
            << "none";
        QTest::newRow("every check box")
            << QString()
            << QStringList{"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"}
            << QList<uint>{0, 1, 1, 1, 0, 1} << "none"
            << "none";
        QTest::newRow("custom files typed as they are")
            << QString() << QStringList{"sounds3", "sound1=  /s/new game.wav ", "sound2=b"}
            << QList<uint>{1, 0, 0, 0, 1, 2} << "  /s/new game.wav "
            << "b";
        QTest::newRow("disable sounds keeps both texts")
            << QString::fromStdString(soundValues(2, "a.wav", "b.wav"))
            << QStringList{"sound1=c.wav", "sounds1"} << QList<uint>{1, 0, 0, 0, 1, 0} << "c.wav"
            << "b.wav";
        QTest::newRow("unknown mode kept")
            << QString::fromStdString(soundValues(7, "a.wav", "b.wav")) << QStringList{"CheckBox2"}
            << QList<uint>{1, 1, 0, 0, 1, 7} << "a.wav"
            << "b.wav";
        QTest::newRow("empty texts stored empty")
            << QString::fromStdString(soundValues(2, "a.wav", "b.wav"))
            << QStringList{"sound1=", "sound2="} << QList<uint>{1, 0, 0, 0, 1, 2} << ""
            << "";
    }
    void okStores() {
        QFETCH(QString, values);
        QFETCH(QStringList, steps);
        QFETCH(QList<uint>, flags);
        QFETCH(QString, sound1);
        QFETCH(QString, sound2);
        start(values.toStdString());
        QVERIFY(open());
        perform(steps);
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QVERIFY(!form()->isVisible());
        const QList<uint> stored{storedDword("nosplash"), storedDword("window"),
                                 storedDword("close"),    storedDword("nomap"),
                                 storedDword("flash"),    storedDword("watchers")};
        QCOMPARE(stored, flags);
        QCOMPARE(storedText("sound1"), sound1);
        QCOMPARE(storedText("sound2"), sound2);
        QCOMPARE(vkr::store().settings.watchers, static_cast<int32_t>(flags.last()));
    }

    // A path that is not UTF-8 is written back byte for byte unless the user changed its field.
    void pathsKeepTheirBytes_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QByteArray>("sound1");
        QTest::addColumn<QByteArray>("sound2");
        QTest::newRow("nothing touched")
            << QStringList{} << QByteArray("/snd/b\xe4.wav") << QByteArray("/snd/\xff");
        QTest::newRow("another control changed")
            << QStringList{"CheckBox2", "sound2=/snd/c.wav"} << QByteArray("/snd/b\xe4.wav")
            << QByteArray("/snd/c.wav");
        QTest::newRow("the path retyped") << QStringList{"sound1=/snd/d.wav"}
                                          << QByteArray("/snd/d.wav") << QByteArray("/snd/\xff");
    }
    void pathsKeepTheirBytes() {
        QFETCH(QStringList, steps);
        QFETCH(QByteArray, sound1);
        QFETCH(QByteArray, sound2);
        start(soundValues(2, "/snd/b\xe4.wav", "/snd/\xff"));
        QVERIFY(open());
        perform(steps);
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        auto stored = [&](const char* name) {
            auto v = fx->stored(Hive::CurrentUser, kUser, name);
            return v ? QByteArray::fromStdString(v->asText()) : QByteArray("<missing>");
        };
        QCOMPARE(stored("sound1"), sound1);
        QCOMPARE(stored("sound2"), sound2);
    }

    // "Desktop notifications": on unless stored as 0; OK stores the tick as "notify".
    void notifications_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<bool>("clicked");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<uint>("stored");
        QTest::newRow("absent: on") << QString() << false << true << 1u;
        QTest::newRow("absent, turned off") << QString() << true << true << 0u;
        QTest::newRow("stored off")
            << QString::fromStdString(launcherValues("\"notify\"=dword:00000000")) << false << false
            << 0u;
        QTest::newRow("stored off, turned on")
            << QString::fromStdString(launcherValues("\"notify\"=dword:00000000")) << true << false
            << 1u;
    }
    void notifications() {
        QFETCH(QString, values);
        QFETCH(bool, clicked);
        QFETCH(bool, shown);
        QFETCH(uint, stored);
        start(values.toStdString());
        QVERIFY(open());
        QCOMPARE(ui()->CheckBox6->isChecked(), shown);
        QCOMPARE(ui()->notifyNote->text(), QString("No service found")); // no session bus
        if (clicked) {
            QTest::mouseClick(ui()->CheckBox6, Qt::LeftButton);
        }
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QCOMPARE(storedDword("notify"), stored);
        QCOMPARE(vkr::store().settings.notify, stored == 1);
    }

    // A sound file longer than 30 s plays its first 30 s: a line under the fields says which,
    // when the dialog opens and as a path is typed.
    void longSoundsNoted_data() {
        QTest::addColumn<QString>("sound1");
        QTest::addColumn<QString>("sound2");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("note");
        QTest::newRow("short ones") << "1s.wav"
                                    << "30s.wav" << QStringList() << "";
        QTest::newRow("a long new game sound")
            << "31s.wav"
            << "1s.wav" << QStringList() << "Plays only 30 s: New game sound";
        QTest::newRow("a long players sound, the other missing")
            << "missing.wav"
            << "31s.wav" << QStringList() << "Plays only 30 s: Players sound";
        QTest::newRow("both long") << "31s.wav"
                                   << "31s.wav" << QStringList() << "Plays only 30 s: both sounds";
        QTest::newRow("a long one typed")
            << "1s.wav"
            << "1s.wav" << QStringList{"sound2=31s.wav"} << "Plays only 30 s: Players sound";
        QTest::newRow("a short one typed over a long one")
            << "31s.wav"
            << "1s.wav" << QStringList{"sound1=1s.wav"} << "";
    }
    void longSoundsNoted() {
        QFETCH(QString, sound1);
        QFETCH(QString, sound2);
        QFETCH(QStringList, steps);
        QFETCH(QString, note);
        const QString dir = QString::fromStdString(fx->folder("sounds")) + "/";
        for (int seconds : {1, 30, 31}) {
            SF_INFO info{};
            info.samplerate = 8000;
            info.channels = 1;
            info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
            SNDFILE* f = sf_open(QString(dir + "%1s.wav").arg(seconds).toLocal8Bit().constData(),
                                 SFM_WRITE, &info);
            QVERIFY(f);
            const std::vector<short> silence(8000 * size_t(seconds));
            sf_writef_short(f, silence.data(), sf_count_t(silence.size()));
            sf_close(f);
        }
        start(soundValues(2, (dir + sound1).toStdString(), (dir + sound2).toStdString()));
        QVERIFY(open());
        for (QString step : steps) {
            perform({step.replace("=", "=" + dir)});
        }
        QCOMPARE(ui()->soundNote->text(), note);
        QVERIFY(ui()->soundNote->sizeHint().width() <= ui()->soundNote->width());
        if (QTest::currentDataTag() == QByteArray("both long")) {
            QVERIFY(
                form()->grab().save(QString(VKR_BINARY_DIR) + "/screenshots/options-sounds.png"));
        }
    }

    void okWritesTheTablesToo() {
        start("[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\mods\\12]\n\"name\"=\"Desert\"\n"
              "\"dir\"=\"@desert\"\n\"checked\"=dword:00000000\n\n"
              "[HKEY_CURRENT_USER\\Software\\VKR Launcher2\\servers\\40]\n\"name\"=\"Home\"\n"
              "\"ip\"=\"127.0.0.1\"\n\"port\"=\"2300\"\n\"pass\"=\"\"\n"
              "\"sockets\"=dword:00000001\n\"mods\"=\"@desert;\"\n\n");
        // A tick in the main window lives in memory until the next save.
        QListWidget* mods = vkr::forms().form1->ui()->ModList;
        QCOMPARE(mods->count(), 1);
        mods->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(fx->stored(Hive::CurrentUser, kUser + "mods\\12", "checked")->asDword(), 0u);
        QVERIFY(open());
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QCOMPARE(fx->stored(Hive::CurrentUser, kUser + "mods\\12", "checked")->asDword(), 1u);
        QCOMPARE(fx->storedSubkeys(Hive::CurrentUser, kUser + "servers"),
                 std::vector<std::string>{"40"});
        QCOMPARE(fx->stored(Hive::CurrentUser, kUser + "servers\\40", "mods")->asText(),
                 std::string("@desert;"));
        QCOMPARE(storedText("executable"), QString::fromStdString(fx->executablePath()));
    }

    void cancelStoresNothing() {
        start(soundValues(1, "a.wav", "b.wav"));
        const std::string before = fx->readRegistryText();
        QVERIFY(open());
        perform({"CheckBox1", "CheckBox5", "sounds3", "sound1=changed.wav"});
        QTest::mouseClick(ui()->BitBtn1, Qt::LeftButton);
        QVERIFY(!form()->isVisible());
        QCOMPARE(fx->readRegistryText(), before);
        QCOMPARE(vkr::store().settings.watchers, 1);
        QCOMPARE(vkr::store().settings.sound1, std::string("a.wav"));
        QVERIFY(open());
        QVERIFY(ui()->CheckBox1->isChecked());
        QVERIFY(ui()->CheckBox5->isChecked());
        QCOMPARE(selectedMode(), QString("sounds2"));
        QCOMPARE(customState(), QString("off"));
        QCOMPARE(ui()->sound1->text(), QString("a.wav"));
    }

    void reactivationReloads() {
        start(soundValues(0, "a.wav", "b.wav"));
        QVERIFY(open());
        perform({"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "sounds3",
                 "sound1=x.wav", "sound2=y.wav"});
        QVERIFY(activate(vkr::forms().form1));
        QVERIFY(form()->isVisible());
        QVERIFY(activate(form()));
        QCOMPARE(ui()->CheckBox1->isChecked(), true);
        QCOMPARE(ui()->CheckBox2->isChecked(), false);
        QCOMPARE(ui()->CheckBox3->isChecked(), false);
        QCOMPARE(ui()->CheckBox4->isChecked(), false);
        QCOMPARE(ui()->CheckBox5->isChecked(), true);
        QCOMPARE(selectedMode(), QString("sounds1"));
        QCOMPARE(customState(), QString("off"));
        QCOMPARE(ui()->sound1->text(), QString("a.wav"));
        QCOMPARE(ui()->sound2->text(), QString("b.wav"));
    }

    void browse_data() {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QStringList>("answers"); // "" is a cancelled dialog
        QTest::addColumn<QString>("sound1");
        QTest::addColumn<QString>("sound2");
        QTest::newRow("new-game sound chosen")
            << QStringList{"Button2"} << QStringList{"/s/new.wav"} << "/s/new.wav"
            << "b.wav";
        QTest::newRow("players sound chosen")
            << QStringList{"Button1"} << QStringList{"/s/join.wav"} << "a.wav"
            << "/s/join.wav";
        QTest::newRow("cancel before any choice keeps the field")
            << QStringList{"Button2"} << QStringList{""} << "a.wav"
            << "b.wav";
        QTest::newRow("cancel after a choice for the other field keeps the field")
            << QStringList{"Button2", "Button1"} << QStringList{"/s/new.wav", ""} << "/s/new.wav"
            << "b.wav";
        QTest::newRow("one dialog for both") << QStringList{"Button1", "Button2"}
                                             << QStringList{"/s/1.wav", "/s/2.wav"} << "/s/2.wav"
                                             << "/s/1.wav";
    }
    void browse() {
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, answers);
        QFETCH(QString, sound1);
        QFETCH(QString, sound2);
        start(soundValues(2, "a.wav", "b.wav"));
        for (const QString& a : answers) {
            fx->prompts.fileAnswers.push_back(a.isEmpty() ? std::nullopt
                                                          : std::optional(a.toStdString()));
        }
        QVERIFY(open());
        perform(buttons);
        QCOMPARE(fx->prompts.texts(ScriptedPrompts::Shown::OpenFile),
                 std::vector<std::string>(buttons.size(), "WAV files|*.wav|All files|*.*"));
        QCOMPARE(ui()->sound1->text(), sound1);
        QCOMPARE(ui()->sound2->text(), sound2);
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QCOMPARE(storedText("sound1"), sound1);
        QCOMPARE(storedText("sound2"), sound2);
    }

    void enterConfirms_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("check box") << "CheckBox3" << int(Qt::Key_Return);
        QTest::newRow("radio button") << "sounds3" << int(Qt::Key_Return);
        QTest::newRow("edit field") << "sound2" << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << "sound1" << int(Qt::Key_Enter);
    }
    void enterConfirms() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        start(soundValues(2, "a.wav", "b.wav"));
        QVERIFY(open());
        perform({"CheckBox2"});
        auto* w = form()->findChild<QWidget*>(focus);
        w->setFocus();
        QTest::keyClick(w, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(!form()->isVisible());
        QCOMPARE(storedDword("window"), 1u);
    }

    // Esc is Cancel, wherever the focus is: the dialog closes, nothing is stored, and the next
    // opening shows the stored options again.
    void escapeCancels_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("check box") << "CheckBox2";
        QTest::newRow("radio button") << "sounds3";
        QTest::newRow("edit field") << "sound1";
        QTest::newRow("OK button") << "BitBtn2";
    }
    void escapeCancels() {
        QFETCH(QString, focus);
        start(soundValues(2, "a.wav", "b.wav"));
        const std::string before = fx->readRegistryText();
        QVERIFY(open());
        perform({"CheckBox2"});
        auto* w = form()->findChild<QWidget*>(focus);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!form()->isVisible());
        QCOMPARE(fx->readRegistryText(), before);
        QVERIFY(!vkr::store().settings.window);
        QVERIFY(open());
        QVERIFY(!ui()->CheckBox2->isChecked());
    }

    void saveFailureIsReportedAndKeepsTheDialogOpen() {
        start("");
        QVERIFY(open());
        // A folder in place of the registry file: the save cannot read or replace it.
        QVERIFY(QFile::remove(QString::fromStdString(fx->registryPath())));
        QVERIFY(QDir().mkpath(QString::fromStdString(fx->registryPath() + "/in-the-way")));
        perform({"CheckBox2"});
        QTest::mouseClick(ui()->BitBtn2, Qt::LeftButton);
        QCOMPARE(fx->prompts.errors().size(), size_t(1));
        QVERIFY(form()->isVisible());
    }
};

QTEST_MAIN(OptionsTest)
#include "gui_options.moc"
