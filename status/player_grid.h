#pragma once

#include <QObject>

#include <string>

class PlayerModel;
class QMenu;
class QPoint;
class QTableView;

// The browser's player grid: the players of the selected server in their view, and the menu on
// a player, "Add to friends" or "Remove from friends" (right click, or the menu key), which
// changes the store's friends, saves them and tells the windows.
class PlayerGrid : public QObject {
public:
    PlayerGrid(QTableView* view, QObject* parent);

    PlayerModel* players() const { return players_; }

    // The menu on the player at pos (by the mouse) or on the current row (by the keyboard).
    void contextMenu(const QPoint& pos, bool byKeyboard);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggleFriend(const std::string& sentName, bool isFriend);

    QTableView* view_;
    PlayerModel* players_;
    QMenu* menu_;
};
