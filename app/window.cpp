#include "app/window.h"

#include "app/guard.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace vkr {

namespace {

class ActivationFilter : public QObject {
public:
    ActivationFilter(QWidget* window, std::function<void()> handler)
        : QObject(window), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && watched == parent()) {
            guarded(handler_);
        }
        return false;
    }

private:
    std::function<void()> handler_;
};

} // namespace

FixedDialog::FixedDialog(QSize clientSize, Border border, QWidget* parent)
    : Dialog(parent, (border == Border::Tool ? Qt::Tool : Qt::Dialog) |
                         Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setFixedSize(clientSize);
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void onActivate(QWidget* window, std::function<void()> handler) {
    window->installEventFilter(new ActivationFilter(window, std::move(handler)));
}

void centreOn(QWidget* window, const QWidget* over) {
    QRect area;
    if (over) {
        area = over->frameGeometry();
    } else if (QScreen* screen =
                   window->screen() ? window->screen() : QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

void showForm(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void showFormCentred(QWidget* window, const QWidget* over) {
    if (!window->isVisible()) {
        centreOn(window, over);
    }
    showForm(window);
}

Forms& forms() {
    static Forms instance;
    return instance;
}

} // namespace vkr
