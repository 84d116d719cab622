#include "about/frmabout.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "platform/program_info.h"
#include "platform/registry_key.h"
#include "platform/shell.h"
#include "report/error_report.h"
#include "settings/text_value.h"
#include "support/vb.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "About";

constexpr const char* kWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
// Reading is all the dialog does, and all a standard user may do under the machine's keys.
constexpr std::uint32_t kKeyAccess = keyaccess::Read;
// Room for 1024 characters of text.
constexpr std::uint32_t kValueBuffer = 1024 * 2;

// Runs one step; a failure inside it only makes the result false, with no message.
template <class Body> bool attempt(Body&& body) {
    try {
        return body();
    } catch (const std::exception&) {
        // Dropped on purpose: the dialog's later loading steps and the System Information
        // start fail quietly, into a fallback text or the "unavailable" message.
    } catch (const ProcedureError&) {
        // The same, for the program's own failures.
    }
    return false;
}

// The bytes from the last to the first, two upper-case hexadecimal digits each, after
// "&h": the number a little-endian REG_DWORD holds, as a hexadecimal literal.
std::string hexLiteral(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (auto byte = bytes.rbegin(); byte != bytes.rend(); ++byte) {
        const auto code = static_cast<unsigned char>(*byte);
        text += kDigits[code >> 4];
        text += kDigits[code & 0xF];
    }
    return text;
}

// A path with blanks, quoted, so that the system cannot take a shorter part of it for the
// program ("C:\Program.exe" for "C:\Program Files\...").
std::string programCommand(const std::string& path) {
    if (path.find(' ') == std::string::npos || path.front() == '"') {
        return path;
    }
    return '"' + path + '"';
}

} // namespace

void frmAbout::Form_Load() {
    view_.setCaption("About ");
    const VersionInfo info = platform_.program.version();
    view_.setLabelCaption(AboutLabel::lblTitle, info.fileDescription + " v" +
                                                    std::to_string(info.major) + "." +
                                                    std::to_string(info.revision));
    const std::string lines = vb::Replace(info.legalCopyright, "\\n", "\r\n");
    view_.setLabelCaption(AboutLabel::lblCopyright, vb::Replace(lines, "(c)", "\u00A9"));

    // From here on a step that fails is skipped and loading goes on.
    showRegistration(AboutLabel::lblregname, "RegisteredOwner", "Unregistered Name");
    showRegistration(AboutLabel::lblregcompany, "RegisteredOrganization", "Unregistered Company");
    showRegistration(AboutLabel::lblregserial, "ProductId", "0000-0000-0000-0000");
}

void frmAbout::showRegistration(AboutLabel label, const char* valueName, const char* fallback) {
    attempt([&] {
        view_.setLabelCaption(label, GetString(hkey::LocalMachine, kWindowsKey, valueName));
        if (view_.labelCaption(label).empty()) {
            view_.setLabelCaption(label, fallback);
        }
        return true;
    });
}

void frmAbout::cmdok_Click() {
    reported(platform_.boxes, __func__, kModule, [&] { view_.unload(); });
}

void frmAbout::cmdSysInfo_Click() {
    reported(platform_.boxes, __func__, kModule, [&] { StartSysInfo(); });
}

void frmAbout::lblEMail_Click() {
    reported(platform_.boxes, __func__, kModule, [&] {
        const std::string link = std::string("mailto:") + kSupportEMail +
                                 "?subject=" + "I have question on " +
                                 view_.labelCaption(AboutLabel::lblTitle);
        platform_.shell.shellExecute(view_.hwnd(), "open", link, nullptr, "C:\\", kSwShow);
    });
}

void frmAbout::lblHomePage_Click() {
    reported(platform_.boxes, __func__, kModule, [&] {
        platform_.shell.shellExecute(view_.hwnd(), "open", kHomePage, "", "", kSwShow);
    });
}

void frmAbout::StartSysInfo() {
    const bool started = attempt([&] {
        std::string value;
        std::string command;
        if (GetKeyValue(hkey::LocalMachine, kMsinfoKey, "PATH", value)) {
            command = value;
        } else if (!GetKeyValue(hkey::LocalMachine, kToolsLocationKey, "MSINFO", value)) {
            return false;
        } else if (platform_.files.fileExists(value + "\\MSINFO32.EXE")) {
            command = value + "\\MSINFO32.EXE";
        } else {
            return false;
        }
        return platform_.shell.startProgram(programCommand(command), kSwNormal);
    });
    if (!started) {
        platform_.boxes.show("System Information Is Unavailable At This Time", mb::Ok, kAppTitle);
    }
}

bool frmAbout::GetKeyValue(RegKeyHandle root, const std::string& keyPath,
                           const std::string& valueName, std::string& value) {
    bool read = false;
    reported(platform_.boxes, __func__, kModule, [&] {
        RawRegistry& registry = platform_.registry;
        RegistryKey key(registry);
        if (registry.openKeyEx(root, keyPath, kKeyAccess, key.out()) != 0) {
            return;
        }
        std::string data(kValueBuffer, '\0');
        std::uint32_t type = regtype::None;
        std::uint32_t size = kValueBuffer;
        if (registry.queryValue(key.get(), valueName, &type, data.data(), &size) != 0) {
            return;
        }
        data.resize(std::min(size, kValueBuffer));
        if (type == regtype::Sz) {
            value = registryText(data); // up to its NUL, which text usually ends in
        } else if (type == regtype::Dword) {
            // The number's bytes, the last one dropped when it is 0, as text loses its NUL.
            if (!data.empty() && data.back() == '\0') {
                data.pop_back();
            }
            value = hexLiteral(data);
        }
        read = true;
    });
    if (!read) {
        value.clear();
    }
    return read;
}

std::string frmAbout::GetString(RegKeyHandle root, const std::string& keyPath,
                                const std::string& valueName) {
    std::string text;
    reported(platform_.boxes, __func__, kModule, [&] {
        text = readTextValue(platform_.registry, root, keyPath, valueName).value_or("");
    });
    return text;
}

} // namespace ostrel
