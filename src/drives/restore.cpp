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

// The subst text for one saved entry ("subst X: C:\DATA"). ProcedureError 9 when the
// entry has no second piece; 5 when its drive is no letter with its colon or its
// folder cannot pass the command interpreter safely.
std::string substText(const std::string& entry) {
    const auto saved = layout::splitSavedEntry(entry);
    if (!saved) {
        raise(err::SubscriptOutOfRange);
    }
    const auto folder = substFolderArgument(saved->folder);
    if (!isDriveLetter(saved->drive) || !folder) {
        raise(err::InvalidCall);
    }
    return "subst " + saved->drive + " " + *folder;
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
            std::string text;
            try {
                text = substText(entry);
            } catch (const ProcedureError& e) {
                showReport(platform.boxes, e, procedure, kModule);
                continue;
            }
            // A run that fails (a letter in use, a folder gone) is not looked at: the
            // next entry follows. An interpreter that cannot start ends the restore.
            const int processId =
                StartCommand(platform.processes, interpreterCommandLine(text), kSwHide);
            SHWait(platform.processes, platform.events, platform.boxes, processId);
            platform.events.doEvents();
        }
    });
}

} // namespace ostrel
