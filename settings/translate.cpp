#include "settings/translate.h"

#include <atomic>

namespace vkr {

namespace {

std::atomic<TranslateFunction> installed{nullptr};

// What QCoreApplication::translate does without a catalogue: "%n" becomes the count.
std::string replaceCount(std::string text, int n) {
    if (n < 0) {
        return text;
    }
    const std::string count = std::to_string(n);
    for (size_t at = text.find("%n"); at != std::string::npos; at = text.find("%n", at)) {
        text.replace(at, 2, count);
        at += count.size();
    }
    return text;
}

} // namespace

void setTranslateFunction(TranslateFunction function) {
    installed.store(function);
}

std::string translate(const char* context, const char* source, const char* disambiguation, int n) {
    if (const TranslateFunction function = installed.load()) {
        return function(context, source, disambiguation, n);
    }
    return replaceCount(source, n);
}

std::string fillArgs(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string filled;
    filled.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t index = i + 1 < text.size() ? size_t(text[i + 1] - '1') : args.size();
        if (text[i] == '%' && index < args.size() && index < 9) {
            filled += args.begin()[index];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

} // namespace vkr
