#pragma once

#include <QDialog>

// The "Modifications" window.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};
