#pragma once

#include "status/browser_rows.h"

#include <QObject>

#include <functional>
#include <string>

class QToolButton;

// The browser's "..." menu beside "LAN...": "Import servers..." adds the servers of a list file
// (see status/server_list.h) to the server table and says what it did; "Export servers..."
// writes the table as such a list.
class ServerListMenu : public QObject {
public:
    explicit ServerListMenu(QToolButton* button);

    // Each server an import added, once the table holds it and the windows were told.
    std::function<void(vkr::EntryKey)> added;

    void importList();
    void exportList();

private:
    std::string lastFile_; // where the last list was read or written
};
