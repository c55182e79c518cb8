#pragma once

#include <QDialog>

// The "Servers" window.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};
