#pragma once

#include <QDialog>
#include <QString>
#include <QTextDocument>

#include <functional>
#include <string>

class QWidget;

namespace vkr {

// The core's texts are UTF-8 std::strings; the controls hold QStrings.
inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// The text of a field that was filled with qs(stored): stored itself, byte for byte, while the
// field still shows it, so that bytes which are not UTF-8 survive; otherwise what the field holds.
inline std::string editedText(const QString& field, const std::string& stored) {
    return field == qs(stored) ? stored : field.toStdString();
}

// Bytes from the network (server replies) are shown one character per byte, so none is lost.
inline QString fromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A tooltip that shows text as it is: Qt reads a tooltip that looks like markup as rich text,
// and text from servers (a player's name) must never be read so.
inline QString plainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    return "<p style='white-space:pre-wrap'>" + text.toHtmlEscaped().replace('\n', "<br>") + "</p>";
}

// A secondary window of the launcher. Enter presses the default button; Esc runs the window's
// escape handler (its Cancel or Close), and does nothing in a window that has none.
class Dialog : public QDialog {
public:
    using QDialog::QDialog;

    // Esc runs handler, through the error guard.
    void setEscapeHandler(std::function<void()> handler);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> escape_;
};

// A modeless window of fixed size with a dialog border (or a tool-window border) and only a
// close box, as most of the launcher's secondary windows are.
class FixedDialog : public Dialog {
public:
    enum class Border { Dialog, Tool };
    FixedDialog(QSize clientSize, Border border, QWidget* parent);
};

// Sets a window's activation handler (its FormActivate), run through the error guard when the
// window is shown by showForm() and when the active window changes to it from another of the
// launcher's windows. Getting the focus back from a message box, question or file dialog is no
// activation, nor is coming back from another application.
void onActivate(QWidget* window, std::function<void()> handler);

// Places window at the centre of over (or of the screen when over is null).
void centreOn(QWidget* window, const QWidget* over);

// Shows a modeless window, or brings it forward when it is already shown, and makes it the
// active launcher window: its activation handler runs before this returns.
void showForm(QWidget* window);
// The same, placing a hidden window at the centre of over (of the screen when over is null)
// before it is shown.
void showFormCentred(QWidget* window, const QWidget* over);

} // namespace vkr

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TAboutDialog;
class TFormWatcher;
class TFormOptions;
class TFormLan;
class TFormFriends;

namespace vkr {

// The program's windows, each created once at start-up in this order and kept until exit.
struct Forms {
    TForm1* form1 = nullptr;
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TAboutDialog* aboutDialog = nullptr;
    TFormWatcher* formWatcher = nullptr;
    TFormOptions* formOptions = nullptr;
    TFormLan* formLan = nullptr;
    TFormFriends* formFriends = nullptr;
};

Forms& forms();

} // namespace vkr
