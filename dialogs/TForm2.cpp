#include "dialogs/TForm2.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "app/window.h"
#include "dialogs/ordinary_combo.h"
#include "settings/editing.h"
#include "settings/prompts.h"
#include "settings/settings.h"
#include "ui_TForm2.h"

#include <QSignalBlocker>
#include <QStyle>

TForm2::TForm2(QWidget* parent)
    : vkr::FixedDialog(QSize(291, 203), vkr::FixedDialog::Border::Dialog, parent),
      ui_(std::make_unique<Ui::TForm2>()) {
    ui_->setupUi(this);
    for (QLabel* label : findChildren<QLabel*>()) {
        label->adjustSize();
    }
    ui_->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui_->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));

    vkr::makeOrdinaryCombo(ui_->ModList, [this] { ModListChange(); });
    vkr::onSignal(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    vkr::onSignal(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    setEscapeHandler([this] { close(); });
    vkr::onActivate(this, [this] { FormActivate(); });
}

TForm2::~TForm2() = default;

void TForm2::FormActivate() {
    const vkr::ModTable& mods = vkr::store().mods;
    {
        const QSignalBlocker block(ui_->ModList);
        ui_->ModList->clear();
        for (int i = 0; i <= mods.lastRow; ++i) {
            ui_->ModList->addItem(vkr::qs(mods[i].name));
        }
        ui_->ModList->setCurrentIndex(mods.lastRow >= 0 ? 0 : -1);
    }
    showSelection();
}

void TForm2::ModListChange() {
    showSelection();
}

void TForm2::showSelection() {
    const vkr::ModTable& mods = vkr::store().mods;
    int i = ui_->ModList->currentIndex();
    if (i >= 0 && i <= mods.lastRow) {
        ui_->Name->setText(vkr::qs(mods[i].name));
        ui_->Dir->setText(vkr::qs(mods[i].dir));
    } else {
        ui_->Name->setText(ui_->ModList->currentText());
        ui_->Dir->clear();
    }
}

void TForm2::BitBtn2Click() {
    vkr::ModEntry* row =
        vkr::rowForSave(vkr::store().mods, ui_->ModList->currentIndex(), vkr::idSource());
    if (!row) {
        vkr::prompts().message(vkr::tableFullMessage("mods"));
        return;
    }
    row->name = ui_->Name->text().toStdString();
    row->dir = ui_->Dir->text().toStdString();
    storeAndRefill();
}

void TForm2::BitBtn1Click() {
    // The selection is taken before the question, which dispatches events while it waits.
    int selected = ui_->ModList->currentIndex();
    if (!vkr::prompts().confirm(tr("Are you sure?").toStdString())) {
        return;
    }
    vkr::removeSelected(vkr::store().mods, selected);
    storeAndRefill();
}

void TForm2::storeAndRefill() {
    TForm1* main = vkr::forms().form1;
    main->SaveRegistry();
    main->ReadRegistry();
    FormActivate();
}
