// Fakes of the platform seams and of the main window's view, for unit tests.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/frmmain.h"
#include "app/frmmain_view.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/program_info.h"
#include "platform/shell.h"
#include "support/fake_registry.h"

namespace ostrel::test {

// Runs that "start" finish after a number of polls with the exit code that the
// test's behaviour returns; the behaviour runs when the process is started.
class FakeOpenedProcess;

class FakeProcesses : public Processes {
  public:
    struct Started {
        std::string program, commandLine;
        int showWindow;
    };
    std::vector<Started> started;
    // Side effects and exit code of a run, given its command line.
    std::function<std::uint32_t(const std::string&)> behaviour = [](const std::string&) {
        return 0u;
    };
    int pollsWhileRunning = 2;
    bool startFails = false;
    bool openFails = false;
    std::string comspec = "C:\\WINDOWS\\system32\\cmd.exe";
    int polls = 0, sleeps = 0, openHandles = 0;

    int start(const std::string& program, const std::string& commandLine, int showWindow) override;
    std::unique_ptr<OpenedProcess> open(int processId) override;
    std::string environment(const std::string& name) override;
    // The command lines started, the system folder's cmd.exe running its subst.exe
    // shortened to "subst" (a subst run with " X: C:\DATA" gives "subst X: C:\DATA").
    std::vector<std::string> commandLines() const;

  private:
    struct Run {
        std::uint32_t exitCode;
        int pollsLeft;
    };
    std::map<int, Run> runs_;
    int nextPid_ = 100;
    friend class FakeOpenedProcess;
};

class FakeEvents : public EventPump {
  public:
    int calls = 0;
    std::function<void()> onEvents;
    void doEvents() override {
        ++calls;
        if (onEvents) {
            auto hook = onEvents;
            hook();
        }
    }
};

// Files by full path; a relative path resolves against the working directory. The
// system folder holds the programs.
class FakeFiles : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::vector<std::string> programs = {"C:\\WINDOWS\\system32\\cmd.exe",
                                         "C:\\WINDOWS\\system32\\subst.exe"};
    std::vector<std::string> folders = {"C:\\", "C:\\TOOLS\\", "C:\\Temp\\"};
    std::string cwd = "C:\\TOOLS\\";
    std::string temp = "C:\\Temp\\";
    std::vector<std::string> cwdHistory;
    bool deleteRefused = false;

    void setCurrentDirectory(const std::string& path) override;
    std::string currentDirectoryOfDrive(char letter) override;
    std::string readFile(const std::string& path) override;
    void deleteFile(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    std::string newTempFile(const std::string& folder) override;
    std::string tempFolder() override { return temp; }
    std::string system = "C:\\WINDOWS\\system32\\";
    std::string systemFolder() override { return system; }
    std::string consoleToAnsi(const std::string& text) override;
    std::string resolve(const std::string& path) const;
};

class FakeDrives : public DriveMask {
  public:
    std::uint32_t mask = 0x4; // C:
    std::uint32_t logicalDrives() override { return mask; }
};

class FakeBoxes : public MessageBoxes {
  public:
    struct Shown {
        std::string text;
        unsigned flags;
        std::string title;
    };
    std::vector<Shown> shown;
    std::vector<int> answers; // taken in order; IdOk/IdYes when none are left
    int show(const std::string& text, unsigned flags, const std::string& title) override;
    // The texts of the procedure error reports shown so far.
    std::vector<std::string> reports() const;
};

class FakeProgram : public ProgramInfo {
  public:
    std::string folderPath = "C:\\TOOLS";
    std::string name = "Ostrel";
    std::string arguments;
    VersionInfo info{3, 0, 189, "Ostrel", "Ostrel", "Ostrel", ""};
    std::string folder() override { return folderPath; }
    std::string exeName() override { return name; }
    std::string commandLine() override { return arguments; }
    VersionInfo version() override { return info; }
};

class FakeView : public MainView {
  public:
    struct Row {
        std::string key, text, subItem;
    };
    std::vector<std::string> comboItems;
    int comboIndex = -1;
    std::string comboText;
    std::string path;
    std::vector<std::pair<std::string, int>> columns;
    std::vector<Row> rows;
    int selectedRow = -1;
    std::string status = "Ready";
    int restoreValue = 0;
    std::map<MainControl, bool> enabledState = {
        {MainControl::cmdcreate, false}, {MainControl::cmddelete, false},
        {MainControl::chkrestore, true}, {MainControl::cmdRefresh, true},
        {MainControl::cmdexit, true},    {MainControl::cmdabout, true},
        {MainControl::cmdbroswe, true}};
    int x = 0, y = 0, w = 0, h = 0;
    bool isMinimized = false, hidden = false, unloaded = false;

    void cbodrivesClear() override {
        comboItems.clear();
        comboIndex = -1;
        comboText.clear();
    }
    void cbodrivesAddItem(const std::string& text) override { comboItems.push_back(text); }
    int cbodrivesListCount() override { return static_cast<int>(comboItems.size()); }
    int cbodrivesListIndex() override { return comboIndex; }
    void setCbodrivesListIndex(int index) override;
    std::string cbodrivesText() override { return comboText; }
    void setCbodrivesText(const std::string& text) override { comboText = text; }
    std::string txtPathNameText() override { return path; }
    void setTxtPathNameText(const std::string& text) override { path = text; }
    void lstDrivesAddColumn(const std::string& caption, int widthTwips) override {
        columns.emplace_back(caption, widthTwips);
    }
    int lstDrivesWidth() override { return 6495; }
    void lstDrivesClear() override {
        rows.clear();
        selectedRow = -1;
    }
    void lstDrivesAddRow(const std::string& key, const std::string& text,
                         const std::string& subItem) override {
        rows.push_back({key, text, subItem});
    }
    int lstDrivesCount() override { return static_cast<int>(rows.size()); }
    std::string lstDrivesText(int row) override { return rows.at(row).text; }
    std::string lstDrivesSubItem(int row) override { return rows.at(row).subItem; }
    int lstDrivesSelected() override { return selectedRow; }
    void setLblStatusCaption(const std::string& text) override { status = text; }
    int chkrestoreValue() override { return restoreValue; }
    void setChkrestoreValue(int value) override { restoreValue = value; }
    void setEnabled(MainControl control, bool on) override { enabledState[control] = on; }
    std::string caption() override { return "Ostrel"; }
    int left() override { return x; }
    int top() override { return y; }
    int width() override { return w; }
    int height() override { return h; }
    int clientWidth() override { return w - 120; }
    void move(int l, int t, int wd, int ht) override { x = l, y = t, w = wd, h = ht; }
    int screenWidth() override { return 1024 * 15; }
    int screenHeight() override { return 768 * 15; }
    bool onAMonitor(int l, int t, int wd, int ht) override {
        return l < screenWidth() && t < screenHeight() && l + wd > 0 && t + ht > 0;
    }
    bool minimized() override { return isMinimized; }
    void hide() override { hidden = true; }
    void unload() override { unloaded = true; }
    void setLineWidths(int) override {}
    void showAbout() override {}
    std::uintptr_t hwnd() override { return 0x1234; }
};

// Records what the program asks of the shell; the browse answers with chosenFolder
// ("" for cancel) and short paths come from the shortNames table (else unchanged).
class FakeShell : public Shell {
  public:
    std::string chosenFolder;
    std::map<std::string, std::string> shortNames;
    int liveItemLists = 0;
    struct Executed {
        std::uintptr_t owner;
        std::string file;
    };
    std::vector<Executed> executed;
    std::vector<std::string> startedPrograms;
    bool startFails = false;

    std::unique_ptr<ItemList> browseForFolder(const BrowseRequest& request) override;
    bool pathFromIdList(const ItemList* items, char* buffer) override;
    unsigned long shortPathName(const std::string& path, char* buffer, unsigned long size) override;
    void shellExecute(std::uintptr_t owner, const std::string& operation, const std::string& file,
                      const char* parameters, const std::string& directory, int show) override;
    bool startProgram(const std::string& commandLine, int show) override;
};

// Everything a frmmain needs, wired together, with a fake subst that keeps a table of
// substitutions, writes its listing into the working directory and keeps the drive
// mask in step.
struct Rig {
    FakeProcesses processes;
    FakeEvents events;
    FakeFiles files;
    FakeDrives drives;
    FakeBoxes boxes;
    FakeProgram program;
    FakeRegistry registry;
    FakeShell shell;
    FakeView view;
    Platform platform{processes, events, files, drives, boxes, program, registry, shell};
    frmmain form{platform, view};

    // Letter (upper case) to folder, as the fake subst keeps them.
    std::map<char, std::string> substitutions;
    // Exit code for create and delete runs when nonzero.
    std::uint32_t failRuns = 0;

    Rig();
    // Sets AbsRoot and AbsPath as start-up does.
    void loaded();
    // Adds a substitution as if made earlier.
    void substitute(char letter, const std::string& folder);
};

} // namespace ostrel::test
