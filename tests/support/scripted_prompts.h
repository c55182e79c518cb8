#pragma once

#include "settings/prompts.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Prompts answered from a script: every message, error and question is recorded, and each
// confirmation or file dialog takes the next scripted answer (No / cancel when none is left).
class ScriptedPrompts : public vkr::Prompts {
public:
    struct Shown {
        enum Kind { Message, Error, Confirm, OpenFile, SaveFile } kind;
        std::string text; // the message, or the filter of a file dialog
    };

    std::vector<Shown> shown;
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    // Where each file dialog started: a file or a folder.
    std::vector<std::string> fileDialogStarts;

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    void message(const std::string& text) override;
    void error(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> openFile(const std::string& filter,
                                        const std::string& currentFile) override;
    std::optional<std::string> saveFile(const std::string& filter,
                                        const std::string& currentFile) override;

    std::vector<std::string> texts(Shown::Kind kind) const;
    std::vector<std::string> messages() const { return texts(Shown::Message); }
    std::vector<std::string> errors() const { return texts(Shown::Error); }
    void clear() { shown.clear(); }

private:
    std::optional<std::string> fileDialog(Shown::Kind kind, const std::string& filter,
                                          const std::string& currentFile);

    vkr::Prompts* previous_;
};
