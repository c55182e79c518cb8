#pragma once

#include <QDialog>

// The "Servers" window.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};
