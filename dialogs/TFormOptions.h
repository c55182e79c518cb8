#pragma once

#include "settings/prompts.h"

#include "app/window.h"

#include <memory>
#include <optional>

namespace Ui {
class TFormOptions;
}
class QRadioButton;

// The "Options" window: the launch options and the watcher's alert settings. Every activation
// loads the controls from the settings; OK stores them and saves the whole store.
class TFormOptions : public vkr::FixedDialog {
    Q_OBJECT
public:
    explicit TFormOptions(QWidget* parent = nullptr);
    ~TFormOptions() override;

    Ui::TFormOptions* ui() const { return ui_.get(); }

    // Enables the custom-sound fields and their browse buttons unless "Disable sounds" or
    // "Use default sounds" is selected.
    void UpdateJuttu();

    // One file dialog for both sound fields: it remembers the last file chosen with either.
    vkr::OpenDialog OpenDialog1;

    // Handlers, named after their control and event.
    void FormActivate();
    void sounds1Click();
    void sounds2Click();
    void sounds3Click();
    void BitBtn2Click();
    void BitBtn1Click();
    void Button1Click();
    void Button2Click();

private:
    // Says under the sound fields which of their files play only their first 30 s.
    void showSoundNote();
    // Says under "Desktop notifications" whether a notification service answers (nullopt:
    // not known yet).
    void showNotificationService(std::optional<bool> found);
    // Selects or deselects a radio button as the load does; selecting one that was not
    // selected runs its click handler.
    void setSelected(QRadioButton* button, bool selected);

    std::unique_ptr<Ui::TFormOptions> ui_;
};
