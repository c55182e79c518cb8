#include "dialogs/TFormFriends.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "app/window.h"
#include "settings/settings.h"
#include "settings/utf8.h"
#include "status/friends.h"
#include "ui_TFormFriends.h"

TFormFriends::TFormFriends(QWidget* parent)
    : vkr::FixedDialog(QSize(265, 257), vkr::FixedDialog::Border::Dialog, parent),
      ui_(std::make_unique<Ui::TFormFriends>()) {
    ui_->setupUi(this);
    vkr::onSignal(ui_->AddButton, &QPushButton::clicked, this, [this] { AddButtonClick(); });
    vkr::onSignal(ui_->RemoveButton, &QPushButton::clicked, this, [this] { RemoveButtonClick(); });
    setEscapeHandler([this] { close(); });
    vkr::onActivate(this, [this] { FormActivate(); });
}

TFormFriends::~TFormFriends() = default;

void TFormFriends::FormActivate() {
    ui_->FriendList->clear();
    // Each row keeps the name's stored bytes, so that a name that is not UTF-8 (shown as
    // Latin-1) is removed as stored.
    for (const std::string& name : vkr::store().settings.friends) {
        auto* item = new QListWidgetItem(vkr::qs(vkr::readableUtf8(name)), ui_->FriendList);
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    }
}

void TFormFriends::AddButtonClick() {
    const std::string name = ui_->FriendName->text().toStdString();
    std::vector<std::string>& friends = vkr::store().settings.friends;
    if (!vkr::addFriend(friends, name)) {
        ui_->Note->setText(
            vkr::friendKey(name).empty()
                ? tr("Type a player name to add.")
                : tr("%1 is a friend already.").arg(ui_->FriendName->text().trimmed()));
        return;
    }
    ui_->Note->clear();
    ui_->FriendName->clear();
    storeAndRefill();
    ui_->FriendList->setCurrentRow(ui_->FriendList->count() - 1);
}

void TFormFriends::RemoveButtonClick() {
    const QListWidgetItem* item = ui_->FriendList->currentItem();
    if (!item || !item->isSelected()) {
        ui_->Note->setText(tr("Select a friend to remove."));
        return;
    }
    const int row = ui_->FriendList->row(item);
    vkr::removeFriend(vkr::store().settings.friends,
                      item->data(Qt::UserRole).toByteArray().toStdString());
    ui_->Note->clear();
    storeAndRefill();
    ui_->FriendList->setCurrentRow(std::min(row, ui_->FriendList->count() - 1));
}

void TFormFriends::storeAndRefill() {
    vkr::storeChanged(vkr::StorePart::friends); // refills the list too
    vkr::forms().form1->SaveRegistry();
}

void TFormFriends::storeChanged(vkr::StorePart part) {
    if (part == vkr::StorePart::friends) {
        FormActivate();
    }
}
