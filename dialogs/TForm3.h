#pragma once

#include "app/window.h"

#include <memory>
#include <vector>

namespace Ui {
class TForm3;
}

// The "Servers" window: adds, changes and removes rows of the server table, with the mods to
// run on each server. Every change is saved and reloaded at once through the main window.
class TForm3 : public vkr::FixedDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    Ui::TForm3* ui() const { return ui_.get(); }

    // Shows the editor centred over the window over, with table row row selected.
    void EditServer(int row, const QWidget* over);

    // Handlers, named after their control and event.
    void FormActivate();
    void ServerListChange();
    void BitBtn1Click(); // Save
    void BitBtn2Click(); // Delete

private:
    // Fills the fields from the selected row, or sets them up for a new server under the typed
    // name when none is selected.
    void showSelection();
    // modlistb := the main window's mod list items, ticked where ticked says so.
    void fillMods(const std::vector<bool>& ticked);
    // Saves and reloads the store, then refills the window.
    void storeAndRefill();

    std::unique_ptr<Ui::TForm3> ui_;
};
