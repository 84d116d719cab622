#include "platform/win32/program_info_win32.h"

#include <windows.h>

#include <vector>

namespace ostrel {

std::string Win32ProgramInfo::modulePath() {
    std::vector<char> path(MAX_PATH);
    while (true) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            return std::string(path.data(), length);
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
    const std::string path = modulePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return info;
    }
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
        return info;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = LOWORD(fixed->dwFileVersionLS);
    }
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    std::string table = "040904B0";
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translations), &length) &&
        length >= sizeof(Translation)) {
        char name[9];
        wsprintfA(name, "%04X%04X", translations->language, translations->codePage);
        table = name;
    }
    const auto text = [&](const char* field) {
        const std::string query = "\\StringFileInfo\\" + table + "\\" + field;
        char* value = nullptr;
        UINT chars = 0;
        if (VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars) &&
            value && chars > 0) {
            return std::string(value);
        }
        return std::string();
    };
    info.fileDescription = text("FileDescription");
    info.productName = text("ProductName");
    info.comments = text("Comments");
    info.legalCopyright = text("LegalCopyright");
    return info;
}

} // namespace ostrel
