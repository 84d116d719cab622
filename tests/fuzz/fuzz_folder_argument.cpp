// The folder rule of the subst command line on any text. A folder it takes comes back
// from the argument, split as a program splits its command line, as one argument
// naming the same folder (a closing backslash may go), or as none for a blank folder;
// and no character the interpreter acts on stands outside the quotes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "drives/command_runner.h"
#include "fuzz_check.h"

namespace {

// The standard rules: blanks part arguments outside quotes; 2n backslashes before a
// quote give n and the quote opens or closes, 2n+1 give n and a plain quote; other
// backslashes stand as they are; "" inside quotes is a plain quote.
std::vector<std::string> splitArguments(const std::string& line) {
    std::vector<std::string> args;
    std::string current;
    bool quoted = false, inArgument = false;
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if (c == '\\') {
            std::size_t n = 0;
            for (; i < line.size() && line[i] == '\\'; ++i) {
                ++n;
            }
            const bool beforeQuote = i < line.size() && line[i] == '"';
            current.append(beforeQuote ? n / 2 : n, '\\');
            if (beforeQuote && n % 2 == 1) {
                current += '"';
                ++i;
            }
            inArgument = true;
        } else if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                current += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inArgument = true;
            ++i;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                args.push_back(current);
                current.clear();
                inArgument = false;
            }
            ++i;
        } else {
            current += c;
            inArgument = true;
            ++i;
        }
    }
    if (inArgument) {
        args.push_back(current);
    }
    return args;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder(reinterpret_cast<const char*>(data), size);
    const auto argument = ostrel::substFolderArgument(folder);
    bool unsafe = false;
    for (const char ch : folder) {
        const auto c = static_cast<unsigned char>(ch);
        unsafe = unsafe || c == '%' || c == '"' || c < 0x20 || c == 0x7F;
    }
    FUZZ_EXPECT(argument.has_value() == !unsafe);
    if (!argument) {
        return 0;
    }

    bool quoted = false;
    for (const char c : *argument) {
        quoted = c == '"' ? !quoted : quoted;
        FUZZ_EXPECT(quoted || c == '"' || std::string("&^(),;=<>|").find(c) == std::string::npos);
    }
    FUZZ_EXPECT(!quoted);

    const auto first = folder.find_first_not_of(' ');
    const std::string trimmed =
        first == std::string::npos ? ""
                                   : folder.substr(first, folder.find_last_not_of(' ') - first + 1);
    const auto args = splitArguments(*argument);
    if (trimmed.empty()) {
        FUZZ_EXPECT(args.empty());
        return 0;
    }
    FUZZ_EXPECT(args.size() == 1);
    const std::string& back = args[0];
    // Only closing backslashes may go, and never the one of a drive root.
    FUZZ_EXPECT(trimmed.rfind(back, 0) == 0);
    FUZZ_EXPECT(trimmed.find_first_not_of('\\', back.size()) == std::string::npos);
    FUZZ_EXPECT(back == trimmed || !(back.size() == 2 && back[1] == ':'));
    return 0;
}
