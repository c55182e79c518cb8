#include "app/TForm1.h"

#include "app/cmdline.h"
#include "app/guard.h"
#include "app/program_start.h"
#include "app/window.h"
#include "net/tick.h"
#include "settings/profiles.h"
#include "settings/prompts.h"
#include "settings/settings.h"
#include "status/TForm4.h"
#include "status/play_history.h"
#include "ui_TForm1.h"
#include "ui_TForm4.h"

#include <QListWidget>
#include <QStatusBar>

#include <chrono>
#include <vector>

namespace {

// A start that failed is shown in a message box; the launch goes on as it would have.
void reportStartFailure(const std::optional<vkr::StartFailure>& failure) {
    if (failure) {
        vkr::prompts().error(failure->text());
    }
}

// How long a start holds further start requests off: the game takes its time to show, and
// impatient clicks, keys and auto-join must not start it twice.
constexpr uint32_t startGuardTicks = 3000;

} // namespace

bool TForm1::starting() const {
    return startedTick_ && vkr::GetTickCount() - *startedTick_ < startGuardTicks;
}

void TForm1::showStartStatus(bool shown) {
    const QString startingText = tr("Starting the game...");
    for (QStatusBar* bar : {ui_->StatusBar1, vkr::forms().form4->ui()->StatusBar1}) {
        if (shown) {
            bar->showMessage(startingText);
        } else if (bar->currentMessage() == startingText) {
            bar->clearMessage();
        }
    }
}

void TForm1::LaunchVKR(const std::string& arguments, int serverRow) {
    if (starting()) {
        return;
    }
    startedTick_ = vkr::GetTickCount();
    setLaunchButtonsEnabled(false);
    showStartStatus(true);
    Timer1->start();

    std::vector<bool> ticks;
    for (int i = 0; i < ui_->ModList->count(); ++i) {
        ticks.push_back(ui_->ModList->item(i)->checkState() == Qt::Checked);
    }
    const vkr::LauncherSettings& settings = vkr::store().settings;
    std::string line = vkr::launchCommandLine(vkr::store(), serverRow, ticks, arguments);

    vkr::setCurrentDirectory(settings.gameFolder);
    // Only the executable's own text can name the program; what follows it is arguments.
    const std::optional<vkr::StartFailure> failure =
        vkr::startCommandLine(line, settings.executable.size());
    if (failure) {
        startedTick_.reset(); // nothing is starting: the buttons come back at the next tick
    }
    // A start on a server goes into the history, saved at once (or by the close), whatever else
    // its caller does next.
    const bool played = !failure && serverRow >= 0;
    if (played) {
        vkr::recordPlayed(vkr::store().settings.history, vkr::store().servers[serverRow],
                          vkr::isoTime(std::chrono::system_clock::now()));
        vkr::storeChanged(vkr::StorePart::history);
    }
    reportStartFailure(failure);
    if (settings.close) {
        close();
    } else if (played) {
        vkr::guarded([this] { SaveRegistry(); });
    }
}

void TForm1::BitBtn3Click() {
    LaunchVKR(vkr::singlePlayerArguments(ui_->PlayerName->currentText().toStdString()), -1);
}

void TForm1::BitBtn2Click() {
    LaunchVKR(vkr::hostArguments(ui_->PlayerName->currentText().toStdString()), -1);
}

void TForm1::VKRPreferences1Click() {
    const std::string& folder = vkr::store().settings.gameFolder;
    vkr::setCurrentDirectory(folder);
    reportStartFailure(
        vkr::startCommandLine(vkr::findPathNoCase(folder, "VELKRANDPREFERENCES.EXE")));
}
