// The program's two hooks into Windows: the start-up entry that restores the saved
// drive set at logon, and Explorer's "Create Virtual Drive" verb for folders.
// Each is written machine-wide first; when Windows refuses that (a standard user may
// not write HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT), the same entry goes under the
// user's own keys, so the hook works instead of failing unseen.
#pragma once

#include <string>

#include "platform/registry.h"

namespace ostrel {

class Reg32Mod;
class ProgramInfo;

// Registers the folder verb and its command (the answer Yes to the first-run question).
void RegisterFolderVerb(Reg32Mod& reg32, ProgramInfo& program);

// Writes the start-up entry ("... -r") under the machine's Run key or, when that does
// not take, under the user's. It stays in one of the two only.
void SaveStartupEntry(Reg32Mod& reg32, ProgramInfo& program);

// Removes the start-up entry from both Run keys.
void RemoveStartupEntry(Reg32Mod& reg32);

// Removes both hooks wherever they start the program at `program` (its full path),
// for every user Windows can reach: the machine's keys, the current user's, every
// user's hive loaded under HKEY_USERS, and the hives of the other profiles, which it
// loads for the purpose (as an administrator or the system account may). A value that
// starts another program stays; so does every user's own data (the saved drive set,
// the settings, the window's state). What the registry refuses stays as it is.
void RemoveIntegration(Reg32Mod& reg32, RawRegistry& registry, const std::string& program);

} // namespace ostrel
