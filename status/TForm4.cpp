#include "status/TForm4.h"

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName("TForm4");
    setWindowTitle("Servers");
    resize(500, 378);
}
