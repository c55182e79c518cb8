#include "dialogs/TAboutDialog.h"

#include "app/window.h"

#include "app/guard.h"
#include "ui_TAboutDialog.h"

TAboutDialog::TAboutDialog(QWidget* parent)
    : vkr::FixedDialog(QSize(281, 195), vkr::FixedDialog::Border::Tool, parent),
      ui_(std::make_unique<Ui::TAboutDialog>()) {
    ui_->setupUi(this);
    QFont title("Verdana");
    title.setPixelSize(13);
    title.setBold(true);
    ui_->Label1->setFont(title);
    vkr::onSignal(ui_->OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    setEscapeHandler([this] { OKBtnClick(); });
}

TAboutDialog::~TAboutDialog() = default;

void TAboutDialog::OKBtnClick() {
    close();
}
