#include "dialogs/TForm3.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "app/window.h"
#include "dialogs/ordinary_combo.h"
#include "settings/editing.h"
#include "settings/prompts.h"
#include "settings/settings.h"
#include "ui_TForm1.h"
#include "ui_TForm3.h"

#include <QSignalBlocker>
#include <QStyle>

TForm3::TForm3(QWidget* parent)
    : vkr::FixedDialog(QSize(425, 233), vkr::FixedDialog::Border::Dialog, parent),
      ui_(std::make_unique<Ui::TForm3>()) {
    ui_->setupUi(this);
    for (QLabel* label : findChildren<QLabel*>()) {
        label->adjustSize();
    }
    ui_->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ui_->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));

    vkr::makeOrdinaryCombo(ui_->ServerList, [this] { ServerListChange(); });
    vkr::makeOrdinaryCombo(ui_->impl);
    vkr::onSignal(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    vkr::onSignal(ui_->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    setEscapeHandler([this] { close(); });
    vkr::onActivate(this, [this] { FormActivate(); });
}

TForm3::~TForm3() = default;

void TForm3::FormActivate() {
    const vkr::ServerTable& servers = vkr::store().servers;
    {
        const QSignalBlocker block(ui_->ServerList);
        ui_->ServerList->clear();
        for (int i = 0; i <= servers.lastRow; ++i) {
            ui_->ServerList->addItem(vkr::qs(servers[i].name));
        }
        ui_->ServerList->setCurrentIndex(servers.lastRow >= 0 ? 0 : -1);
    }
    showSelection();
}

void TForm3::EditServer(int row, const QWidget* over) {
    vkr::showFormCentred(this, over); // the activation lists the servers
    {
        const QSignalBlocker block(ui_->ServerList);
        ui_->ServerList->setCurrentIndex(row);
    }
    showSelection();
}

void TForm3::ServerListChange() {
    showSelection();
}

void TForm3::showSelection() {
    const vkr::ServerTable& servers = vkr::store().servers;
    int i = ui_->ServerList->currentIndex();
    if (i >= 0 && i <= servers.lastRow) {
        const vkr::ServerEntry& row = servers[i];
        ui_->name->setText(vkr::qs(row.name));
        ui_->host->setText(vkr::qs(row.ip));
        ui_->port->setText(vkr::qs(row.port));
        ui_->pass->setText(vkr::qs(row.pass));
        ui_->impl->setCurrentIndex(row.sockets ? 0 : 1);
        fillMods(vkr::tickedMods(vkr::store().mods, row.mods));
    } else {
        ui_->name->setText(ui_->ServerList->currentText());
        ui_->host->clear();
        ui_->port->setText("2302");
        ui_->pass->clear();
        ui_->impl->setCurrentIndex(0);
        fillMods({});
    }
}

void TForm3::fillMods(const std::vector<bool>& ticked) {
    const QListWidget* source = vkr::forms().form1->ui()->ModList;
    QListWidget* list = ui_->modlistb;
    list->clear();
    for (int j = 0; j < source->count(); ++j) {
        auto* item = new QListWidgetItem(source->item(j)->text(), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        bool tick = j < static_cast<int>(ticked.size()) && ticked[static_cast<size_t>(j)];
        item->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
    }
}

void TForm3::BitBtn1Click() {
    vkr::ServerEntry* row =
        vkr::rowForSave(vkr::store().servers, ui_->ServerList->currentIndex(), vkr::idSource());
    if (!row) {
        vkr::prompts().message(vkr::tableFullMessage("servers"));
        return;
    }
    row->name = ui_->name->text().toStdString();
    row->ip = ui_->host->text().toStdString();
    row->port = ui_->port->text().toStdString();
    row->pass = ui_->pass->text().toStdString();
    row->sockets = ui_->impl->currentIndex() == 0;
    std::vector<bool> ticked;
    for (int j = 0; j < ui_->modlistb->count(); ++j) {
        ticked.push_back(ui_->modlistb->item(j)->checkState() == Qt::Checked);
    }
    row->mods = vkr::buildServerMods(vkr::store().mods, ticked);
    storeAndRefill();
}

void TForm3::BitBtn2Click() {
    // The selection is taken before the question, which dispatches events while it waits.
    int selected = ui_->ServerList->currentIndex();
    if (!vkr::prompts().confirm(tr("Are you sure?").toStdString())) {
        return;
    }
    vkr::removeSelected(vkr::store().servers, selected);
    storeAndRefill();
}

void TForm3::storeAndRefill() {
    TForm1* main = vkr::forms().form1;
    main->SaveRegistry();
    main->ReadRegistry();
    FormActivate();
}
