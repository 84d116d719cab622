// Re-creating the saved drive set, as Windows starts the program at logon ("-r").
#pragma once

#include <string>

namespace ostrel {

struct Platform;
class SettingsStore;

// Runs one subst per saved entry, Drives1 up to "Count", in order, each after the
// previous run has ended, in the working directory absRoot. An entry that cannot be
// used is reported and skipped; the entries after it are still restored. Absent
// entries in a row give one report together, so a "Count" far above the saved
// entries cannot flood the logon with message boxes.
void SetUpVDrives(Platform& platform, SettingsStore& settings, const std::string& absRoot);

} // namespace ostrel
