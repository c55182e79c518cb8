#pragma once

#include "app/qtprompts.h"
#include "support/scripted_prompts.h"

#include <functional>

class QWidget;

// Prompts for a real display: each message box, question and file dialog is the real one, and
// the test answers it from the script (as ScriptedPrompts does) once the window manager has made
// it the active window. So, as on a desktop, the window under it is reactivated when it closes.
class DesktopPrompts : public ScriptedPrompts {
public:
    void message(const std::string& text) override;
    void error(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> openFile(const std::string& filter,
                                        const std::string& currentFile) override;

private:
    vkr::QtPrompts real_;
};

// Runs answer on the modal window that is shown next, as soon as it is the active window.
void answerWhenActive(std::function<void(QWidget*)> answer);
