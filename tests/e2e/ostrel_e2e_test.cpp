// Ostrel.exe as a user meets it, under Wine: started with its command lines, driven
// through its window's controls and message boxes, checked in the registry and the
// drive table. Each test starts from a known registry state and removes the
// substitutions it made.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>

#include "ostrel_driver.h"
#include "resource.h"

namespace ostrel::e2e {
namespace {

const std::string kVendor = "Software\\Brenmoor Software\\Ostrel\\Main";
const std::string kSettings = "Software\\VB and VBA Program Settings\\Ostrel";
const std::string kVerb = "Folder\\shell\\Create Virtual Drive";
const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kBase = "C:\\ostrel-e2e";
const std::string kQuestion =
    "This is your first time useing Ostrel\r\n\r\nWould you like to add the option To allow you "
    "to add folder paths from explorer\r\nThis will be done by adding in menu item to the "
    "windows right menu for folders?";

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::optional<std::string> readString(HKEY root, const std::string& path, const std::string& name) {
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    if (RegGetValueA(root, path.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ,
                     &type, data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data);
}

void writeString(HKEY root, const std::string& path, const std::string& name,
                 const std::string& text) {
    RegSetKeyValueA(root, path.c_str(), name.c_str(), REG_SZ, text.c_str(),
                    static_cast<DWORD>(text.size() + 1));
}

bool keyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// The folder a drive letter ("R:") stands for, or "" when it is not a substitution.
std::string substitutedFolder(const std::string& letter) {
    char target[MAX_PATH] = {};
    if (!QueryDosDeviceA(letter.c_str(), target, MAX_PATH)) {
        return {};
    }
    std::string folder = target;
    return folder.rfind("\\??\\", 0) == 0 ? folder.substr(4) : folder;
}

// Under Xvfb no window manager draws frames: for the run, Wine draws the windows' frames
// and captions itself, so that screenshots show them.
class WineDrawsFrames : public ::testing::Environment {
  public:
    void SetUp() override { writeString(HKEY_CURRENT_USER, kX11Driver, "Managed", "N"); }
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
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRun.c_str(), "Ostrel");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun.c_str(), "Ostrel");
        CreateDirectoryA(kBase.c_str(), nullptr);
        removeSubstitutions();
    }
    void TearDown() override { removeSubstitutions(); }

    static void askedBefore() {
        writeString(HKEY_CURRENT_USER, kSettings + "\\main", "FirstTime", "no");
    }
    static std::string folder(const std::string& name) {
        const std::string path = kBase + "\\" + name;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    // A letter that no drive uses, from the middle of the alphabet.
    static std::string freeLetter(char after = 'M') {
        const DWORD mask = GetLogicalDrives();
        for (char letter = after; letter <= 'Y'; ++letter) {
            if (!(mask & (1u << (letter - 'A')))) {
                return std::string(1, letter) + ":";
            }
        }
        return {};
    }
    static void removeSubstitutions() {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string device = std::string(1, letter) + ":";
            char target[MAX_PATH] = {};
            if (QueryDosDeviceA(device.c_str(), target, MAX_PATH) &&
                upper(target).find(upper(kBase)) != std::string::npos) {
                DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH |
                                     DDD_EXACT_MATCH_ON_REMOVE,
                                 device.c_str(), target);
            }
        }
    }
    // Waits for the main window, answering nothing on the way.
    static HWND mainWindow(const OstrelProcess& ostrel) {
        const HWND window = ostrel.waitForWindow("Ostrel");
        if (window != nullptr) {
            char className[64] = {};
            GetClassNameA(window, className, sizeof className);
            EXPECT_STRNE(className, "#32770")
                << "a message box instead of the window: " << messageText(window);
        }
        return window;
    }
    static void exitByButton(const OstrelProcess& ostrel, HWND window) {
        click(control(window, IDC_CMDEXIT));
        EXPECT_TRUE(ostrel.waitForExit());
    }
};

TEST_F(Ostrel, FirstRunQuestionAnsweredNoAddsNoFolderVerb) {
    OstrelProcess ostrel("");
    const HWND box = ostrel.waitForWindow("First Time");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageText(box), kQuestion);
    ASSERT_NE(GetDlgItem(box, IDYES), nullptr);
    answer(box, IDNO);
    const HWND window = mainWindow(ostrel);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kSettings + "\\main", "FirstTime"), "no");
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, kVerb));
    exitByButton(ostrel, window);

    // Not asked again.
    OstrelProcess again("");
    const HWND next = mainWindow(again);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(again.visibleWindow("First Time"), nullptr);
    exitByButton(again, next);
}

TEST_F(Ostrel, FirstRunQuestionAnsweredYesAddsTheFolderVerb) {
    OstrelProcess ostrel("");
    const HWND box = ostrel.waitForWindow("First Time");
    ASSERT_NE(box, nullptr);
    answer(box, IDYES);
    const HWND window = mainWindow(ostrel);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kSettings + "\\main", "FirstTime"), "no");
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, kVerb));
    std::string program = programFolder() + "\\Ostrel";
    if (program.find(' ') != std::string::npos) {
        program = "\"" + program + "\"";
    }
    EXPECT_EQ(readString(HKEY_CLASSES_ROOT, kVerb + "\\command", ""), program + " -ADD %1");
    exitByButton(ostrel, window);
}

TEST_F(Ostrel, AddModeTakesTheFolderAndCreateMakesTheDrive) {
    askedBefore();
    const std::string data = folder("data");
    OstrelProcess ostrel("-ADD " + data);
    const HWND window = mainWindow(ostrel);
    ASSERT_NE(window, nullptr);
    // Explorer's verb hands over the text after "-ADD", upper-cased, blank included.
    const std::string handedOver = std::string(" ").append(upper(data));
    EXPECT_EQ(textOf(control(window, IDC_TXTPATHNAME)), handedOver);
    EXPECT_TRUE(IsWindowEnabled(control(window, IDC_CMDCREATE)));
    EXPECT_FALSE(IsWindowEnabled(control(window, IDC_CMDDELETE)));
    EXPECT_EQ(textOf(control(window, IDC_LBLSTATUS)), "Ready");

    // The user picks a free letter and clicks Create.
    const std::string letter = freeLetter();
    const HWND letters = control(window, IDC_CBODRIVES);
    const auto items = comboItems(letters);
    const auto position = std::find(items.begin(), items.end(), letter);
    ASSERT_NE(position, items.end()) << letter << " is offered";
    SendMessageA(letters, CB_SETCURSEL, static_cast<WPARAM>(position - items.begin()), 0);
    click(control(window, IDC_CMDCREATE));

    const std::string done = "The virtual drive " + letter + " has now been created.";
    EXPECT_TRUE(waitFor([&] { return textOf(control(window, IDC_LBLSTATUS)) == done; }))
        << textOf(control(window, IDC_LBLSTATUS));
    EXPECT_EQ(upper(substitutedFolder(letter)), upper(data));
    // Both lists are refreshed after the run: the drive listed, its letter no longer offered.
    std::vector<std::vector<std::string>> rows;
    EXPECT_TRUE(waitFor([&] {
        rows = listRows(ostrel.id(), control(window, IDC_LSTDRIVES), 2);
        const auto offered = comboItems(letters);
        return rows.size() == 1 &&
               std::find(offered.begin(), offered.end(), letter) == offered.end();
    }));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], letter + "\\");
    EXPECT_EQ(upper(rows[0][1]), upper(data));

    EXPECT_TRUE(screenshot(window, OSTREL_SCREENSHOTS "/main-window.png"));
    exitByButton(ostrel, window);
}

TEST_F(Ostrel, DeleteAnsweredYesRemovesTheDrive) {
    askedBefore();
    const std::string data = folder("gone");
    const std::string letter = freeLetter('P');
    ASSERT_TRUE(DefineDosDeviceA(0, letter.c_str(), data.c_str()));
    OstrelProcess ostrel("");
    const HWND window = mainWindow(ostrel);
    ASSERT_NE(window, nullptr);
    const HWND list = control(window, IDC_LSTDRIVES);
    const auto rows = listRows(ostrel.id(), list, 2);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], letter + "\\");

    EXPECT_FALSE(IsWindowEnabled(control(window, IDC_CMDDELETE))) << "not before a click";
    selectRow(ostrel.id(), list, 0);
    EXPECT_TRUE(IsWindowEnabled(control(window, IDC_CMDDELETE)));
    click(control(window, IDC_CMDDELETE));
    const auto question = [&] {
        for (const HWND shown : ostrel.visibleWindows()) {
            if (shown != window && textOf(shown) == "Ostrel") {
                return shown;
            }
        }
        return HWND{};
    };
    HWND confirm = nullptr;
    ASSERT_TRUE(waitFor([&] { return (confirm = question()) != nullptr; }));
    EXPECT_EQ(messageText(confirm), "Are you sure you want to delete the virtual drive " + letter);
    answer(confirm, IDYES);

    EXPECT_TRUE(waitFor([&] {
        return textOf(control(window, IDC_LBLSTATUS)) == "The virtual drive has now been deleted";
    })) << textOf(control(window, IDC_LBLSTATUS));
    EXPECT_EQ(substitutedFolder(letter), "");
    // After the refresh the empty list disables Delete and the restore box.
    EXPECT_TRUE(waitFor([&] { return !IsWindowEnabled(control(window, IDC_CMDDELETE)); }));
    EXPECT_TRUE(listRows(ostrel.id(), list, 2).empty());
    EXPECT_FALSE(IsWindowEnabled(control(window, IDC_CHKRESTORE)));
    exitByButton(ostrel, window);
}

TEST_F(Ostrel, RestoreModeRecreatesTheSavedDrivesWithoutAWindow) {
    askedBefore();
    const std::string first = folder("first");
    const std::string second = folder("second");
    const std::string x = freeLetter('Q');
    const std::string y = freeLetter(static_cast<char>(x[0] + 1));
    const std::string config = kSettings + "\\Config";
    writeString(HKEY_CURRENT_USER, config, "Drives1", x + "\\=>" + first);
    writeString(HKEY_CURRENT_USER, config, "Drives2", y + "\\=>" + second);
    writeString(HKEY_CURRENT_USER, config, "Count", "2");
    writeString(HKEY_CURRENT_USER, config, "Restore", "1");
    writeString(HKEY_CURRENT_USER, kVendor, "DriveIndex", "7");

    OstrelProcess ostrel("-r");
    bool windowSeen = false;
    const bool ended = waitFor(
        [&] {
            windowSeen = windowSeen || !ostrel.visibleWindows().empty();
            return !ostrel.running();
        },
        60s);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(upper(substitutedFolder(x)), upper(first));
    EXPECT_EQ(upper(substitutedFolder(y)), upper(second));
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kVendor, "DriveIndex"), "7");
}

TEST_F(Ostrel, ExitStoresThePathTheLetterPositionAndThePosition) {
    askedBefore();
    OstrelProcess ostrel("");
    const HWND window = mainWindow(ostrel);
    ASSERT_NE(window, nullptr);
    const HWND path = control(window, IDC_TXTPATHNAME);
    SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\SOME PATH"));
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

    // The next start opens where the window was, with the path and the letter.
    OstrelProcess again("");
    const HWND next = mainWindow(again);
    ASSERT_NE(next, nullptr);
    RECT reopened{};
    GetWindowRect(next, &reopened);
    EXPECT_EQ(reopened.left, bounds.left);
    EXPECT_EQ(reopened.top, bounds.top);
    EXPECT_EQ(textOf(control(next, IDC_TXTPATHNAME)), "C:\\SOME PATH");
    EXPECT_EQ(SendMessageA(control(next, IDC_CBODRIVES), CB_GETCURSEL, 0, 0), 2);
    exitByButton(again, next);
}

// The control with the keyboard focus in the program's window.
HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

TEST_F(Ostrel, TabFollowsTheTabOrderAndAccessKeysClickTheirButtons) {
    askedBefore();
    OstrelProcess ostrel("");
    const HWND window = mainWindow(ostrel);
    ASSERT_NE(window, nullptr);
    // Create and Delete start disabled and labels take no focus; the combo box's edit
    // field has it for the combo box.
    const int order[] = {IDC_LSTDRIVES,   IDC_CBODRIVES,  IDC_CHKRESTORE,
                         IDC_TXTPATHNAME, IDC_CMDBROSWE,  IDC_CMDABOUT,
                         IDC_CMDEXIT,     IDC_CMDREFRESH, IDC_LSTDRIVES};
    const auto focusedId = [&] {
        const HWND focus = focusOf(window);
        const HWND owner = GetParent(focus) == window ? focus : GetParent(focus);
        return GetDlgCtrlID(owner);
    };
    EXPECT_TRUE(waitFor([&] { return focusedId() == order[0]; })) << focusedId();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        PostMessageA(focusOf(window), WM_KEYDOWN, VK_TAB, 1);
        PostMessageA(focusOf(window), WM_KEYUP, VK_TAB, 0xC0000001);
        EXPECT_TRUE(waitFor([&] { return focusedId() == order[i]; }, 5s))
            << "step " << i << ": focus on " << focusedId();
    }

    // Alt+X is the Exit button's access key.
    PostMessageA(focusOf(window), WM_SYSCHAR, 'x', 1 << 29);
    EXPECT_TRUE(ostrel.waitForExit());
    EXPECT_TRUE(readString(HKEY_CURRENT_USER, kVendor, "Left")) << "closed through Exit";
}

} // namespace
} // namespace ostrel::e2e
