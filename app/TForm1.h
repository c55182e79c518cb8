#pragma once

#include "net/powersock.h"
#include "settings/prompts.h"
#include "settings/registry.h"
#include "settings/store.h"

#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>

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
    // mods of that ServerTable row. Within 3 s of a start it starts nothing.
    void LaunchVKR(const std::string& arguments, int serverRow);
    // A start of the game is under way: for 3 s after it, further start requests are refused
    // and the main window's and the browser's status say so.
    bool starting() const;

    TPowersock* Powersock1;
    vkr::OpenDialog OpenDialog1;
    QTimer* Timer1; // from a start until it is over, 100 ms: brings the launch buttons back

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
    // Says in the status bar how to choose the executable while none is found.
    void showExecutableHint();
    void setLaunchButtonsEnabled(bool enabled);
    // The main window's and the browser's status during a start: "Starting the game..." or
    // nothing.
    void showStartStatus(bool shown);

    std::unique_ptr<Ui::TForm1> ui_;
    vkr::Registry& registry_;
    bool closed_ = false;
    // When the last start began; none when it failed or none was made.
    std::optional<uint32_t> startedTick_;
};
