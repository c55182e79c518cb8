#include "settings/prompts.h"

#include "settings/errors.h"

namespace vkr {

namespace {
Prompts* current = nullptr;
}

Prompts& prompts() {
    if (!current) {
        throw Exception("No prompts are set up");
    }
    return *current;
}

void setPrompts(Prompts* p) {
    current = p;
}

std::string errorReportText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

bool OpenDialog::execute() {
    auto chosen = prompts().openFile(filter_, fileName_.empty() ? folder_ : fileName_);
    if (!chosen) {
        return false;
    }
    fileName_ = *chosen;
    return true;
}

} // namespace vkr
