#include "app/guard.h"

#include "settings/prompts.h"

#include <cstdio>

namespace vkr {

void showErrorReport(const std::string& message) {
    try {
        prompts().error(errorReportText(message));
    } catch (...) {
        // The report itself failed (no prompts set up): the error must still not reach Qt.
        std::fprintf(stderr, "VKR Launcher: %s\n", errorReportText(message).c_str());
    }
}

} // namespace vkr
