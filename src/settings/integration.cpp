#include "settings/integration.h"

#include <string>

#include "platform/program_info.h"
#include "settings/layout.h"
#include "settings/reg32mod.h"

namespace ostrel {
namespace {

// Writes a value, and tells whether reading it back gives what was written.
bool savedAndReadBack(Reg32Mod& reg32, RegKeyHandle root, const std::string& path,
                      const std::string& name, const std::string& text) {
    reg32.SaveString(root, path, name, text);
    return reg32.GetString(root, path, name) == text;
}

} // namespace

void RegisterFolderVerb(Reg32Mod& reg32, ProgramInfo& program) {
    const std::string command = layout::verbCommand(program.folder(), program.exeName());
    reg32.SaveKey(hkey::ClassesRoot, layout::kVerbKey);
    reg32.SaveKey(hkey::ClassesRoot, layout::kVerbCommandKey);
    if (savedAndReadBack(reg32, hkey::ClassesRoot, layout::kVerbCommandKey,
                         layout::kVerbCommandValue, command)) {
        return;
    }
    reg32.SaveKey(hkey::CurrentUser, layout::userClassesKey(layout::kVerbKey));
    reg32.SaveKey(hkey::CurrentUser, layout::userClassesKey(layout::kVerbCommandKey));
    reg32.SaveString(hkey::CurrentUser, layout::userClassesKey(layout::kVerbCommandKey),
                     layout::kVerbCommandValue, command);
}

void SaveStartupEntry(Reg32Mod& reg32, ProgramInfo& program) {
    const std::string command = layout::startupCommand(program.folder(), program.exeName());
    if (savedAndReadBack(reg32, hkey::LocalMachine, layout::kRunKey, layout::kRunValue, command)) {
        // A per-user entry left from a run without the rights would restore twice.
        reg32.DeleteValue(hkey::CurrentUser, layout::kRunKey, layout::kRunValue);
        return;
    }
    reg32.SaveString(hkey::CurrentUser, layout::kRunKey, layout::kRunValue, command);
}

void RemoveStartupEntry(Reg32Mod& reg32) {
    reg32.DeleteValue(hkey::LocalMachine, layout::kRunKey, layout::kRunValue);
    reg32.DeleteValue(hkey::CurrentUser, layout::kRunKey, layout::kRunValue);
}

void RemoveIntegration(Reg32Mod& reg32) {
    RemoveStartupEntry(reg32);
    // The user's key first: while it exists, HKEY_CLASSES_ROOT shows it instead of the
    // machine's.
    reg32.DeleteKey(hkey::CurrentUser, layout::userClassesKey(layout::kVerbKey));
    reg32.DeleteKey(hkey::ClassesRoot, layout::kVerbKey);
}

} // namespace ostrel
