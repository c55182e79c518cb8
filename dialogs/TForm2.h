#pragma once

#include "app/window.h"

#include <memory>

namespace Ui {
class TForm2;
}

// The "Modifications" window: adds, changes and removes rows of the mod table. Every change is
// saved and reloaded at once through the main window.
class TForm2 : public vkr::FixedDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    Ui::TForm2* ui() const { return ui_.get(); }

    // Handlers, named after their control and event.
    void FormActivate();
    void ModListChange();
    void BitBtn2Click(); // Save
    void BitBtn1Click(); // Delete

private:
    // Fills Name and Dir from the selected row, or from the typed name when none is selected.
    void showSelection();
    // Saves and reloads the store, then refills the window.
    void storeAndRefill();

    std::unique_ptr<Ui::TForm2> ui_;
};
