#include "dialogs/TForm2.h"

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName("TForm2");
    setWindowTitle("Modifications");
    setFixedSize(291, 203);
}
