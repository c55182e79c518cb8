#include "status/TFormWatcher.h"

TFormWatcher::TFormWatcher(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("TFormWatcher");
    setWindowTitle("Server Watcher");
    setFixedSize(354, 186);
}
