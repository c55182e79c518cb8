#pragma once

#include "net/powersock.h"
#include "settings/prompts.h"
#include "settings/registry.h"
#include "settings/store.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

namespace Ui {
class TForm1;
}
class QListWidget;

// The main window: launches the game, shows the mods to tick, the player name, the own address
// and the executable, and carries the settings store's load and save.
class TForm1 : public QMainWindow, private vkr::StoreView {
    Q_OBJECT
public:
    explicit TForm1(vkr::Registry& registry, QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::TForm1* ui() const { return ui_.get(); }

    void ReadRegistry();
    void SaveRegistry();
    void UpdateModList(QListWidget* list);
    // Starts the game with the command line built from the settings, a set of mods and the
    // caller's arguments. serverRow -1 takes the mods ticked in ModList, any other value the
    // mods of that ServerTable row.
    void LaunchVKR(const std::string& arguments, int serverRow);

    TPowersock* Powersock1;
    vkr::OpenDialog OpenDialog1;
    QTimer* Timer1;

    // Handlers, named after their control and event.
    void FormCreate();
    void FormClose();
    void ModListClickCheck();
    void SpeedButton2Click();
    void Button1Click();
    void BitBtn3Click();
    void BitBtn2Click();
    void BitBtn5Click();
    void Timer1Timer();
    void Options2Click();
    void Mods1Click();
    void Servers1Click();
    void Friends1Click();
    void About1Click();
    void quit1Click();
    void VKRPreferences1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the settings load refreshes here.
    std::string localAddress() override;
    void setLocalAddress(const std::string& address) override;
    void setPlayerName(const std::string& name) override;
    void clearProfiles() override;
    void addProfile(const std::string& name) override;
    void updateModList() override;
    void setExecutableCaption(const std::string& path) override;
    vkr::OpenDialog& openDialog() override;

    void loadLogo();
    void setLaunchButtonsEnabled(bool enabled);

    std::unique_ptr<Ui::TForm1> ui_;
    vkr::Registry& registry_;
    bool closed_ = false;
};
