#include "app/cmdline.h"

#include "settings/errors.h"

#include <algorithm>
#include <utility>

namespace vkr {

namespace {

constexpr char dq = '"';

bool blank(char c) {
    return c == ' ' || c == '\t';
}

std::string quotedName(const std::string& playerName) {
    return dq + ("-name=" + playerName) + dq;
}

std::string tickedModText(const ModTable& mods, const std::vector<bool>& ticks) {
    std::string text;
    bool first = true;
    for (int i = 0; i <= mods.lastRow && static_cast<size_t>(i) < ticks.size(); ++i) {
        if (ticks[static_cast<size_t>(i)]) {
            if (!first) {
                text += ';';
            }
            text += mods[i].dir;
            first = false;
        }
    }
    return text;
}

// The C runtime's rule for argv[0]: quotes switch a quoted section on and off and are dropped,
// backslashes are literal, the name ends at the first blank outside quotes. Returns the name
// and the position after it.
std::pair<std::string, size_t> programName(std::string_view line) {
    std::string name;
    bool quoted = false;
    size_t i = 0;
    for (; i < line.size() && (quoted || !blank(line[i])); ++i) {
        if (line[i] == dq) {
            quoted = !quoted;
        } else {
            name += line[i];
        }
    }
    return {name, i};
}

// The file a program name names, as written or with ".exe" appended.
std::optional<std::string> existingProgram(const std::string& name, const FileTest& isFile) {
    if (name.empty()) {
        return std::nullopt;
    }
    for (std::string candidate : {name, name + ".exe"}) {
        if (isFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

ProgramStart withArguments(std::string program, std::string argv0, std::string_view rest) {
    ProgramStart start{std::move(program), {std::move(argv0)}};
    for (std::string& arg : splitArguments(rest)) {
        start.argv.push_back(std::move(arg));
    }
    return start;
}

} // namespace

std::string singlePlayerArguments(const std::string& playerName) {
    return " " + quotedName(playerName) + " ";
}

std::string hostArguments(const std::string& playerName) {
    return "-host " + quotedName(playerName);
}

std::string joinArguments(const ServerEntry& server, const std::string& playerName) {
    std::string text = " -connect=" + server.ip + " -port=" + server.port;
    if (!server.pass.empty()) {
        text += " -password=" + server.pass;
    }
    text += server.sockets ? " -sockets " : " -dplay ";
    return text + " " + quotedName(playerName);
}

std::string launchCommandLine(const Store& store, int serverRow, const std::vector<bool>& ticks,
                              const std::string& arguments) {
    std::string modText;
    if (serverRow == -1) {
        modText = tickedModText(store.mods, ticks);
    } else if (serverRow >= 0 && serverRow <= store.servers.lastRow) {
        modText = store.servers[serverRow].mods;
    } else {
        throw Exception("List index out of bounds (" + std::to_string(serverRow) + ")");
    }
    if (!modText.empty() && modText.back() == ';') {
        modText.back() = ' ';
    }

    const LauncherSettings& s = store.settings;
    std::string line = s.executable;
    if (s.nomap) {
        line += " -nomap";
    }
    if (s.nosplash) {
        line += " -nosplash";
    }
    if (s.window) {
        line += " -window";
    }
    if (!modText.empty()) {
        line += " -mod=" + modText;
    }
    return line + " " + arguments;
}

std::vector<std::string> splitArguments(std::string_view text) {
    std::vector<std::string> args;
    size_t i = 0;
    for (;;) {
        while (i < text.size() && blank(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            return args;
        }
        std::string arg;
        bool quoted = false;
        while (i < text.size() && (quoted || !blank(text[i]))) {
            if (text[i] == '\\') {
                size_t n = 0;
                for (; i < text.size() && text[i] == '\\'; ++i) {
                    ++n;
                }
                if (i < text.size() && text[i] == dq) {
                    arg.append(n / 2, '\\');
                    if (n % 2 == 1) {
                        arg += dq;
                        ++i;
                    }
                } else {
                    arg.append(n, '\\');
                }
            } else if (text[i] == dq) {
                if (quoted && i + 1 < text.size() && text[i + 1] == dq) {
                    arg += dq;
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += text[i++];
            }
        }
        args.push_back(std::move(arg));
    }
}

std::optional<ProgramStart> resolveCommandLine(std::string_view line, const FileTest& isFile,
                                               size_t programLimit) {
    const size_t limit = std::min(programLimit, line.size());
    if (!line.empty() && line.front() == dq) {
        size_t close = line.find(dq, 1);
        size_t end = close == std::string_view::npos ? line.size() : close;
        if (end > limit) {
            return std::nullopt;
        }
        std::optional<std::string> program =
            existingProgram(std::string(line.substr(1, end - 1)), isFile);
        if (!program) {
            return std::nullopt;
        }
        auto [argv0, next] = programName(line);
        return withArguments(std::move(*program), std::move(argv0), line.substr(next));
    }
    for (size_t end = 1; end <= limit; ++end) {
        if (end < line.size() && !blank(line[end])) {
            continue;
        }
        std::string name(line.substr(0, end));
        if (std::optional<std::string> program = existingProgram(name, isFile)) {
            return withArguments(std::move(*program), std::move(name), line.substr(end));
        }
    }
    return std::nullopt;
}

} // namespace vkr
