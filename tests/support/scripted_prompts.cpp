#include "support/scripted_prompts.h"

#include <stdexcept>

ScriptedPrompts::ScriptedPrompts() {
    try {
        previous_ = &vkr::prompts();
    } catch (const std::exception&) {
        previous_ = nullptr;
    }
    vkr::setPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts() {
    vkr::setPrompts(previous_);
}

void ScriptedPrompts::message(const std::string& text) {
    shown.push_back({Shown::Message, text});
}

void ScriptedPrompts::error(const std::string& text) {
    shown.push_back({Shown::Error, text});
}

bool ScriptedPrompts::confirm(const std::string& text) {
    shown.push_back({Shown::Confirm, text});
    if (confirmAnswers.empty()) {
        return false;
    }
    bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompts::openFile(const std::string& filter,
                                                     const std::string& currentFile) {
    return fileDialog(Shown::OpenFile, filter, currentFile);
}

std::optional<std::string> ScriptedPrompts::saveFile(const std::string& filter,
                                                     const std::string& currentFile) {
    return fileDialog(Shown::SaveFile, filter, currentFile);
}

std::optional<std::string> ScriptedPrompts::fileDialog(Shown::Kind kind, const std::string& filter,
                                                       const std::string& currentFile) {
    shown.push_back({kind, filter});
    fileDialogStarts.push_back(currentFile);
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::vector<std::string> ScriptedPrompts::texts(Shown::Kind kind) const {
    std::vector<std::string> out;
    for (const auto& s : shown) {
        if (s.kind == kind) {
            out.push_back(s.text);
        }
    }
    return out;
}
