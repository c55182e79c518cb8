#include "support/desktop_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <memory>

namespace {

// Presses the button of a message box with this caption, or its OK button.
void press(QWidget* window, const QString& caption = {}) {
    auto* box = qobject_cast<QMessageBox*>(window);
    QAbstractButton* ok = box ? box->button(QMessageBox::Ok) : nullptr;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (caption.isEmpty() ? button == ok : button->text() == caption) {
            button->click();
            return;
        }
    }
    qWarning("the active modal window has no button %s", qPrintable(caption));
    window->close();
}

} // namespace

void answerWhenActive(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(20);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && (modal->isActiveWindow() || waited->hasExpired(10000))) {
            if (!modal->isActiveWindow()) {
                qWarning("the modal window was never activated");
            }
            poll->deleteLater();
            poll->stop();
            answer(modal);
        }
    });
    poll->start();
}

void DesktopPrompts::message(const std::string& text) {
    ScriptedPrompts::message(text);
    answerWhenActive([](QWidget* box) { press(box); });
    real_.message(text);
}

void DesktopPrompts::error(const std::string& text) {
    ScriptedPrompts::error(text);
    answerWhenActive([](QWidget* box) { press(box); });
    real_.error(text);
}

bool DesktopPrompts::confirm(const std::string& text) {
    const bool yes = ScriptedPrompts::confirm(text);
    answerWhenActive([yes](QWidget* box) { press(box, yes ? "&Yes" : "&No"); });
    return real_.confirm(text);
}

std::optional<std::string> DesktopPrompts::openFile(const std::string& filter,
                                                    const std::string& currentFile) {
    const std::optional<std::string> file = ScriptedPrompts::openFile(filter, currentFile);
    answerWhenActive([file](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        if (!dialog) {
            qWarning("the active modal window is no file dialog");
            window->close();
        } else if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"); name && file) {
            // Typed into the file name field, as the user does.
            name->setText(QString::fromStdString(*file));
            static_cast<QDialog*>(dialog)->accept(); // the file dialog checks the name
        } else {
            dialog->reject();
        }
    });
    return real_.openFile(filter, currentFile);
}
