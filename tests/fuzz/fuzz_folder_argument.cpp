// The folder rule of the subst command line on any text: a folder it takes comes back
// from the argument, split by the standard command-line rules, as one argument naming
// it (a closing backslash may go, never a drive root's), or as none for a blank folder;
// no character the interpreter acts on stands outside the quotes.
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "drives/command_runner.h"

namespace {

// Blanks part arguments outside quotes; 2n backslashes before a quote give n and the
// quote opens or closes, 2n+1 give n and a plain quote; other backslashes stand.
std::vector<std::string> splitArguments(const std::string& line) {
    std::vector<std::string> args;
    bool quoted = false, open = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        std::size_t n = 0;
        while (line[i] == '\\' && i + 1 < line.size() && ++n) {
            ++i;
        }
        const char c = line[i];
        if (!open && (c != ' ' || n > 0)) {
            args.emplace_back();
            open = true;
        }
        if (c == '"') {
            args.back().append(n / 2, '\\');
            quoted = n % 2 == 0 ? !quoted : quoted;
            args.back().append(n % 2, '"');
        } else if (c == ' ' && !quoted) {
            if (n > 0) {
                args.back().append(n, '\\');
            }
            open = false;
        } else {
            args.back().append(n, '\\').push_back(c);
        }
    }
    return args;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder(reinterpret_cast<const char*>(data), size);
    const auto argument = ostrel::substFolderArgument(folder);
    const bool unsafe = std::any_of(folder.begin(), folder.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c == '%' || c == '"' || c < 0x20 || c == 0x7F;
    });
    assert(argument.has_value() == !unsafe);
    if (!argument) {
        return 0;
    }
    bool quoted = false;
    for (const char c : *argument) {
        quoted = c == '"' ? !quoted : quoted;
        assert(quoted || std::string("&^(),;=<>|").find(c) == std::string::npos);
    }
    const auto first = folder.find_first_not_of(' ');
    const auto args = splitArguments(*argument);
    if (first == std::string::npos) {
        assert(args.empty());
        return 0;
    }
    const std::string trimmed = folder.substr(first, folder.find_last_not_of(' ') - first + 1);
    assert(!quoted && args.size() == 1 && trimmed.rfind(args[0], 0) == 0);
    assert(trimmed.find_first_not_of('\\', args[0].size()) == std::string::npos);
    assert(args[0] == trimmed || !(args[0].size() == 2 && args[0][1] == ':'));
    return 0;
}
