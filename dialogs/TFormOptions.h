#pragma once

#include <QDialog>

// The "Options" window.
class TFormOptions : public QDialog {
    Q_OBJECT
public:
    explicit TFormOptions(QWidget* parent = nullptr);
};
