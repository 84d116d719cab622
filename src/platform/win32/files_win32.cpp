#include "platform/win32/files_win32.h"

#include <windows.h>

#include "platform/win32/unique_handle_win32.h"
#include "support/error_report.h"

namespace ostrel {
namespace {

[[noreturn]] void raiseForLastError() {
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
        raise(err::FileNotFound);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
        raise(err::PathNotFound);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        raise(err::PermissionDenied);
    default:
        raise(err::PathFileAccess);
    }
}

} // namespace

void Win32FileSystem::setCurrentDirectory(const std::string& path) {
    if (!SetCurrentDirectoryA(path.c_str())) {
        raise(err::PathNotFound);
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

std::uint64_t Win32FileSystem::fileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        raiseForLastError();
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Win32FileSystem::readFile(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        raiseForLastError();
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
        raiseForLastError();
    }
}

bool Win32FileSystem::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::string Win32FileSystem::tempFolder() {
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH) {
        raise(err::PathNotFound);
    }
    std::string path(folder, length);
    if (path.back() != '\\') {
        path += '\\';
    }
    return path;
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
