// Test equipment, never part of the program: Wine's own subst.exe does nothing, so the
// tests put this one in its place in the prefix's system folder. It behaves as Windows'
// subst does, on DefineDosDevice and QueryDosDevice: no arguments lists
// "X:\: => C:\DATA" lines in the OEM code page (as subst writes into a file), "X: path"
// makes a substitution, "X: /d" removes one; errors exit with 1.
// OSTREL_SUBST_DELAY_MS makes every run take that long first (for the wait benchmark).
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dos_device_win32.h"

using namespace ostrel::test;

int main(int argc, char** argv) {
    const auto fail = [](const char* message, const std::string& argument) {
        std::printf("%s%s\n", message, argument.c_str()); // text mode writes CR LF
        return 1;
    };
    if (const char* delay = std::getenv("OSTREL_SUBST_DELAY_MS")) {
        Sleep(static_cast<DWORD>(std::atoi(delay)));
    }
    if (argc == 1) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            std::string folder = substitutedFolder(letter);
            CharToOemBuffA(folder.data(), folder.data(), static_cast<DWORD>(folder.size()));
            if (!folder.empty()) {
                std::printf("%c:\\: => %s\n", letter, folder.c_str());
            }
        }
        return 0;
    }
    const std::string argument = argv[1], target = argc == 3 ? argv[2] : "";
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(argument[0])));
    const std::string drive{letter, ':'};
    if (argc != 3 || argument.size() != 2 || argument[1] != ':' || letter < 'A' || letter > 'Z') {
        return fail("Invalid parameter - ", argument);
    }
    if (target == "/d" || target == "/D") {
        return removeSubstitution(letter) ? 0 : fail("Invalid parameter - ", drive);
    }
    if (GetLogicalDrives() & (1u << (letter - 'A'))) {
        return fail("Drive already SUBSTed", "");
    }
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(target.c_str(), sizeof full, full, nullptr);
    const DWORD attributes = length < sizeof full ? GetFileAttributesA(full) : 0;
    std::string folder = full;
    if (folder.size() > 3 && folder.back() == '\\') {
        folder.pop_back();
    }
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        !DefineDosDeviceA(0, drive.c_str(), folder.c_str())) {
        return fail("Path not found - ", target);
    }
    return 0;
}
