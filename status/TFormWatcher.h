#pragma once

#include "app/window.h"

#include <QTimer>

class TNMUDP;

// The "Server Watcher" window.
class TFormWatcher : public QDialog {
    Q_OBJECT
public:
    explicit TFormWatcher(QWidget* parent = nullptr);

    // The watcher's endpoint (local port 15020); the browser sets RemoteHost and RemotePort
    // before it opens the watcher.
    TNMUDP* udps;
    QTimer* Timer1; // lamp blinking, 500 ms, always on
    QTimer* Timer2; // polling, 15,000 ms, on while the watcher is open

    // Starts one poll: shows the watched address and sends the status request.
    void UpdateStatus();
};
