#pragma once

#include <QDialog>

// The "About" window.
class TAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDialog(QWidget* parent = nullptr);
};
