#include "status/ping_limit.h"

#include <QComboBox>
#include <QCoreApplication>

#include <algorithm>

namespace {

QString limitText(int limit) {
    return QCoreApplication::translate("TForm4", "%1 ms").arg(limit);
}

} // namespace

void fillPingLimits(QComboBox* box) {
    box->addItem(QCoreApplication::translate("TForm4", "any", "no ping limit"), 0);
    for (int limit : {50, 100, 150, 250, 500}) {
        box->addItem(limitText(limit), limit);
    }
}

void showPingLimit(QComboBox* box, int limit) {
    limit = std::max(0, limit);
    int item = box->findData(limit);
    if (item < 0) {
        box->addItem(limitText(limit), limit);
        item = box->count() - 1;
    }
    box->setCurrentIndex(item);
}

int pingLimit(const QComboBox* box) {
    return box->currentData().toInt();
}
