#pragma once

#include "settings/prompts.h"

#include <QString>

class QWidget;

namespace vkr {

inline const char* const kApplicationTitle = "VKR Launcher";

// The prompts shown with Qt's message boxes and file dialog.
class QtPrompts : public Prompts {
public:
    void message(const std::string& text) override;
    void error(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> openFile(const std::string& filter,
                                        const std::string& currentFile) override;
    std::optional<std::string> saveFile(const std::string& filter,
                                        const std::string& currentFile) override;

    // "Desc|*.a;*.b|All|*.*" as Qt's "Desc (*.a *.b);;All (*)".
    static QString qtFilter(const std::string& windowsFilter);
};

// The window that a modal box is shown over: the active window of the launcher.
QWidget* promptParent();

} // namespace vkr
