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

namespace {

using ostrel::test::kSubstPrefix;
using ostrel::test::substitutedFolder;

// ANSI text in the OEM code page, as subst writes into a file.
std::string oem(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    std::string text(wide.size() * 2, '\0');
    text.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_OEMCP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                            static_cast<int>(text.size()), nullptr, nullptr)));
    return text;
}

bool isDriveArgument(const std::string& arg) {
    return arg.size() == 2 && std::isalpha(static_cast<unsigned char>(arg[0])) && arg[1] == ':';
}

int fail(const char* message, const std::string& argument) {
    std::printf("%s%s\n", message, argument.c_str()); // text mode writes CR LF
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (const char* delay = std::getenv("OSTREL_SUBST_DELAY_MS")) {
        Sleep(static_cast<DWORD>(std::atoi(delay)));
    }
    if (argc == 1) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string folder = substitutedFolder(letter);
            if (!folder.empty()) {
                std::printf("%c:\\: => %s\n", letter, oem(folder).c_str());
            }
        }
        return 0;
    }
    if (argc != 3) {
        return fail("Incorrect number of parameters - ", argc > 3 ? argv[3] : argv[1]);
    }
    std::string drive = argv[1];
    const std::string target = argv[2];
    if (!isDriveArgument(drive)) {
        return fail("Invalid parameter - ", drive);
    }
    drive[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    if (target == "/d" || target == "/D") {
        if (substitutedFolder(drive[0]).empty()) {
            return fail("Invalid parameter - ", drive);
        }
        const std::string folder = std::string(kSubstPrefix) + substitutedFolder(drive[0]);
        if (!DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH |
                                  DDD_EXACT_MATCH_ON_REMOVE,
                              drive.c_str(), folder.c_str())) {
            return fail("Invalid parameter - ", drive);
        }
        return 0;
    }
    if (GetLogicalDrives() & (1u << (drive[0] - 'A'))) {
        return fail("Drive already SUBSTed", "");
    }
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(target.c_str(), sizeof full, full, nullptr);
    const DWORD attributes = length ? GetFileAttributesA(full) : INVALID_FILE_ATTRIBUTES;
    if (length == 0 || length >= sizeof full || attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return fail("Path not found - ", target);
    }
    std::string folder = full;
    if (folder.size() > 3 && folder.back() == '\\') {
        folder.pop_back();
    }
    if (!DefineDosDeviceA(0, drive.c_str(), folder.c_str())) {
        return fail("Path not found - ", target);
    }
    return 0;
}
