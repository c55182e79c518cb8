#include "status/TFormWatcher.h"

#include "net/TNMUDP.h"

TFormWatcher::TFormWatcher(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), udps(new TNMUDP(this)),
      Timer1(new QTimer(this)), Timer2(new QTimer(this)) {
    setObjectName("TFormWatcher");
    setWindowTitle("Server Watcher");
    setFixedSize(354, 186);
    udps->SetLocalPort(15020);
    Timer1->setInterval(500);
    Timer2->setInterval(15000);
}

void TFormWatcher::UpdateStatus() {}
