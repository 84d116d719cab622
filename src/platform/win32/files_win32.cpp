#include "platform/win32/files_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/system_error_win32.h"
#include "platform/win32/unique_handle_win32.h"
#include "support/paths.h"

namespace ostrel {

void Win32FileSystem::setCurrentDirectory(const std::string& path) {
    if (!SetCurrentDirectoryA(path.c_str())) {
        raise(err::PathNotFound, path);
    }
}

std::string Win32FileSystem::currentDirectoryOfDrive(char letter) {
    // "X:" alone names the drive's current directory.
    const char drive[3] = {letter, ':', '\0'};
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(drive, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        raise(err::PathNotFound);
    }
    return std::string(full, length);
}

std::string Win32FileSystem::readFile(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        raiseSystemError(GetLastError(), path);
    }
    std::string content;
    char buffer[8192];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    return content;
}

void Win32FileSystem::deleteFile(const std::string& path) {
    if (!DeleteFileA(path.c_str())) {
        raiseSystemError(GetLastError(), path);
    }
}

bool Win32FileSystem::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::string Win32FileSystem::newTempFile(const std::string& folder) {
    char path[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "ost", 0, path) == 0) {
        raiseSystemError(GetLastError(), folder);
    }
    return path;
}

namespace {

// The path in the ANSI code page, or "" when a letter of it has no place there.
std::string exactAnsi(const std::wstring& path) {
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0,
                                         nullptr, &lossy);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, narrow.data(), size,
                        nullptr, &lossy);
    narrow.resize(narrow.empty() ? 0 : narrow.size() - 1);
    return lossy ? std::string() : narrow;
}

// The folder with its closing backslash when its name can go into the ANSI functions
// with room for a temporary file's name after it; else "".
std::string usableFolder(const std::wstring& folder) {
    std::string path = exactAnsi(folder);
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    return path.size() > 1 && path.size() < MAX_PATH - 14 ? path : std::string();
}

} // namespace

std::string Win32FileSystem::tempFolder() {
    std::vector<wchar_t> folder(32768);
    const DWORD length = GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    const std::wstring temp(folder.data(), length < folder.size() ? length : 0);
    if (const std::string path = usableFolder(temp); !path.empty()) {
        return path;
    }
    const DWORD shortLength =
        GetShortPathNameW(temp.c_str(), folder.data(), static_cast<DWORD>(folder.size()));
    if (shortLength > 0 && shortLength < folder.size()) {
        if (const std::string path = usableFolder(std::wstring(folder.data(), shortLength));
            !path.empty()) {
            return path;
        }
    }
    // The system's own temporary folder, where every user may make files of their own.
    char windows[MAX_PATH];
    const UINT windowsLength = GetSystemWindowsDirectoryA(windows, MAX_PATH);
    if (windowsLength == 0 || windowsLength >= MAX_PATH - 20) {
        raise(err::PathNotFound, "%TEMP%");
    }
    return FixPath(std::string(windows, windowsLength)) + "Temp\\";
}

std::string Win32FileSystem::systemFolder() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        raise(err::PathNotFound, "system folder");
    }
    return FixPath(std::string(folder, length));
}

std::string Win32FileSystem::consoleToAnsi(const std::string& text) {
    if (text.empty()) {
        return text;
    }
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_OEMCP, 0, text.data(), size, nullptr, 0);
    std::wstring unicode(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_OEMCP, 0, text.data(), size, unicode.data(), wide);
    const int narrow =
        WideCharToMultiByte(CP_ACP, 0, unicode.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(CP_ACP, 0, unicode.data(), wide, ansi.data(), narrow, nullptr, nullptr);
    return ansi;
}

std::uint32_t Win32DriveMask::logicalDrives() {
    return GetLogicalDrives();
}

} // namespace ostrel
