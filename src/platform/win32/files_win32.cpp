#include "platform/win32/files_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/system_error_win32.h"
#include "platform/win32/unique_handle_win32.h"
#include "platform/win32/wide_win32.h"
#include "support/paths.h"

namespace ostrel {
namespace {

// A text the system writes into a buffer it is asked the length of first: a folder name,
// an environment variable. Empty when the call fails.
template <class Call> std::wstring systemText(Call&& call) {
    std::vector<wchar_t> buffer(MAX_PATH);
    while (true) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(length + 1);
    }
}

// A folder name leaves room for a temporary file's name in a path of MAX_PATH.
constexpr std::size_t kTempFolderRoom = MAX_PATH - 14;

} // namespace

void Win32FileSystem::setCurrentDirectory(const std::string& path) {
    if (!SetCurrentDirectoryW(wide(path).c_str())) {
        raise(err::PathNotFound, path);
    }
}

std::string Win32FileSystem::currentDirectoryOfDrive(char letter) {
    // "X:" alone names the drive's current directory.
    const wchar_t drive[3] = {static_cast<wchar_t>(letter), L':', L'\0'};
    const std::wstring full = systemText([&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(drive, size, buffer, nullptr);
    });
    if (full.empty()) {
        raise(err::PathNotFound);
    }
    return narrow(full);
}

std::string Win32FileSystem::readFile(const std::string& path) {
    UniqueHandle file(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
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
    if (!DeleteFileW(wide(path).c_str())) {
        raiseSystemError(GetLastError(), path);
    }
}

bool Win32FileSystem::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

PathKind Win32FileSystem::pathKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES          ? PathKind::none
           : (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::folder
                                                          : PathKind::file;
}

std::string Win32FileSystem::newTempFile(const std::string& folder) {
    wchar_t path[MAX_PATH];
    if (GetTempFileNameW(wide(folder).c_str(), L"ost", 0, path) == 0) {
        raiseSystemError(GetLastError(), folder);
    }
    return narrow(path);
}

std::string Win32FileSystem::tempFolder() {
    const std::wstring temp =
        systemText([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
    if (!temp.empty() && temp.size() < kTempFolderRoom) {
        return FixPath(narrow(temp));
    }
    const std::wstring shortForm = systemText(
        [&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(temp.c_str(), buffer, size); });
    if (!shortForm.empty() && shortForm.size() < kTempFolderRoom) {
        return FixPath(narrow(shortForm));
    }
    // The system's own temporary folder, where every user may make files of their own.
    const std::wstring windows = systemText(
        [](wchar_t* buffer, DWORD size) { return GetSystemWindowsDirectoryW(buffer, size); });
    if (windows.empty() || windows.size() >= kTempFolderRoom - 5) {
        raise(err::PathNotFound, "%TEMP%");
    }
    return FixPath(narrow(windows)) + "Temp\\";
}

std::string Win32FileSystem::systemFolder() {
    const std::wstring folder =
        systemText([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
    if (folder.empty()) {
        raise(err::PathNotFound, "system folder");
    }
    return FixPath(narrow(folder));
}

std::string Win32FileSystem::consoleText(const std::string& bytes) {
    if (bytes.empty()) {
        return bytes;
    }
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), size, text.data(), length);
    return narrow(text);
}

std::string Win32FileSystem::upperCase(const std::string& text) {
    // The invariant locale with the system's own (not a language's) casing: what the file
    // system compares names by.
    const std::wstring from = wide(text);
    const auto map = [&](wchar_t* to, int size) {
        return LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, from.data(),
                             static_cast<int>(from.size()), to, size, nullptr, nullptr, 0);
    };
    std::wstring upper(static_cast<std::size_t>(from.empty() ? 0 : map(nullptr, 0)), L'\0');
    if (upper.empty() || map(upper.data(), static_cast<int>(upper.size())) == 0) {
        return text;
    }
    return narrow(upper);
}

std::uint32_t Win32DriveMask::logicalDrives() {
    return GetLogicalDrives();
}

std::optional<std::string> Win32DriveMask::substitutedFolder(char letter) {
    // A substitution's target is its folder behind "\??\".
    static constexpr std::wstring_view kPrefix = L"\\??\\";
    const wchar_t device[3] = {static_cast<wchar_t>(letter), L':', L'\0'};
    std::vector<wchar_t> target(32768);
    if (QueryDosDeviceW(device, target.data(), static_cast<DWORD>(target.size())) == 0) {
        return std::nullopt;
    }
    const std::wstring_view text(target.data());
    if (text.substr(0, kPrefix.size()) != kPrefix) {
        return std::nullopt;
    }
    return narrow(text.substr(kPrefix.size()));
}

} // namespace ostrel
