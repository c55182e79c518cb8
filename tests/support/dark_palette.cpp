#include "support/dark_palette.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

void useLightFusion() {
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(QApplication::style()->standardPalette());
}

void useDarkFusion() {
    useLightFusion();
    QPalette dark = QApplication::palette();
    for (auto role : {QPalette::Window, QPalette::Button}) {
        dark.setColor(role, QColor(53, 53, 53));
    }
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, Qt::white);
    }
    QApplication::setPalette(dark);
}
