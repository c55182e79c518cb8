#include "dialogs/TFormOptions.h"

TFormOptions::TFormOptions(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormOptions");
    setWindowTitle("Options");
    setFixedSize(443, 216);
}
