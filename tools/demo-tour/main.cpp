// demo-tour FOLDER [--quit]: the launcher, which after its start opens its windows one after
// the other as a user would (menu entries and buttons), saves a picture of each to FOLDER and
// prints the picture's path. It then runs on as the launcher, with the watcher open on the
// last demo server, or quits with --quit. Run by scripts/run and scripts/screenshots on the
// demo settings with the demo servers answering.

#include "app/TForm1.h"
#include "app/startup.h"
#include "app/window.h"
#include "dialogs/TAboutDialog.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm3.h"
#include "dialogs/TFormFriends.h"
#include "dialogs/TFormOptions.h"
#include "status/TForm4.h"
#include "status/TFormDetails.h"
#include "status/TFormWatcher.h"
#include "status/play_history.h"
#include "ui_TForm1.h"
#include "ui_TForm4.h"
#include "ui_TFormWatcher.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

QString folder;
bool quitAfterTour = false;

// One step of the tour: what to do, how long to wait before the next step, and what to wait
// for after that (at most half a minute), if anything.
struct Step {
    std::function<void()> action;
    int waitMs;
    std::function<bool()> until = {};
};

bool hasText(const QAbstractItemView* grid) {
    return !grid->model()->index(0, 0).data().toString().isEmpty();
}

void saveShot(QWidget* window, const char* name) {
    const QString path = QDir(folder).absoluteFilePath(QString(name) + ".png");
    if (window->grab().save(path)) {
        std::printf("Screenshot: %s\n", path.toUtf8().constData());
    } else {
        std::fprintf(stderr, "demo-tour: could not save %s\n", path.toUtf8().constData());
    }
    std::fflush(stdout);
}

// The colours of a dark desktop, for a second picture of a window.
QPalette darkPalette() {
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase}) {
        p.setColor(role, window);
    }
    p.setColor(QPalette::Base, base);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(role, text);
    }
    p.setColor(QPalette::Mid, QColor(90, 90, 90));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// Opens a secondary window from the main window's menu, takes its picture and closes it.
std::vector<Step> menuWindow(QAction* entry, QWidget* window, const char* name) {
    return {{[entry] { entry->trigger(); }, 600},
            {[window, name] {
                 saveShot(window, name);
                 window->close();
             },
             300}};
}

std::vector<Step> tour() {
    const vkr::Forms& f = vkr::forms();
    Ui::TForm1* menu = f.form1->ui();
    Ui::TForm4* browser = f.form4->ui();
    Ui::TFormWatcher* watcher = f.formWatcher->ui();
    std::vector<Step> steps = {{[] {}, 1000}, {[f] { saveShot(f.form1, "main-window"); }, 300}};
    for (const auto& more : {menuWindow(menu->Mods1, f.form2, "mod-editor"),
                             menuWindow(menu->Servers1, f.form3, "server-editor"),
                             menuWindow(menu->Friends1, f.formFriends, "friends"),
                             menuWindow(menu->Options2, f.formOptions, "options"),
                             menuWindow(menu->About1, f.aboutDialog, "about")}) {
        steps.insert(steps.end(), more.begin(), more.end());
    }
    const std::vector<Step> rest = {
        // The browser asks the servers half a second after it opens.
        {[menu] { menu->BitBtn5->click(); }, 2500},
        {[browser] { browser->SGrid->setCurrentIndex(browser->SGrid->model()->index(0, 0)); }, 300,
         [browser] { return hasText(browser->PlrGrid); }},
        {[f] { saveShot(f.form4, "browser"); }, 300},
        // Two servers played on, the last one yesterday, shown alone, with a ping limit.
        {[browser] {
             vkr::Store& s = vkr::store();
             const auto now = std::chrono::system_clock::now();
             vkr::recordPlayed(s.settings.history, s.servers[2],
                               vkr::isoTime(now - std::chrono::hours(75)));
             vkr::recordPlayed(s.settings.history, s.servers[0],
                               vkr::isoTime(now - std::chrono::hours(26)));
             vkr::storeChanged(vkr::StorePart::history);
             browser->PlayedOnly->click();
             browser->MaxPing->setCurrentIndex(2);
         },
         300},
        {[f] { saveShot(f.form4, "browser-played-before"); }, 300},
        {[browser] {
             browser->PlayedOnly->click();
             browser->MaxPing->setCurrentIndex(0);
         },
         300},
        // The first server's details, after it has been refreshed a few times.
        {[f] { f.form4->ShowDetails(*f.form4->selectedServer()); }, 500},
        {[f] { f.form4->RefreshServer(*f.form4->selectedServer()); }, 500},
        {[f] { f.form4->RefreshServer(*f.form4->selectedServer()); }, 500},
        {[f] { f.form4->RefreshServer(*f.form4->selectedServer()); }, 500},
        {[f] { saveShot(f.form4->details(), "details"); }, 300},
        {[f] { f.form4->details()->setPalette(darkPalette()); }, 300},
        {[f] {
             saveShot(f.form4->details(), "details-dark");
             f.form4->details()->close();
         },
         300},
        // The last demo server is the one whose new game the watcher announces.
        {[browser] {
             QAbstractItemModel* rows = browser->SGrid->model();
             browser->SGrid->setCurrentIndex(rows->index(rows->rowCount() - 1, 0));
         },
         300},
        {[browser] { browser->BitBtn3->click(); }, 1500},
        {[f] { saveShot(f.formWatcher, "watcher-collapsed"); }, 300},
        // Its list is emptied when the window becomes active; the next poll fills it again.
        {[watcher] { watcher->SpeedButton1->click(); }, 300,
         [watcher] { return hasText(watcher->playerList); }},
        {[f] { saveShot(f.formWatcher, "watcher-expanded"); }, 0},
    };
    steps.insert(steps.end(), rest.begin(), rest.end());
    return steps;
}

using Steps = std::shared_ptr<std::vector<Step>>;

void runSteps(Steps steps, size_t next);

// Goes on with the step after step next once the condition of step next holds, or half a minute
// has passed.
void awaitCondition(Steps steps, size_t next, int triesLeft) {
    const Step& step = (*steps)[next];
    if (!step.until || step.until() || triesLeft == 0) {
        runSteps(steps, next + 1);
        return;
    }
    QTimer::singleShot(100, [=] { awaitCondition(steps, next, triesLeft - 1); });
}

void runSteps(Steps steps, size_t next) {
    if (next == steps->size()) {
        if (quitAfterTour) {
            QApplication::exit(0);
        }
        return;
    }
    (*steps)[next].action();
    QTimer::singleShot((*steps)[next].waitMs, [=] { awaitCondition(steps, next, 300); });
}

void startTour() {
    QTimer::singleShot(0, [] { runSteps(std::make_shared<std::vector<Step>>(tour()), 0); });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startTour)

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--quit") != 0)) {
        std::fprintf(stderr, "usage: demo-tour FOLDER [--quit]\n");
        return 1;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    quitAfterTour = argc == 3;
    int launcherArgc = 1;
    // The windows in the user's language (LANGUAGE=de demo-tour ... for the German pictures).
    return vkr::runLauncher(launcherArgc, argv, {});
}
