#include "dialogs/TAboutDialog.h"

TAboutDialog::TAboutDialog(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("TAboutDialog");
    setWindowTitle("About");
    setFixedSize(281, 195);
}
