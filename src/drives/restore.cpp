#include "drives/restore.h"

#include <cstdint>

#include "drives/command_runner.h"
#include "drives/free_letters.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "settings/layout.h"
#include "settings/settings_store.h"
#include "support/error_report.h"

namespace ostrel {
namespace {

constexpr const char* kModule = "frmmain";

// The subst run for one saved entry. ProcedureError 9 when the entry has no second
// piece; 5 when its drive is no letter with its colon or its folder cannot be carried
// to subst.
Command substRun(Platform& platform, const std::string& entry) {
    const auto saved = layout::splitSavedEntry(entry);
    if (!saved) {
        raise(err::SubscriptOutOfRange);
    }
    if (!isDriveLetter(saved->drive) || !substPathValue(saved->folder)) {
        raise(err::InvalidCall);
    }
    return substCommand(platform.processes, platform.files, " " + saved->drive, saved->folder);
}

} // namespace

void SetUpVDrives(Platform& platform, SettingsStore& settings, const std::string& absRoot) {
    const char* const procedure = __func__;
    reported(platform.boxes, procedure, kModule, [&] {
        const std::int16_t count = layout::storedWholeNumber(
            settings.GetSetting(layout::kApp, layout::kSectionConfig, layout::kCount));
        if (count == 0) {
            return;
        }
        platform.files.setCurrentDirectory(absRoot);
        bool inGap = false;
        for (int i = 1; i <= count; ++i) {
            const std::string entry =
                settings.GetSetting(layout::kApp, layout::kSectionConfig, layout::drivesKey(i));
            if (entry.empty() && inGap) {
                continue; // this gap has been reported already
            }
            inGap = entry.empty();
            // A run that fails (a letter in use, a folder gone) is not looked at, and one
            // that cannot start is reported: either way the next entry follows.
            int processId = 0;
            try {
                processId = StartCommand(platform.processes, substRun(platform, entry));
            } catch (const ProcedureError& e) {
                showReport(platform.boxes, e, procedure, kModule);
                continue;
            }
            SHWait(platform.processes, platform.events, platform.boxes, processId);
            platform.events.doEvents();
        }
    });
}

} // namespace ostrel
