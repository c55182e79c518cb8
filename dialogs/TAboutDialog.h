#pragma once

#include "app/window.h"

#include <memory>

namespace Ui {
class TAboutDialog;
}

// The "About" window: the program's name, the author's addresses and the freeware notice.
class TAboutDialog : public vkr::FixedDialog {
    Q_OBJECT
public:
    explicit TAboutDialog(QWidget* parent = nullptr);
    ~TAboutDialog() override;

    Ui::TAboutDialog* ui() const { return ui_.get(); }

    void OKBtnClick();

private:
    std::unique_ptr<Ui::TAboutDialog> ui_;
};
