// The layout of everything the program keeps between runs: every key path, value
// name, section and format, and how stored texts are read back. Other modules take
// their names from here and never spell them themselves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel::layout {

// --- The per-user settings store ---------------------------------------------------
inline constexpr const char* kApp = "Ostrel";
// Where the store keeps a section under HKEY_CURRENT_USER, one string value per key:
// "Software\VB and VBA Program Settings\" + application + "\" + section, as earlier
// versions of the program kept it.
std::string settingsSectionKey(const std::string& app, const std::string& section);
inline constexpr const char* kSectionMain = "main";
inline constexpr const char* kSectionConfig = "Config";
// In "main": "no" once the first-run question has been asked.
inline constexpr const char* kFirstTime = "FirstTime";
inline constexpr const char* kFirstTimeAsked = "no";
// In "Config": the restore flag, the number of saved entries and the entries.
inline constexpr const char* kRestore = "Restore";
inline constexpr const char* kRestoreOn = "1";
inline constexpr const char* kCount = "Count";
// "Drives1", "Drives2", ...: position counted from 1, no leading zeros.
std::string drivesKey(int position);

// --- The vendor key (HKEY_CURRENT_USER) ----------------------------------------------
// "Software\Brenmoor Software\" + the program's file name without extension + "\Main":
// a copy of the program under another name starts with an empty vendor key.
std::string vendorKey(const std::string& exeName);
inline constexpr const char* kPathName = "PathName";
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kTop = "Top";
inline constexpr const char* kDriveIndex = "DriveIndex";

// --- Windows' own places ------------------------------------------------------------
// The Run key, under HKEY_LOCAL_MACHINE, or HKEY_CURRENT_USER for a user who may not
// write the machine-wide one.
inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValue = "Ostrel";
// The folder verb under HKEY_CLASSES_ROOT; its command is the default value of the
// command key. No value is set on the verb key, so Explorer shows the key's name.
inline constexpr const char* kVerbKey = "Folder\\shell\\Create Virtual Drive";
inline constexpr const char* kVerbCommandKey = "Folder\\shell\\Create Virtual Drive\\command";
inline constexpr const char* kVerbCommandValue = "";
// Where HKEY_CLASSES_ROOT's keys live for one user, under HKEY_CURRENT_USER.
std::string userClassesKey(const std::string& classesPath);

// The start-up command: the program's folder with one trailing backslash, its file
// name without extension, ".exe -r". A path holding a blank is put in double quotes,
// so Windows cannot start a program named by the path's first words instead.
std::string startupCommand(const std::string& folder, const std::string& exeName);
// The folder verb's command: as above, without ".exe", then " -ADD %1".
std::string verbCommand(const std::string& folder, const std::string& exeName);

// --- Saved virtual drive entries ------------------------------------------------------
// The list row's drive text, "=>", its folder text: "X:\=>C:\DATA".
std::string savedEntry(const std::string& driveText, const std::string& folderText);

struct SavedDrive {
    std::string drive;  // the first two characters of the first piece ("X:")
    std::string folder; // the whole second piece, untrimmed
};
// Splits an entry at every "=>"; a third piece is ignored. Nothing when the text has
// no second piece (an absent entry, or one without "=>").
std::optional<SavedDrive> splitSavedEntry(const std::string& entry);

// --- Conversions on reading -------------------------------------------------------------
// "Restore" and "Count": the value of the text's leading number (0 for none), rounded
// half-way to even. ProcedureError 6 (Overflow) when it does not fit 16 bits.
std::int16_t storedWholeNumber(const std::string& text);

// "Left" and "Top" as single precision. Nothing when the value is absent or is not a
// number as a whole (or is beyond single precision): such a value counts as absent.
std::optional<float> storedWindowPosition(const std::optional<std::string>& value);

// "Left" and "Top" place the window on the virtual screen in twips at 96 dots per inch,
// 15 to the pixel, whatever the scale of its monitor: older versions read them as twips,
// and a place stored on a monitor at one scale is the same place read at another.
inline constexpr int kTwipsPerPixel = 15;
// A stored place in whole pixels of the virtual screen.
int windowPositionPixels(int twips);
std::string windowPositionText(int pixels);

// "DriveIndex" as a 16-bit whole number, half-way values to even. Nothing when the
// value is absent, not a number, or does not fit 16 bits: it then counts as absent.
std::optional<std::int16_t> storedDriveIndex(const std::optional<std::string>& value);

// Whether "FirstTime" asks for the first-run question: exactly "yes", or empty.
bool isFirstRun(const std::string& firstTime);

} // namespace ostrel::layout
