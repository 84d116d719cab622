// Test equipment, never part of the program: Wine's own subst.exe does nothing, so the
// tests put this one in its place in the prefix's system folder. It behaves as Windows'
// subst does, on DefineDosDevice and QueryDosDevice: it takes its arguments in UTF-16;
// no arguments lists "X:\: => C:\DATA" lines, in the console code page with "?" for
// what that page lacks when its output goes to a file; "X: path" makes a substitution,
// "X: /d" removes one; errors exit with 1.
// OSTREL_SUBST_DELAY_MS makes every run take that long first (for the wait benchmark).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <string>

#include "standin/dos_device_win32.h"

using namespace ostrel;
using namespace ostrel::test;

namespace {

// Writes the text as a console program writes into a file: in the console code page.
void print(const std::string& text) {
    const std::wstring unicode = wide(text);
    std::string bytes(unicode.size() * 2, '\0'); // a console code page takes two bytes at most
    const int size = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, unicode.data(),
                                         static_cast<int>(unicode.size()), bytes.data(),
                                         static_cast<int>(bytes.size()), "?", nullptr);
    std::fwrite(bytes.data(), 1, static_cast<std::size_t>(size), stdout); // text mode: CR LF
}

int fail(const std::string& message) {
    print(message + "\n");
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (const char* delay = std::getenv("OSTREL_SUBST_DELAY_MS")) {
        Sleep(static_cast<DWORD>(std::atoi(delay)));
    }
    if (argc == 1) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (const std::string folder = substitutedFolder(letter); !folder.empty()) {
                print(std::string{letter} + ":\\: => " + folder + "\n");
            }
        }
        return 0;
    }
    const std::wstring argument = argv[1], target = argc == 3 ? argv[2] : L"";
    const auto letter = static_cast<char>(std::towupper(argument[0]));
    if (argc != 3 || argument.size() != 2 || argument[1] != L':' || letter < 'A' || letter > 'Z') {
        return fail("Invalid parameter - " + narrow(argument));
    }
    if (target == L"/d" || target == L"/D") {
        return removeSubstitution(letter) ? 0 : fail("Invalid parameter - " + narrow(argument));
    }
    if (GetLogicalDrives() & (1u << (letter - 'A'))) {
        return fail("Drive already SUBSTed");
    }
    wchar_t full[32768] = {};
    const DWORD length = GetFullPathNameW(target.c_str(), 32768, full, nullptr);
    const DWORD attributes = length > 0 && length < 32768 ? GetFileAttributesW(full) : 0;
    std::wstring folder = full;
    if (folder.size() > 3 && folder.back() == L'\\') {
        folder.pop_back();
    }
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        !addSubstitution(letter, narrow(folder))) {
        return fail("Path not found - " + narrow(target));
    }
    return 0;
}
