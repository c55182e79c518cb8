#pragma once

// What every benchmark needs: prompts that print instead of asking (a benchmark's settings
// should make the launcher ask nothing; if it does, the figures are suspect and this says so),
// and the process's resident memory.

#include "settings/prompts.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace bench {

class PrintingPrompts : public vkr::Prompts {
public:
    void message(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    void error(const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
    }
    bool confirm(const std::string& text) override {
        std::fprintf(stderr, "question: %s\n", text.c_str());
        return false;
    }
    std::optional<std::string> openFile(const std::string& filter, const std::string&) override {
        std::fprintf(stderr, "file dialog: %s\n", filter.c_str());
        return std::nullopt;
    }
};

// VmRSS of /proc/self/status in KiB, -1 when it cannot be read.
inline long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

} // namespace bench
