#include "status/ping_limit.h"

#include <QComboBox>

#include <algorithm>

void fillPingLimits(QComboBox* box) {
    box->addItem("any", 0);
    for (int limit : {50, 100, 150, 250, 500}) {
        box->addItem(QString("%1 ms").arg(limit), limit);
    }
}

void showPingLimit(QComboBox* box, int limit) {
    limit = std::max(0, limit);
    int item = box->findData(limit);
    if (item < 0) {
        box->addItem(QString("%1 ms").arg(limit), limit);
        item = box->count() - 1;
    }
    box->setCurrentIndex(item);
}

int pingLimit(const QComboBox* box) {
    return box->currentData().toInt();
}
