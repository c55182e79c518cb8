#include "app/window.h"

#include "app/TForm1.h"
#include "app/guard.h"
#include "dialogs/TAboutDialog.h"
#include "dialogs/TForm2.h"
#include "dialogs/TForm3.h"
#include "dialogs/TFormOptions.h"
#include "status/TForm4.h"
#include "status/TFormWatcher.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <iterator>

namespace vkr {

namespace {

// A window's activation handler (its FormActivate), kept as a child of the window so that it
// lives exactly as long as the window.
class ActivationHandler : public QObject {
public:
    ActivationHandler(QWidget* window, std::function<void()> handler)
        : QObject(window), handler_(std::move(handler)) {}

    void run() { guarded(handler_); }

private:
    std::function<void()> handler_;
};

ActivationHandler* handlerOf(const QObject* window) {
    for (QObject* child : window->children()) {
        if (auto* handler = dynamic_cast<ActivationHandler*>(child)) {
            return handler;
        }
    }
    return nullptr;
}

// One of the launcher's seven windows. Message boxes, questions and file dialogs are not.
bool isLauncherWindow(const QObject* object) {
    const Forms& f = forms();
    const QObject* const windows[] = {f.form1,       f.form2,       f.form3,      f.form4,
                                      f.aboutDialog, f.formWatcher, f.formOptions};
    return std::find(std::begin(windows), std::end(windows), object) != std::end(windows);
}

// The launcher window that was active last, or that the program showed last. The window system
// may report a window shown by the program as active only some time after it was shown; by then
// the window has been activated already.
QPointer<QWidget>& current() {
    static QPointer<QWidget> window;
    return window;
}

// The active launcher window changes to window: its handler runs, unless it is the window that
// was active before. Between two activations of the same window only a prompt or another
// application was active, and returning from either is no activation.
void activate(QWidget* window) {
    if (current() == window) {
        return;
    }
    current() = window;
    if (ActivationHandler* handler = handlerOf(window)) {
        handler->run();
    }
}

// Watches every window's activation by the window system.
class ActivationTracker : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && isLauncherWindow(watched)) {
            activate(static_cast<QWidget*>(watched));
        }
        return false;
    }
};

void trackActivations() {
    static QPointer<ActivationTracker> tracker;
    if (!tracker && qApp) {
        tracker = new ActivationTracker(qApp);
        qApp->installEventFilter(tracker);
    }
}

} // namespace

FixedDialog::FixedDialog(QSize clientSize, Border border, QWidget* parent)
    : Dialog(parent, (border == Border::Tool ? Qt::Tool : Qt::Dialog) |
                         Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setFixedSize(clientSize);
}

void Dialog::setEscapeHandler(std::function<void()> handler) {
    escape_ = std::move(handler);
}

void Dialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (escape_) {
            guarded(escape_);
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void onActivate(QWidget* window, std::function<void()> handler) {
    new ActivationHandler(window, std::move(handler));
    trackActivations();
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
    const bool wasShown = window->isVisible();
    window->show();
    window->raise();
    window->activateWindow();
    if (!wasShown) {
        current() = nullptr; // a window is activated each time it is shown
    }
    activate(window);
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
