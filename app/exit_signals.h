#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into the signal received() on the GUI thread. The signal
// handler only writes to a pipe that a QSocketNotifier watches; it also restores the default
// action, so that a second signal ends the program at once. One instance per program.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

signals:
    void received();

private:
    QSocketNotifier* notifier_ = nullptr;
};
