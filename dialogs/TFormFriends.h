#pragma once

#include "app/window.h"
#include "settings/store.h"

#include <memory>

namespace Ui {
class TFormFriends;
}

// The "Friends" window: the player names the browser marks and the watcher alerts on. Every
// change is saved at once and told to the windows; the list follows the friends added or removed
// elsewhere (the browser's player grid).
class TFormFriends : public vkr::FixedDialog, private vkr::StoreListener {
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
    void storeChanged(vkr::StorePart part) override;

    std::unique_ptr<Ui::TFormFriends> ui_;
};
