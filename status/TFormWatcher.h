#pragma once

#include <QDialog>

// The "Server Watcher" window.
class TFormWatcher : public QDialog {
    Q_OBJECT
public:
    explicit TFormWatcher(QWidget* parent = nullptr);
};
