#pragma once

#include <optional>
#include <string>
#include <utility>

namespace vkr {

// The modal boxes and the file-open dialog, as the program's logic sees them. The windows show
// them with the toolkit; tests answer them from a script.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A plain message: captioned with the application title, one OK button.
    virtual void message(const std::string& text) = 0;
    // The error report: stop icon, captioned with the application title. The text is shown as
    // given; errorReportText() has already added the full stop.
    virtual void error(const std::string& text) = 0;
    // "Confirm" box with a question icon and the buttons "&Yes" and "&No": true for Yes.
    virtual bool confirm(const std::string& text) = 0;
    // A file-open dialog starting at currentFile, or in it when it is a folder; nullopt when the
    // user cancels.
    virtual std::optional<std::string> openFile(const std::string& filter,
                                                const std::string& currentFile) = 0;
    // A file-save dialog, as openFile; the file chosen may not exist yet. Prompts that cannot
    // ask cancel.
    virtual std::optional<std::string> saveFile(const std::string& /*filter*/,
                                                const std::string& /*currentFile*/) {
        return std::nullopt;
    }
};

// The prompts in use; set once by the program's start-up (or by a test).
Prompts& prompts();
void setPrompts(Prompts* p);

// The text of the error report: a "." is added when the last character sorts after ".".
std::string errorReportText(const std::string& message);

// A file-open dialog with a memory: it remembers the last file chosen in it during the run.
class OpenDialog {
public:
    explicit OpenDialog(std::string filter) : filter_(std::move(filter)) {}

    // Runs the dialog; true when the user chose a file, which fileName() then gives.
    // On cancel fileName() keeps the last file chosen.
    bool execute();
    const std::string& fileName() const { return fileName_; }
    const std::string& filter() const { return filter_; }
    // The folder the dialog opens in while no file has been chosen in it.
    void setFolder(std::string folder) { folder_ = std::move(folder); }

private:
    std::string filter_;
    std::string fileName_;
    std::string folder_;
};

} // namespace vkr
