#include "status/player_grid.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "app/window.h"
#include "settings/store.h"
#include "settings/utf8.h"
#include "status/friends.h"
#include "status/server_model.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTableView>

PlayerGrid::PlayerGrid(QTableView* view, QObject* parent)
    : QObject(parent), view_(view), players_(new PlayerModel(this)), menu_(new QMenu(view)) {
    view->setModel(players_);
    view->horizontalHeader()->hide();
    menu_->setObjectName("PlayerMenu");
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& pos) { vkr::guarded([&] { contextMenu(pos, false); }); });
    view->installEventFilter(this);
}

bool PlayerGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Menu) {
        vkr::guarded([this] { contextMenu({}, true); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void PlayerGrid::contextMenu(const QPoint& pos, bool byKeyboard) {
    const QModelIndex index = byKeyboard ? view_->currentIndex() : view_->indexAt(pos);
    const std::optional<std::string> player = players_->playerAt(index.row());
    if (!index.isValid() || !player) {
        return; // no player there: "no players", or no server shown
    }
    const bool isFriend = players_->isFriend(index.row());
    menu_->clear();
    QAction* action =
        menu_->addAction(isFriend ? QCoreApplication::translate("TForm4", "Remove from friends")
                                  : QCoreApplication::translate("TForm4", "Add to friends"));
    vkr::onSignal(action, &QAction::triggered, this,
                  [this, name = *player, isFriend] { toggleFriend(name, isFriend); });
    const QPoint at = byKeyboard ? view_->visualRect(index).center() : pos;
    menu_->popup(view_->viewport()->mapToGlobal(at));
}

void PlayerGrid::toggleFriend(const std::string& sentName, bool isFriend) {
    std::vector<std::string>& friends = vkr::store().settings.friends;
    const std::string name = vkr::utf8OfLatin1(sentName);
    if (isFriend) {
        vkr::removeFriend(friends, name);
    } else {
        vkr::addFriend(friends, name);
    }
    vkr::storeChanged(vkr::StorePart::friends); // at once, whatever the save says
    vkr::forms().form1->SaveRegistry();
}
