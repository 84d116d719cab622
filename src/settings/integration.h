// The program's two hooks into Windows: the start-up entry that restores the saved
// drive set at logon, and Explorer's "Create Virtual Drive" verb for folders.
// Each is written machine-wide first; when Windows refuses that (a standard user may
// not write HKEY_LOCAL_MACHINE or HKEY_CLASSES_ROOT), the same entry goes under the
// user's own keys, so the hook works instead of failing unseen.
#pragma once

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

// Removes both hooks wherever they were written: the start-up entry from both Run keys
// and the folder verb from the machine's and the user's classes. The user's own data
// (the saved drive set, the settings, the window's state) stays.
void RemoveIntegration(Reg32Mod& reg32);

} // namespace ostrel
