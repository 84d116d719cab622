#include "settings/layout.h"

#include <cfloat>
#include <cmath>

#include "support/procedure_error.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/vb.h"

namespace ostrel::layout {
namespace {

constexpr const char* kEntrySeparator = "=>";

// The program file's path; in double quotes when it holds a blank.
std::string programPath(const std::string& folder, const std::string& fileName) {
    const std::string path = FixPath(folder) + fileName;
    if (path.find(' ') == std::string::npos) {
        return path;
    }
    return '"' + path + '"';
}

} // namespace

std::string settingsSectionKey(const std::string& app, const std::string& section) {
    return "Software\\VB and VBA Program Settings\\" + app + "\\" + section;
}

std::string drivesKey(int position) {
    return "Drives" + std::to_string(position);
}

std::string vendorKey(const std::string& exeName) {
    return "Software\\Brenmoor Software\\" + exeName + "\\Main";
}

std::string userClassesKey(const std::string& classesPath) {
    return "Software\\Classes\\" + classesPath;
}

std::string startupCommand(const std::string& folder, const std::string& exeName) {
    return programPath(folder, exeName + ".exe") + " -r";
}

std::string verbCommand(const std::string& folder, const std::string& exeName) {
    return programPath(folder, exeName) + " -ADD %1";
}

std::string savedEntry(const std::string& driveText, const std::string& folderText) {
    return driveText + kEntrySeparator + folderText;
}

std::optional<SavedDrive> splitSavedEntry(const std::string& entry) {
    const auto pieces = vb::Split(entry, kEntrySeparator);
    if (pieces.size() < 2) {
        return std::nullopt;
    }
    return SavedDrive{firstChars(pieces[0], 2), pieces[1]};
}

std::int16_t storedWholeNumber(const std::string& text) {
    return vb::CInt(vb::Val(text));
}

std::optional<float> storedWindowPosition(const std::optional<std::string>& value) {
    if (!value) {
        return std::nullopt;
    }
    const auto number = vb::numericValue(*value);
    if (!number || std::fabs(*number) > FLT_MAX) {
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

int windowPositionPixels(int twips) {
    // To the nearest pixel, half-way values away from zero.
    const int half = twips < 0 ? -kTwipsPerPixel / 2 : kTwipsPerPixel / 2;
    return (twips + half) / kTwipsPerPixel;
}

std::string windowPositionText(int pixels) {
    return std::to_string(static_cast<long long>(pixels) * kTwipsPerPixel);
}

std::optional<std::int16_t> storedDriveIndex(const std::optional<std::string>& value) {
    if (!value) {
        return std::nullopt;
    }
    const auto number = vb::numericValue(*value);
    if (!number) {
        return std::nullopt;
    }
    try {
        return vb::CInt(*number);
    } catch (const ProcedureError&) {
        return std::nullopt; // beyond 16 bits
    }
}

bool isFirstRun(const std::string& firstTime) {
    return firstTime.empty() || firstTime == "yes";
}

} // namespace ostrel::layout
