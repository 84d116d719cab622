#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/unique_handle_win32.h"
#include "platform/win32/wide_win32.h"

namespace ostrel {
namespace {

// The predefined roots are 32-bit values that the system sign-extends on 64 bits
// (HKEY_CURRENT_USER is 0xFFFFFFFF80000001 there); opened keys pass as they are.
HKEY toHkey(RegKeyHandle key) {
    if (key >= 0x80000000u && key <= 0x800000FFu) {
        return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
    }
    return reinterpret_cast<HKEY>(key);
}

// Hands an opened key on; no handle is handed on from a failed call.
long handOn(LONG result, HKEY opened, RegKeyHandle& key) {
    key = result == ERROR_SUCCESS ? reinterpret_cast<RegKeyHandle>(opened) : 0;
    return result;
}

} // namespace

long Win32Registry::createKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) {
    HKEY opened = nullptr;
    const LONG result = RegCreateKeyW(toHkey(root), wide(path).c_str(), &opened);
    return handOn(result, opened, key);
}

long Win32Registry::openKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyW(toHkey(root), wide(path).c_str(), &opened);
    return handOn(result, opened, key);
}

long Win32Registry::openKeyEx(RegKeyHandle root, const std::string& path, std::uint32_t access,
                              RegKeyHandle& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExW(toHkey(root), wide(path).c_str(), 0, access, &opened);
    return handOn(result, opened, key);
}

long Win32Registry::queryValue(RegKeyHandle key, const std::string& name, std::uint32_t* type,
                               char* data, std::uint32_t* size) {
    DWORD valueType = type ? *type : 0;
    DWORD byteCount = size ? *size : 0;
    const LONG result =
        RegQueryValueExW(toHkey(key), wide(name).c_str(), nullptr, &valueType,
                         reinterpret_cast<BYTE*>(data), size ? &byteCount : nullptr);
    if (type) {
        *type = valueType;
    }
    if (size) {
        *size = byteCount;
    }
    return result;
}

long Win32Registry::setValue(RegKeyHandle key, const std::string& name, std::uint32_t type,
                             const char* data, std::uint32_t size) {
    // The data with two zero bytes after it: Wine looks at the character after a text to
    // see whether the text ends there, and must find a terminator, never stray memory.
    std::string padded(data, size);
    padded.append(2, '\0');
    return RegSetValueExW(toHkey(key), wide(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(padded.data()), size);
}

long Win32Registry::deleteValue(RegKeyHandle key, const std::string& name) {
    return RegDeleteValueW(toHkey(key), wide(name).c_str());
}

long Win32Registry::deleteTree(RegKeyHandle root, const std::string& path) {
    // With a subkey named, the key itself goes too, after everything below it.
    return RegDeleteTreeW(toHkey(root), wide(path).c_str());
}

long Win32Registry::closeKey(RegKeyHandle key) {
    return RegCloseKey(toHkey(key));
}

long Win32Registry::enumKey(RegKeyHandle key, std::uint32_t index, std::string& name) {
    wchar_t buffer[256]; // the longest key name, 255 characters, and its NUL
    DWORD length = 256;
    const LONG result =
        RegEnumKeyExW(toHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    name = result == ERROR_SUCCESS ? narrow(std::wstring_view(buffer, length)) : std::string();
    return result;
}

long Win32Registry::loadHive(RegKeyHandle root, const std::string& name, const std::string& file) {
    // Loading a hive needs the backup and restore privileges, which an administrator's
    // and the system's tokens hold but do not enable. A failure shows in RegLoadKeyW.
    HANDLE opened = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &opened);
    const UniqueHandle token(opened);
    for (const wchar_t* privilege : {L"SeBackupPrivilege", L"SeRestorePrivilege"}) {
        TOKEN_PRIVILEGES enabled{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
        if (token && LookupPrivilegeValueW(nullptr, privilege, &enabled.Privileges[0].Luid)) {
            AdjustTokenPrivileges(token.get(), FALSE, &enabled, 0, nullptr, nullptr);
        }
    }
    std::vector<wchar_t> expanded(32768);
    const DWORD length = ExpandEnvironmentStringsW(wide(file).c_str(), expanded.data(),
                                                   static_cast<DWORD>(expanded.size()));
    if (length == 0 || length > expanded.size()) {
        return ERROR_FILENAME_EXCED_RANGE;
    }
    return RegLoadKeyW(toHkey(root), wide(name).c_str(), expanded.data());
}

long Win32Registry::unloadHive(RegKeyHandle root, const std::string& name) {
    return RegUnLoadKeyW(toHkey(root), wide(name).c_str());
}

} // namespace ostrel
