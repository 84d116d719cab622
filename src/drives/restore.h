// Re-creating the saved drive set, as Windows starts the program at logon ("-r").
#pragma once

#include <functional>
#include <string>

namespace ostrel {

struct Platform;
class SettingsStore;

// Runs one subst per saved entry, Drives1 up to "Count", in order, each after the
// previous run has ended, in the working directory absRoot. An entry that cannot be
// restored (absent, damaged, no drive letter, no such folder, its letter taken) is passed
// over and the entries after it are still restored; at the end one message names each
// such entry, why, and what to do. An entry whose drive exists already is fine. The
// restore stops before the next entry once ending() says so (the session is ending).
void SetUpVDrives(Platform& platform, SettingsStore& settings, const std::string& absRoot,
                  const std::function<bool()>& ending = {});

} // namespace ostrel
