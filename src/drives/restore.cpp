#include "drives/restore.h"

#include <cstdint>
#include <vector>

#include "drives/command_runner.h"
#include "drives/folder_check.h"
#include "drives/free_letters.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "report/error_report.h"
#include "settings/layout.h"
#include "settings/settings_store.h"
#include "support/text.h"
#include "support/vb.h"

namespace ostrel {
namespace {

constexpr const char* kModule = "frmmain";
constexpr const char* kWhatToDo =
    "Open Ostrel, check its list of virtual drives, then uncheck \"Restore current virtual "
    "drives the next time windows starts.\" and check it again: the set is saved anew.";

// A saved entry, or a run of them, that could not be restored: the error number, the
// value's name (and text) and why.
struct Unrestored {
    int number;
    std::string entry;
    std::string why;
};

// A value's name and its text, cut where a long one would flood the message, a control
// character shown as a blank.
std::string named(const std::string& name, const std::string& text) {
    constexpr std::size_t kShown = 80;
    std::string shown = firstChars(text, kShown);
    const bool cut = shown.size() < text.size();
    for (char& c : shown) {
        c = static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    return name + " \"" + shown + (cut ? "...\"" : "\"");
}

// The folder as subst keeps it: without blanks at its ends or a closing backslash (a
// drive root keeps its own), compared without the case of ASCII letters.
std::string folderKey(const std::string& folder) {
    std::string key = asciiUpper(vb::Trim(folder));
    while (key.size() > 3 && key.back() == '\\') {
        key.pop_back();
    }
    return key;
}

// A folder's problem in the few words of a restore message, with its error number.
std::string cause(FolderProblem problem, int& number) {
    switch (problem) {
    case FolderProblem::missing:
        number = err::PathNotFound;
        return "no such folder";
    case FolderProblem::file:
        number = err::PathFileAccess;
        return "a file, not a folder";
    case FolderProblem::refused:
        number = err::PathFileAccess;
        return "subst did not make the drive";
    case FolderProblem::network:
        number = err::InvalidCall;
        return "a network folder, which subst cannot make a drive of";
    default:
        number = err::InvalidCall;
        return "the entry is damaged";
    }
}

// Why subst refused a usable-looking entry: the drive is there already (no problem), its
// letter is taken, or what stands at the folder's path.
std::string whyRefused(Platform& platform, const std::string& drive, const std::string& folder,
                       int& number) {
    const auto current = platform.drives.substitutedFolder(drive[0]);
    if (current && folderKey(*current) == folderKey(folder)) {
        return {};
    }
    const int letter = (drive[0] | 0x20) - 'a';
    if (current || (platform.drives.logicalDrives() >> letter & 1) != 0) {
        number = err::PermissionDenied;
        return "the letter " + drive + " is in use by another drive";
    }
    return cause(folderKindProblem(platform.files.pathKind(vb::Trim(folder))), number);
}

// Restores one entry; what went wrong, if anything.
std::optional<Unrestored> restoreEntry(Platform& platform, const std::string& name,
                                       const std::string& entry) {
    const auto saved = layout::splitSavedEntry(entry);
    if (!saved) {
        return Unrestored{err::SubscriptOutOfRange, named(name, entry),
                          "the entry is damaged (it has no \"=>\")"};
    }
    if (!isDriveLetter(saved->drive)) {
        return Unrestored{err::InvalidCall, named(name, entry), "not a drive letter"};
    }
    if (const FolderProblem problem = folderTextProblem(saved->folder);
        problem != FolderProblem::none) {
        int number = 0;
        std::string why = cause(problem, number);
        return Unrestored{number, named(name, entry), std::move(why)};
    }
    int processId = 0;
    try {
        processId =
            StartCommand(platform.processes, substCommand(platform.processes, platform.files,
                                                          " " + saved->drive, saved->folder));
    } catch (const ProcedureError& error) {
        const std::string why = error.detail.empty() ? error.description : error.detail;
        return Unrestored{error.number, named(name, entry),
                          why.substr(0, why.find_last_not_of('.') + 1)};
    }
    if (SHWait(platform.processes, platform.events, platform.boxes, processId)) {
        int number = 0;
        if (std::string why = whyRefused(platform, saved->drive, saved->folder, number);
            !why.empty()) {
            return Unrestored{number, named(name, entry), why};
        }
    }
    return std::nullopt;
}

// The one message for everything that could not be restored: the first problem's report
// line, then a line for each, then what to do.
void showUnrestored(MessageBoxes& boxes, const std::vector<Unrestored>& unrestored) {
    const Unrestored& first = unrestored.front();
    std::string text =
        reportText({first.number, errorDescription(first.number)}, "SetUpVDrives", kModule) +
        "\r\nThese saved virtual drives could not be restored:";
    for (const Unrestored& one : unrestored) {
        text += "\r\n" + one.entry + ": " + one.why + ".";
    }
    boxes.show(text + "\r\n\r\n" + kWhatToDo, mb::Critical, kAppTitle);
}

} // namespace

void SetUpVDrives(Platform& platform, SettingsStore& settings, const std::string& absRoot,
                  const std::function<bool()>& ending) {
    std::vector<Unrestored> unrestored;
    reported(platform.boxes, __func__, kModule, [&] {
        const std::string countText =
            settings.GetSetting(layout::kApp, layout::kSectionConfig, layout::kCount);
        std::int16_t count = 0;
        try {
            count = layout::storedWholeNumber(countText);
        } catch (const ProcedureError& error) {
            unrestored.push_back({error.number, named(layout::kCount, countText),
                                  "more saved drives than Ostrel can hold"});
        }
        if (count <= 0) {
            return;
        }
        platform.files.setCurrentDirectory(absRoot);
        int gapFrom = 0; // the first of a run of absent entries, which is one line
        const auto endGap = [&](int last) {
            if (gapFrom != 0) {
                const std::string to = gapFrom < last ? " to " + layout::drivesKey(last) : "";
                unrestored.push_back(
                    {err::SubscriptOutOfRange, layout::drivesKey(gapFrom) + to, "missing"});
                gapFrom = 0;
            }
        };
        for (int i = 1; i <= count && !(ending && ending()); ++i) {
            const std::string entry =
                settings.GetSetting(layout::kApp, layout::kSectionConfig, layout::drivesKey(i));
            if (entry.empty()) {
                gapFrom = gapFrom == 0 ? i : gapFrom;
                continue;
            }
            endGap(i - 1);
            if (auto problem = restoreEntry(platform, layout::drivesKey(i), entry)) {
                unrestored.push_back(std::move(*problem));
            }
            platform.events.doEvents();
        }
        endGap(count);
    });
    // At the end of a session no one is there to read it.
    if (!unrestored.empty() && !(ending && ending())) {
        showUnrestored(platform.boxes, unrestored);
    }
}

} // namespace ostrel
