#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vkr {

// The texts the user reads, in the user's language. The core knows no Qt: the program installs
// the function that looks a text up in the launcher's catalogue; until it does (and in the core's
// own tests) a text is its English source. The arguments are those of
// QCoreApplication::translate, so that lupdate finds every call: a context per window or message
// group, the English text, a note telling apart two uses of one text, and the count a text with
// "%n" is about (its plural form is chosen by it and "%n" replaced by it).
using TranslateFunction = std::string (*)(const char* context, const char* source,
                                          const char* disambiguation, int n);
void setTranslateFunction(TranslateFunction function);

std::string translate(const char* context, const char* source, const char* disambiguation = nullptr,
                      int n = -1);

// text with "%1" ... "%9" replaced by args in order, as QString::arg does, so that a translation
// may put them in another order. A text given as an argument is not looked into again.
std::string fillArgs(std::string_view text, std::initializer_list<std::string_view> args);

} // namespace vkr
