#include "settings/integration.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/program_info.h"
#include "platform/registry_key.h"
#include "settings/layout.h"
#include "settings/reg32mod.h"
#include "settings/text_value.h"
#include "support/text.h"
#include "support/vb.h"

namespace ostrel {
namespace {

// Writes a value, and tells whether reading it back gives what was written.
bool savedAndReadBack(Reg32Mod& reg32, RegKeyHandle root, const std::string& path,
                      const std::string& name, const std::string& text) {
    reg32.SaveString(root, path, name, text);
    return reg32.GetString(root, path, name) == text;
}

constexpr const char* kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
// Where a profile keeps its two hives: the user's own and the user's classes.
constexpr const char* kUserHive = "\\NTUSER.DAT";
constexpr const char* kClassesHive = "\\AppData\\Local\\Microsoft\\Windows\\UsrClass.dat";
constexpr const char* kClassesSuffix = "_Classes";
constexpr const char* kLoadedPrefix = "Ostrel-"; // the hives this run loads, by profile

// The names of a key's subkeys; none when it cannot be read.
std::vector<std::string> subkeys(RawRegistry& registry, RegKeyHandle root,
                                 const std::string& path) {
    std::vector<std::string> names;
    RegistryKey key(registry);
    if (registry.openKey(root, path, key.out()) != 0) {
        return names;
    }
    std::string name;
    for (std::uint32_t index = 0; registry.enumKey(key.get(), index, name) == 0; ++index) {
        names.push_back(name);
    }
    return names;
}

// A profile's folder as ProfileList has it (a REG_EXPAND_SZ, its variables left for the
// loading to expand); empty when it cannot be read.
std::string profileFolder(RawRegistry& registry, const std::string& sid) {
    RegistryKey key(registry);
    std::uint32_t type = regtype::None;
    std::uint32_t size = 0;
    if (registry.openKey(hkey::LocalMachine, std::string(kProfileList) + "\\" + sid, key.out()) !=
            0 ||
        registry.queryValue(key.get(), "ProfileImagePath", &type, nullptr, &size) != 0 ||
        (type != regtype::Sz && type != regtype::ExpandSz)) {
        return {};
    }
    std::string folder(size, '\0');
    if (registry.queryValue(key.get(), "ProfileImagePath", &type, folder.data(), &size) != 0) {
        return {};
    }
    return registryText(folder);
}

// Whether a hook's command starts the program at `program` with `arguments`: as this
// program writes it (the path quoted when it holds a blank), or unquoted, as earlier
// versions wrote it. The case of ASCII letters does not matter, as in the file system.
bool starts(const std::optional<std::string>& command, const std::string& program,
            const std::string& arguments) {
    if (!command) {
        return false;
    }
    std::string text = vb::Trim(*command);
    if (const auto close = text.find('"', 1);
        text.rfind('"', 0) == 0 && close != std::string::npos) {
        text = text.substr(1, close - 1) + text.substr(close + 1);
    }
    return asciiUpper(text) == asciiUpper(program + arguments);
}

void removeStartup(Reg32Mod& reg32, RegKeyHandle root, const std::string& runKey,
                   const std::string& program) {
    if (starts(reg32.GetString(root, runKey, layout::kRunValue), program, " -r")) {
        reg32.DeleteValue(root, runKey, layout::kRunValue);
    }
}

// The verb's command names the program without ".exe".
void removeVerb(Reg32Mod& reg32, RegKeyHandle root, const std::string& verbKey,
                const std::string& program) {
    const bool exe = asciiUpper(program).ends_with(".EXE");
    const std::string stem = exe ? program.substr(0, program.size() - 4) : program;
    if (starts(reg32.GetString(root, verbKey + "\\command", layout::kVerbCommandValue), stem,
               " -ADD %1")) {
        reg32.DeleteKey(root, verbKey);
    }
}

// The hooks in a hive under HKEY_USERS: in a user's own keys, or at the root of a hive
// of a user's classes.
void removeUserHooks(Reg32Mod& reg32, const std::string& hive, const std::string& program) {
    const std::string at = hive + "\\";
    removeStartup(reg32, hkey::Users, at + layout::kRunKey, program);
    removeVerb(reg32, hkey::Users, at + layout::userClassesKey(layout::kVerbKey), program);
    removeVerb(reg32, hkey::Users, at + layout::kVerbKey, program);
}

// Loads a profile's hive, removes its hooks and unloads it; a hive that cannot be loaded
// (missing, in use, or no privilege to load it) is passed over.
void removeProfileHooks(Reg32Mod& reg32, RawRegistry& registry, const std::string& name,
                        const std::string& file, const std::string& program) {
    if (registry.loadHive(hkey::Users, name, file) == 0) {
        removeUserHooks(reg32, name, program);
        registry.unloadHive(hkey::Users, name);
    }
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

void RemoveIntegration(Reg32Mod& reg32, RawRegistry& registry, const std::string& program) {
    // The user's verb first: while it exists, HKEY_CLASSES_ROOT shows it instead of the
    // machine's.
    removeStartup(reg32, hkey::LocalMachine, layout::kRunKey, program);
    removeStartup(reg32, hkey::CurrentUser, layout::kRunKey, program);
    removeVerb(reg32, hkey::CurrentUser, layout::userClassesKey(layout::kVerbKey), program);
    removeVerb(reg32, hkey::ClassesRoot, layout::kVerbKey, program);
    const std::vector<std::string> loaded = subkeys(registry, hkey::Users, "");
    for (const std::string& hive : loaded) {
        removeUserHooks(reg32, hive, program);
    }
    for (const std::string& sid : subkeys(registry, hkey::LocalMachine, kProfileList)) {
        const std::string folder = profileFolder(registry, sid);
        if (folder.empty() || std::find(loaded.begin(), loaded.end(), sid) != loaded.end()) {
            continue;
        }
        removeProfileHooks(reg32, registry, kLoadedPrefix + sid, folder + kUserHive, program);
        removeProfileHooks(reg32, registry, kLoadedPrefix + sid + kClassesSuffix,
                           folder + kClassesHive, program);
    }
}

} // namespace ostrel
