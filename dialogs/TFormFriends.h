#pragma once

#include "app/window.h"

#include <memory>

namespace Ui {
class TFormFriends;
}

// The "Friends" window: the player names the browser marks and the watcher alerts on. Every
// change is saved and reloaded at once through the main window.
class TFormFriends : public vkr::FixedDialog {
    Q_OBJECT
public:
    explicit TFormFriends(QWidget* parent = nullptr);
    ~TFormFriends() override;

    Ui::TFormFriends* ui() const { return ui_.get(); }

    // Handlers, named after their control and event.
    void FormActivate();
    void AddButtonClick();
    void RemoveButtonClick();

private:
    void storeAndRefill();

    std::unique_ptr<Ui::TFormFriends> ui_;
};
