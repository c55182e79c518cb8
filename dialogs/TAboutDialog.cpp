#include "dialogs/TAboutDialog.h"

#include "app/guard.h"
#include "ui_TAboutDialog.h"

#include <QKeyEvent>

TAboutDialog::TAboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TAboutDialog>()) {
    ui_->setupUi(this);
    setFixedSize(281, 195);
    QFont title("Verdana");
    title.setPixelSize(13);
    title.setBold(true);
    ui_->Label1->setFont(title);
    vkr::onSignal(ui_->OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
}

TAboutDialog::~TAboutDialog() = default;

void TAboutDialog::keyPressEvent(QKeyEvent* event) {
    // OK is not a cancel button: Esc does nothing; Enter presses OK.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutDialog::OKBtnClick() {
    close();
}
