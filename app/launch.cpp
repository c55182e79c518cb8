#include "app/TForm1.h"

#include "app/cmdline.h"
#include "app/program_start.h"
#include "settings/profiles.h"
#include "settings/prompts.h"
#include "settings/settings.h"
#include "ui_TForm1.h"

#include <QListWidget>

#include <vector>

namespace {

// A start that failed is shown in a message box; the launch goes on as it would have.
void reportStartFailure(const std::optional<vkr::StartFailure>& failure) {
    if (failure) {
        vkr::prompts().error(failure->text());
    }
}

} // namespace

void TForm1::LaunchVKR(const std::string& arguments, int serverRow) {
    setLaunchButtonsEnabled(false);
    Timer1->start();

    std::vector<bool> ticks;
    for (int i = 0; i < ui_->ModList->count(); ++i) {
        ticks.push_back(ui_->ModList->item(i)->checkState() == Qt::Checked);
    }
    const vkr::LauncherSettings& settings = vkr::store().settings;
    std::string line = vkr::launchCommandLine(vkr::store(), serverRow, ticks, arguments);

    vkr::setCurrentDirectory(settings.gameFolder);
    // Only the executable's own text can name the program; what follows it is arguments.
    reportStartFailure(vkr::startCommandLine(line, settings.executable.size()));
    if (settings.close) {
        close();
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
