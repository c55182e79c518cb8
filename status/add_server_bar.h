#pragma once

#include "status/browser_rows.h"
#include "status/typed_address.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

// The browser's "Add server" bar: the box where the user types or pastes "host:port", its Add
// button (Enter in the box presses it, never the window's Join) and the message under it, which
// a screen reader reads as the box's description. A server added goes into the store's table,
// is saved and told to the windows; it takes the hostname of its first reply unless the user has
// renamed it since.
class AddServerBar : public QObject {
public:
    AddServerBar(QLineEdit* box, QPushButton* button, QLabel* message, QObject* parent);

    // Selects the server's row in the grid; gives whether the filter shows it.
    std::function<bool(vkr::EntryKey)> select;
    // Asks the server just added for its status.
    std::function<void(vkr::EntryKey)> ask;

    // Adds the server typed into the box, or says why not.
    void add();
    // Server e, added under its host's name elsewhere, takes the name of its first reply as
    // those added here do.
    void nameAtFirstReply(const vkr::ServerEntry& e) { provisional_.add(e.id, e.name); }
    // The servers of answered that this bar added take the name their first reply tells; gives
    // whether any did (the caller saves and tells the table's change).
    bool nameAtFirstReply(const std::vector<vkr::EntryKey>& answered, const std::string& reply);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void say(const QString& text);

    QLineEdit* box_;
    QLabel* message_;
    // The servers added here that are still to take the name they send.
    vkr::ProvisionalNames provisional_;
};
