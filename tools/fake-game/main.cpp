// Stands in for the game: records how it was started and ends. Each start appends one line to
// launch-record.json in the working directory: {"argv": [...], "cwd": "..."}, argv[0] being the
// program path as started.

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

bool continuation(unsigned char c) {
    return c >= 0x80 && c <= 0xBF;
}

// Length of the well-formed UTF-8 sequence starting at s[i]; 0 when none starts there.
size_t utf8Length(const std::string& s, size_t i) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = at(0);
    size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (c < 0x80) {
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        lo = c == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        hi = c == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        lo = c == 0xF0 ? 0x90 : 0x80;
        hi = c == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + n > s.size() || at(1) < lo || at(1) > hi) {
        return 0;
    }
    for (size_t k = 2; k < n; ++k) {
        if (!continuation(at(k))) {
            return 0;
        }
    }
    return n;
}

// A JSON string. Bytes that are not well-formed UTF-8 are written as the character of the same
// code (Latin-1), so that every argument gives valid JSON.
std::string jsonString(const std::string& s) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const size_t n = utf8Length(s, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || n == 0) {
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out.append(s, i, n);
            i += n;
            continue;
        }
        ++i;
    }
    return out + "\"";
}

} // namespace

int main(int argc, char** argv) {
    std::error_code error;
    const std::string cwd = std::filesystem::current_path(error).string();
    std::string line = "{\"argv\": [";
    for (int i = 0; i < argc; ++i) {
        line += (i ? ", " : "") + jsonString(argv[i]);
    }
    line += "], \"cwd\": " + jsonString(cwd) + "}\n";

    // One write in append mode, so that starts running at the same time keep whole lines.
    const int fd = open("launch-record.json", O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return 1;
    }
    const bool written = write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    close(fd);
    return written ? 0 : 1;
}
