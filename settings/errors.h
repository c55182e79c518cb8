#pragma once

#include <stdexcept>
#include <string>

namespace vkr {

// The one error type of the program. Every failure that reaches a window's event handler is an
// Exception (or derives from it); the handler's guard shows its text in the error report.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A text that should have been an integer ("'%s' is not a valid integer value").
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A registry value that is missing or of the wrong type.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

} // namespace vkr
