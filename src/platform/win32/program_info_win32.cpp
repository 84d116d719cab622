#include "platform/win32/program_info_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_win32.h"

namespace ostrel {

Win32ProgramInfo::Win32ProgramInfo(const wchar_t* commandLine)
    : commandLine_(narrow(commandLine != nullptr ? commandLine : L"")) {}

std::string Win32ProgramInfo::modulePath() {
    std::vector<wchar_t> path(MAX_PATH);
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            return narrow(std::wstring_view(path.data(), length));
        }
        path.resize(path.size() * 2);
    }
}

std::string Win32ProgramInfo::folder() {
    const std::string path = modulePath();
    const auto slash = path.find_last_of('\\');
    if (slash == std::string::npos) {
        return {};
    }
    // A drive root keeps its backslash ("C:\"), as the system reports it.
    return slash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, slash);
}

std::string Win32ProgramInfo::exeName() {
    const std::string path = modulePath();
    std::string name = path.substr(path.find_last_of('\\') + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Win32ProgramInfo::commandLine() {
    return commandLine_;
}

VersionInfo Win32ProgramInfo::version() {
    VersionInfo info;
    const std::wstring path = wide(modulePath());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        return info;
    }
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        return info;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = LOWORD(fixed->dwFileVersionLS);
    }
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    std::wstring table = L"040904B0";
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translations), &length) &&
        length >= sizeof(Translation)) {
        wchar_t name[9];
        wsprintfW(name, L"%04X%04X", translations->language, translations->codePage);
        table = name;
    }
    const auto text = [&](const wchar_t* field) {
        const std::wstring query = L"\\StringFileInfo\\" + table + L"\\" + field;
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars) &&
            value && chars > 0) {
            return narrow(value);
        }
        return std::string();
    };
    info.fileDescription = text(L"FileDescription");
    info.productName = text(L"ProductName");
    info.comments = text(L"Comments");
    info.legalCopyright = text(L"LegalCopyright");
    return info;
}

} // namespace ostrel
