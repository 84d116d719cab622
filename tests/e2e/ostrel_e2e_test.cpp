// Ostrel.exe as a user meets it, under Wine: started with its command lines, driven
// through its window's controls and message boxes, checked in the registry and the
// drive table. Each test starts from a known registry state and removes the
// substitutions it made.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>

#include "ostrel_driver.h"
#include "resource.h"
#include "support/dos_device_win32.h"

namespace ostrel::e2e {
namespace {

const std::string kVendor = "Software\\Brenmoor Software\\Ostrel\\Main";
const std::string kSettings = "Software\\VB and VBA Program Settings\\Ostrel";
const std::string kVerb = "Folder\\shell\\Create Virtual Drive";
const std::string kBase = "C:\\ostrel-e2e";
const char* const kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::optional<std::string> readString(HKEY root, const std::string& path, const std::string& name) {
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    if (RegGetValueA(root, path.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ,
                     nullptr, data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data);
}

void writeString(const std::string& path, const std::string& name, const std::string& text) {
    RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_SZ, text.c_str(),
                    static_cast<DWORD>(text.size() + 1));
}

// The folder a drive letter ("R:") stands for in upper case, or "" when it is not a
// substitution.
std::string substitutedFolder(const std::string& letter) {
    return upper(test::substitutedFolder(letter.at(0)));
}

// Under Xvfb no window manager draws frames: for the run, Wine draws the windows' frames
// and captions itself, so that screenshots show them.
class WineDrawsFrames : public ::testing::Environment {
  public:
    void SetUp() override { writeString(kX11Driver, "Managed", "N"); }
    void TearDown() override { RegDeleteKeyValueA(HKEY_CURRENT_USER, kX11Driver, "Managed"); }

  private:
    static constexpr const char* kX11Driver = "Software\\Wine\\X11 Driver";
};
const auto* const kFrames = ::testing::AddGlobalTestEnvironment(new WineDrawsFrames);

struct Ostrel : ::testing::Test {
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brenmoor Software\\Ostrel");
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings.c_str());
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kVerb.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Classes\\" + kVerb).c_str());
        CreateDirectoryA(kBase.c_str(), nullptr);
        removeSubstitutions();
    }
    void TearDown() override {
        removeSubstitutions();
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRun, "Ostrel");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun, "Ostrel");
    }

    static void askedBefore() { writeString(kSettings + "\\main", "FirstTime", "no"); }
    static std::string folder(const std::string& name) {
        const std::string path = kBase + "\\" + name;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    // A letter that no drive uses, from the middle of the alphabet.
    static std::string freeLetter(char after) {
        while (GetLogicalDrives() & (1u << (after - 'A'))) {
            ++after;
        }
        return std::string(1, after) + ":";
    }
    static void removeSubstitutions() {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string device = std::string(1, letter) + ":";
            if (substitutedFolder(device).find(upper(kBase)) != std::string::npos) {
                DefineDosDeviceA(DDD_REMOVE_DEFINITION, device.c_str(), nullptr);
            }
        }
    }
    static void exitByButton(const OstrelProcess& ostrel, HWND window) {
        click(control(window, IDC_CMDEXIT));
        EXPECT_TRUE(ostrel.waitForExit());
    }
};

TEST_F(Ostrel, TheFirstRunQuestionAddsTheFolderVerbOnlyWhenAnsweredYes) {
    for (const int answer : {IDNO, IDYES}) {
        SetUp();
        OstrelProcess ostrel("");
        const HWND box = ostrel.waitForWindow("First Time");
        ASSERT_NE(box, nullptr);
        click(GetDlgItem(box, answer));
        const HWND window = ostrel.waitForWindow("Ostrel");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(readString(HKEY_CURRENT_USER, kSettings + "\\main", "FirstTime"), "no");
        HKEY verb = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, kVerb.c_str(), 0, KEY_READ, &verb) == 0,
                  answer == IDYES);
        RegCloseKey(verb);
        std::string program = programFolder() + "\\Ostrel";
        program = program.find(' ') != std::string::npos ? "\"" + program + "\"" : program;
        EXPECT_EQ(readString(HKEY_CLASSES_ROOT, kVerb + "\\command", ""),
                  answer == IDYES ? std::optional(program + " -ADD %1") : std::nullopt);
        exitByButton(ostrel, window);
    }
    OstrelProcess again("");
    const HWND next = again.waitForWindow("Ostrel");
    ASSERT_NE(next, nullptr) << "not asked again";
    exitByButton(again, next);
}

// A folder named with an accented letter reaches subst, the list and the saved set whole.
TEST_F(Ostrel, AddModeTakesTheFolderAndCreateMakesTheDriveThatTheRestoreBoxSaves) {
    for (const auto& [name, shown] : {std::pair{"data", "DATA"}, std::pair{"caf\xE9", "CAF\xC9"}}) {
        SetUp();
        askedBefore();
        const std::string data = folder(name);
        OstrelProcess ostrel("-ADD " + data);
        const HWND window = ostrel.waitForWindow("Ostrel");
        ASSERT_NE(window, nullptr);
        // Explorer's verb hands over the text after "-ADD", upper-cased, blank included.
        const std::string path = upper(kBase) + "\\" + shown;
        EXPECT_EQ(textOf(control(window, IDC_TXTPATHNAME)), " " + path);

        const std::string letter = freeLetter('M');
        ASSERT_NE(SendMessageA(control(window, IDC_CBODRIVES), CB_SELECTSTRING, WPARAM(-1),
                               reinterpret_cast<LPARAM>(letter.c_str())),
                  CB_ERR);
        click(control(window, IDC_CMDCREATE));
        const std::string done = "The virtual drive " + letter + " has now been created.";
        EXPECT_TRUE(waitFor([&] { return textOf(control(window, IDC_LBLSTATUS)) == done; }))
            << textOf(control(window, IDC_LBLSTATUS));
        EXPECT_EQ(substitutedFolder(letter), path);
        EXPECT_TRUE(waitFor([&] {
            return SendMessageA(control(window, IDC_LSTDRIVES), LVM_GETITEMCOUNT, 0, 0) == 1;
        }));
        EXPECT_TRUE(screenshot(window, OSTREL_SCREENSHOTS "/main-window.png"));
        click(control(window, IDC_CHKRESTORE));
        EXPECT_TRUE(waitFor([&] {
            return readString(HKEY_CURRENT_USER, kSettings + "\\Config", "Drives1") ==
                   letter + "\\=>" + path;
        })) << readString(HKEY_CURRENT_USER, kSettings + "\\Config", "Drives1").value_or("");
        exitByButton(ostrel, window);
    }
}

TEST_F(Ostrel, DeleteAnsweredYesRemovesTheDrive) {
    askedBefore();
    const std::string letter = freeLetter('P');
    ASSERT_TRUE(DefineDosDeviceA(0, letter.c_str(), folder("gone").c_str()));
    OstrelProcess ostrel("");
    const HWND window = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(window, nullptr);
    const HWND list = control(window, IDC_LSTDRIVES);
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
    // An entry chosen with the keyboard counts as clicked.
    PostMessageA(list, WM_KEYDOWN, VK_HOME, 1);
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(control(window, IDC_CMDDELETE)); }));
    click(control(window, IDC_CMDDELETE));
    HWND confirm = nullptr;
    ASSERT_TRUE(waitFor([&] {
        for (const HWND shown : ostrel.visibleWindows()) {
            confirm = shown != window && textOf(shown) == "Ostrel" ? shown : confirm;
        }
        return confirm != nullptr;
    }));
    EXPECT_EQ(messageText(confirm), "Are you sure you want to delete the virtual drive " + letter);
    click(GetDlgItem(confirm, IDYES));

    EXPECT_TRUE(waitFor([&] {
        return textOf(control(window, IDC_LBLSTATUS)) == "The virtual drive has now been deleted";
    })) << textOf(control(window, IDC_LBLSTATUS));
    EXPECT_EQ(substitutedFolder(letter), "");
    EXPECT_TRUE(waitFor([&] { return !IsWindowEnabled(control(window, IDC_CMDDELETE)); }));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
    exitByButton(ostrel, window);
}

TEST_F(Ostrel, RestoreModeRecreatesTheSavedDrivesWithoutAWindow) {
    askedBefore();
    const std::string x = freeLetter('Q');
    const std::string y = freeLetter(static_cast<char>(x[0] + 1));
    writeString(kSettings + "\\Config", "Drives1", x + "\\=>" + folder("first"));
    writeString(kSettings + "\\Config", "Drives2", y + "\\=>" + folder("second"));
    writeString(kSettings + "\\Config", "Count", "2");
    writeString(kVendor, "DriveIndex", "7");

    OstrelProcess ostrel("-r");
    bool windowSeen = false;
    EXPECT_TRUE(waitFor(
        [&] {
            windowSeen = windowSeen || !ostrel.visibleWindows().empty();
            return !ostrel.running();
        },
        60s));
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(substitutedFolder(x), upper(kBase + "\\first"));
    EXPECT_EQ(substitutedFolder(y), upper(kBase + "\\second"));
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kVendor, "DriveIndex"), "7");
}

TEST_F(Ostrel, ExitStoresThePathTheLetterPositionAndThePositionAndTheNextStartTakesThem) {
    askedBefore();
    OstrelProcess ostrel("");
    const HWND window = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(window, nullptr);
    SendMessageA(control(window, IDC_TXTPATHNAME), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("C:\\SOME PATH"));
    SendMessageA(control(window, IDC_CBODRIVES), CB_SETCURSEL, 2, 0);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const HDC screen = GetDC(nullptr);
    const int twipsX = 1440 / GetDeviceCaps(screen, LOGPIXELSX);
    const int twipsY = 1440 / GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    exitByButton(ostrel, window);
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kVendor, "PathName"), "C:\\SOME PATH");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kVendor, "DriveIndex"), "2");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kVendor, "Left"), std::to_string(bounds.left * twipsX));
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kVendor, "Top"), std::to_string(bounds.top * twipsY));

    OstrelProcess again("");
    const HWND next = again.waitForWindow("Ostrel");
    ASSERT_NE(next, nullptr);
    RECT reopened{};
    GetWindowRect(next, &reopened);
    EXPECT_EQ(std::pair(reopened.left, reopened.top), std::pair(bounds.left, bounds.top));
    EXPECT_EQ(textOf(control(next, IDC_TXTPATHNAME)), "C:\\SOME PATH");
    EXPECT_EQ(SendMessageA(control(next, IDC_CBODRIVES), CB_GETCURSEL, 0, 0), 2);
    exitByButton(again, next);
}

TEST_F(Ostrel, TabFollowsTheTabOrderAndAccessKeysClickTheirButtons) {
    askedBefore();
    OstrelProcess ostrel("");
    const HWND window = ostrel.waitForWindow("Ostrel");
    ASSERT_NE(window, nullptr);
    // The control with the focus (the combo box for its edit field).
    const auto focus = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndFocus;
    };
    const auto focusedId = [&] {
        return GetDlgCtrlID(GetParent(focus()) == window ? focus() : GetParent(focus()));
    };
    // Create and Delete start disabled and labels take no focus.
    const int order[] = {IDC_LSTDRIVES,   IDC_CBODRIVES,  IDC_CHKRESTORE,
                         IDC_TXTPATHNAME, IDC_CMDBROSWE,  IDC_CMDABOUT,
                         IDC_CMDEXIT,     IDC_CMDREFRESH, IDC_LSTDRIVES};
    EXPECT_TRUE(waitFor([&] { return focusedId() == order[0]; })) << focusedId();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        PostMessageA(focus(), WM_KEYDOWN, VK_TAB, 1);
        PostMessageA(focus(), WM_KEYUP, VK_TAB, 0xC0000001);
        EXPECT_TRUE(waitFor([&] { return focusedId() == order[i]; }, 5s))
            << "step " << i << ": focus on " << focusedId();
    }
    // Alt+X is the Exit button's access key.
    PostMessageA(focus(), WM_SYSCHAR, 'x', 1 << 29);
    EXPECT_TRUE(ostrel.waitForExit());
    EXPECT_TRUE(readString(HKEY_CURRENT_USER, kVendor, "Left")) << "closed through Exit";
}

} // namespace
} // namespace ostrel::e2e
