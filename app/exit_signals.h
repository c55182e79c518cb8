#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into the signal received() on the GUI thread. The signal
// handler only writes to a pipe that a QSocketNotifier watches; it also restores the default
// action of all three, so that a second signal of any of them ends the program at once, and
// gives the program kGiveUpSeconds to end: then it exits with 128 + the signal's number, the
// settings saved or not as far as the save got (a message of the save waiting for a click).
// One instance per program.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    static constexpr unsigned kGiveUpSeconds = 10;

    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

signals:
    void received();

private:
    QSocketNotifier* notifier_ = nullptr;
};
