#include "dialogs/TForm3.h"

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName("TForm3");
    setWindowTitle("Servers");
    setFixedSize(425, 233);
}
