// Fakes of the platform seams and of the main window's view, for unit tests.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "about/frmabout.h"
#include "app/frmmain.h"
#include "app/frmmain_view.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/program_info.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "settings/text_value.h"
#include "support/procedure_error.h"
#include "support/vb.h"

namespace ostrel::test {

// An in-memory registry with the raw seam's semantics: keys created along the path,
// byte-exact values, case-insensitive names, handles that must be closed, and roots
// that can refuse writes as a standard user's HKEY_LOCAL_MACHINE does. A handle that is
// not open throws: the code under test never passes one.
class FakeRegistry : public RawRegistry {
  public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
        bool operator==(const Value&) const = default;
    };
    using Values = std::map<std::string, Value>; // by upper-case name

    // Roots under which every create, write and delete, and every opening for more than
    // reading, is refused (access denied).
    std::set<RegKeyHandle> refusedRoots;
    int openHandles = 0;

    long createKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) override {
        key = 0;
        const std::string id = keyId(root, path);
        if (!keys_.count(id) && refusedRoots.count(root)) {
            return kAccessDenied;
        }
        make(id);
        return opened(root, id, key);
    }
    long openKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) override {
        key = 0;
        const std::string id = keyId(root, path);
        return keys_.count(id) || path.empty() ? opened(root, id, key) : kFileNotFound;
    }
    long openKeyEx(RegKeyHandle root, const std::string& path, std::uint32_t access,
                   RegKeyHandle& key) override {
        key = 0;
        return refusedRoots.count(root) && (access & ~keyaccess::Read) != 0
                   ? kAccessDenied
                   : openKey(root, path, key);
    }
    long queryValue(RegKeyHandle key, const std::string& name, std::uint32_t* type, char* data,
                    std::uint32_t* size) override {
        const auto value = get(handles_.at(key).first, name);
        if (!value) {
            return kFileNotFound;
        }
        const auto length = static_cast<std::uint32_t>(value->bytes.size());
        const bool fits = data == nullptr || *size >= length;
        if (type) {
            *type = value->type;
        }
        if (data != nullptr && fits) {
            std::memcpy(data, value->bytes.data(), length);
        }
        *size = length;
        return fits ? kSuccess : kMoreData;
    }
    long setValue(RegKeyHandle key, const std::string& name, std::uint32_t type, const char* data,
                  std::uint32_t size) override {
        if (refused(key)) {
            return kAccessDenied;
        }
        keys_[handles_.at(key).first][upper(name)] = {type, std::string(data, size)};
        return kSuccess;
    }
    long deleteValue(RegKeyHandle key, const std::string& name) override {
        if (refused(key)) {
            return kAccessDenied;
        }
        return keys_[handles_.at(key).first].erase(upper(name)) ? kSuccess : kFileNotFound;
    }
    long deleteTree(RegKeyHandle root, const std::string& path) override {
        const std::string id = keyId(root, path);
        if (refusedRoots.count(root)) {
            return kAccessDenied;
        }
        return std::erase_if(keys_,
                             [&](const auto& key) {
                                 return key.first == id || key.first.rfind(id + "\\", 0) == 0;
                             }) != 0
                   ? kSuccess
                   : kFileNotFound;
    }
    long closeKey(RegKeyHandle key) override {
        openHandles -= static_cast<int>(handles_.erase(key));
        return kSuccess;
    }
    long enumKey(RegKeyHandle key, std::uint32_t index, std::string& name) override {
        const std::string prefix = handles_.at(key).first + '\\';
        std::set<std::string> children;
        for (const auto& [id, values] : keys_) {
            if (id.rfind(prefix, 0) == 0) {
                children.insert(
                    id.substr(prefix.size(), id.find('\\', prefix.size()) - prefix.size()));
            }
        }
        if (index >= children.size()) {
            return kErrorNoMoreItems;
        }
        name = *std::next(children.begin(), index);
        return kSuccess;
    }
    // A hive file is a set of keys by their paths inside it (see hiveFiles).
    long loadHive(RegKeyHandle root, const std::string& name, const std::string& file) override {
        const std::string id = keyId(root, name);
        if (!hiveFiles.count(file) || keys_.count(id)) {
            return kFileNotFound;
        }
        make(id);
        for (const auto& [path, values] : hiveFiles.at(file)) {
            make(keyId(root, name + '\\' + path)) = values;
        }
        loaded_[id] = file;
        return kSuccess;
    }
    long unloadHive(RegKeyHandle root, const std::string& name) override {
        const std::string id = keyId(root, name);
        auto& file = hiveFiles[loaded_.at(id)];
        file.clear();
        std::erase_if(keys_, [&](const auto& key) {
            if (key.first.rfind(id + '\\', 0) == 0) {
                file[key.first.substr(id.size() + 1)] = key.second;
                return true;
            }
            return key.first == id;
        });
        loaded_.erase(id);
        return kSuccess;
    }
    // Hive files by their paths as the program names them: each key (its path in upper
    // case) with its values.
    std::map<std::string, std::map<std::string, Values>> hiveFiles;

    // Test access, bypassing handles and refusals.
    void put(RegKeyHandle root, const std::string& path, const std::string& name,
             std::uint32_t type, const std::string& bytes) {
        make(keyId(root, path))[upper(name)] = {type, bytes};
    }
    // A text as the system stores it (UTF-16), with no terminator unless the text has one.
    void putString(RegKeyHandle root, const std::string& path, const std::string& name,
                   const std::string& text) {
        put(root, path, name, regtype::Sz, registryBytes(text));
    }
    std::optional<Value> get(RegKeyHandle root, const std::string& path,
                             const std::string& name) const {
        return get(keyId(root, path), name);
    }
    // A text value up to its first NUL; nothing when it is absent or no text.
    std::optional<std::string> text(RegKeyHandle root, const std::string& path,
                                    const std::string& name) const {
        const auto value = get(root, path, name);
        if (!value || value->type != regtype::Sz) {
            return std::nullopt;
        }
        return registryText(value->bytes);
    }
    bool keyExists(RegKeyHandle root, const std::string& path) const {
        return keys_.count(keyId(root, path)) != 0;
    }
    // Every value of a key; empty when the key does not exist.
    Values values(RegKeyHandle root, const std::string& path) const {
        return keyExists(root, path) ? keys_.at(keyId(root, path)) : Values{};
    }
    // Every key with its values, to compare the whole registry before and after.
    std::map<std::string, Values> snapshot() const { return keys_; }

  private:
    static constexpr long kSuccess = 0, kFileNotFound = 2, kAccessDenied = 5, kMoreData = 234;

    static std::string upper(std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        return text;
    }
    // The key's name: the root's number, then the path in upper case.
    static std::string keyId(RegKeyHandle root, const std::string& path) {
        return std::to_string(root) + (path.empty() ? "" : '\\' + upper(path));
    }
    // The key with every level along its path, made where missing.
    Values& make(const std::string& id) {
        for (auto end = id.find('\\'); end != std::string::npos; end = id.find('\\', end + 1)) {
            keys_[id.substr(0, end)];
        }
        return keys_[id];
    }
    std::optional<Value> get(const std::string& id, const std::string& name) const {
        const auto key = keys_.find(id);
        if (key == keys_.end() || !key->second.count(upper(name))) {
            return std::nullopt;
        }
        return key->second.at(upper(name));
    }
    long opened(RegKeyHandle root, const std::string& id, RegKeyHandle& key) {
        key = nextHandle_++;
        handles_[key] = {id, root};
        ++openHandles;
        return kSuccess;
    }
    bool refused(RegKeyHandle key) const { return refusedRoots.count(handles_.at(key).second); }

    std::map<std::string, Values> keys_;
    std::map<RegKeyHandle, std::pair<std::string, RegKeyHandle>> handles_; // key id, root
    std::map<std::string, std::string> loaded_;                            // hive key id, its file
    RegKeyHandle nextHandle_ = 0x1000;
};

// A text value as the system stores it.
inline FakeRegistry::Value sz(const std::string& text) {
    return {regtype::Sz, registryBytes(text)};
}

// Where the program keeps its state (under HKEY_CURRENT_USER) and its start-up entry.
inline const std::string kSettings = "Software\\VB and VBA Program Settings\\Ostrel\\";
inline const std::string kConfig = kSettings + "Config";
inline const std::string kVendor = "Software\\Brenmoor Software\\Ostrel\\Main";
inline const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
using Lines = std::vector<std::string>;
using Text = std::optional<std::string>;

// The main window's report of an error ("76 (Path not found)") in a procedure.
inline std::string report(const std::string& error, const std::string& procedure) {
    return "Error " + error + " in procedure\r\n(" + procedure + ") of (frmmain).";
}

// The system folder's cmd.exe running its subst.exe, as every subst run starts; the
// line then ends in the closing quote of /s.
inline const std::string kSubstRun = "\"C:\\WINDOWS\\system32\\cmd.exe\" /d /v:off /s /c "
                                     "\"\"C:\\WINDOWS\\system32\\subst.exe\"";
inline const std::string kListingRun = "subst > \"C:\\Temp\\OST1.TMP\"";

// Runs that "start" finish after a number of polls with the exit code that the
// test's behaviour returns; the behaviour runs when the process is started.
class FakeProcesses : public Processes {
  public:
    // Command lines with their variables expanded, as the interpreter reads them.
    std::vector<std::string> started;
    // Side effects and exit code of a run, given its command line.
    std::function<std::uint32_t(const std::string&)> behaviour = [](const std::string&) {
        return 0u;
    };
    int pollsWhileRunning = 2;
    bool startFails = false;
    bool openFails = false;
    std::string comspec = "C:\\WINDOWS\\system32\\cmd.exe";
    int polls = 0, sleeps = 0, openHandles = 0;

    int start(const std::string&, const std::string& commandLine, int,
              const Environment& environment) override {
        if (startFails) {
            raise(err::FileNotFound);
        }
        std::string line = commandLine;
        for (const auto& [name, value] : environment) {
            line = vb::Replace(line, '%' + name + '%', value);
        }
        started.push_back(line);
        runs_[nextPid_] = {behaviour(line), pollsWhileRunning};
        return nextPid_++;
    }
    std::unique_ptr<OpenedProcess> open(int processId) override {
        if (openFails) {
            raise(err::InvalidCall);
        }
        return std::make_unique<Opened>(*this, processId);
    }
    std::string environment(const std::string& name) override {
        return name == "ComSpec" ? comspec : std::string();
    }
    // The command lines started, a subst run shortened to "subst" and its arguments.
    Lines commandLines() const {
        Lines lines;
        for (const auto& line : started) {
            const bool subst = line.rfind(kSubstRun, 0) == 0 && line.back() == '"';
            lines.push_back(
                subst ? "subst" + line.substr(kSubstRun.size(), line.size() - kSubstRun.size() - 1)
                      : line);
        }
        return lines;
    }

  private:
    struct Opened : OpenedProcess {
        FakeProcesses& owner;
        int pid;
        Opened(FakeProcesses& processes, int id) : owner(processes), pid(id) {
            ++owner.openHandles;
        }
        ~Opened() override { --owner.openHandles; }
        bool exitCode(std::uint32_t& code) override {
            ++owner.polls;
            const auto run = owner.runs_.find(pid);
            if (run != owner.runs_.end()) {
                code = run->second.second-- > 0 ? kStillActive : run->second.first;
            }
            return run != owner.runs_.end();
        }
        void sleepUntilExitOrInput() override { ++owner.sleeps; }
    };
    std::map<int, std::pair<std::uint32_t, int>> runs_; // exit code, polls left
    int nextPid_ = 100;
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

    std::string system = "C:\\WINDOWS\\system32\\";

    void setCurrentDirectory(const std::string& path) override {
        const std::string folder = path.empty() || path.back() != '\\' ? path + '\\' : path;
        if (!has(folders, folder)) {
            raise(err::PathNotFound);
        }
        cwdHistory.push_back(cwd = folder);
    }
    std::string currentDirectoryOfDrive(char letter) override {
        return letter + std::string(":\\TOOLS");
    }
    std::string readFile(const std::string& path) override {
        if (!files.count(resolve(path))) {
            raise(err::FileNotFound);
        }
        return files[resolve(path)];
    }
    void deleteFile(const std::string& path) override {
        if (!files.count(resolve(path)) || deleteRefused) {
            raise(deleteRefused ? err::PermissionDenied : err::FileNotFound);
        }
        files.erase(resolve(path));
    }
    bool fileExists(const std::string& path) override {
        return files.count(resolve(path)) != 0 || has(programs, path);
    }
    std::string newTempFile(const std::string& folder) override {
        if (!has(folders, folder)) {
            raise(err::PathNotFound, folder);
        }
        for (int n = 1;; ++n) {
            if (files.emplace(folder + "OST" + std::to_string(n) + ".TMP", "").second) {
                return folder + "OST" + std::to_string(n) + ".TMP";
            }
        }
    }
    std::string tempFolder() override { return temp; }
    std::string systemFolder() override { return system; }
    // OEM 850's "\x82" (e acute) becomes UTF-8's; enough to see that decoding happens.
    std::string consoleText(const std::string& bytes) override {
        return vb::Replace(bytes, "\x82", "\u00E9");
    }
    PathKind pathKind(const std::string& path) override {
        return files.count(resolve(path))                        ? PathKind::file
               : has(folders, path) || has(folders, path + '\\') ? PathKind::folder
                                                                 : PathKind::none;
    }
    // ASCII letters only: enough to see where upper-casing happens.
    std::string upperCase(const std::string& text) override {
        std::string upper = text;
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return upper;
    }
    std::string resolve(const std::string& path) const {
        return path.size() >= 2 && path[1] == ':' ? path : cwd + path;
    }
    static bool has(const Lines& list, const std::string& item) {
        return std::find(list.begin(), list.end(), item) != list.end();
    }
};

// The drive mask, and the substitutions by letter (upper case) as the system keeps them.
class FakeDrives : public DriveMask {
  public:
    std::uint32_t mask = 0x4; // C:
    std::map<char, std::string> substitutions;
    std::uint32_t logicalDrives() override { return mask; }
    std::optional<std::string> substitutedFolder(char letter) override {
        const auto found = substitutions.find(letter);
        return found == substitutions.end() ? std::nullopt : std::optional(found->second);
    }
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
    int show(const std::string& text, unsigned flags, const std::string& title) override {
        shown.push_back({text, flags, title});
        const int answer =
            answers.empty() ? (flags & mb::YesNo) ? mb::IdYes : mb::IdOk : answers[0];
        if (!answers.empty()) {
            answers.erase(answers.begin());
        }
        return answer;
    }
    // The texts of the procedure error reports shown so far.
    Lines reports() const {
        Lines texts;
        for (const auto& box : shown) {
            if (box.flags == mb::Critical && box.text.rfind("Error ", 0) == 0) {
                texts.push_back(box.text);
            }
        }
        return texts;
    }
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
        bool operator==(const Row&) const = default;
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
    // Monitors of the virtual screen (the first is the primary) with their resolutions;
    // the window lays out for the one its corner is moved onto, as Windows has it do.
    std::vector<std::pair<ScreenRect, int>> monitors = {{{0, 0, 1024, 768}, 96}};
    ScreenRect at;
    int dpi = 96, widthTwips = 0, heightTwips = 0;
    bool isMinimized = false, hidden = false, unloaded = false;
    std::vector<bool> busyChanges;
    int lineWidth = 0;

    void cbodrivesClear() override {
        comboItems.clear();
        comboIndex = -1;
        comboText.clear();
    }
    void cbodrivesAddItem(const std::string& text) override { comboItems.push_back(text); }
    int cbodrivesListCount() override { return static_cast<int>(comboItems.size()); }
    int cbodrivesListIndex() override { return comboIndex; }
    void setCbodrivesListIndex(int index) override {
        if (index < -1 || index >= cbodrivesListCount()) {
            raise(err::InvalidPropertyValue);
        }
        comboIndex = index;
        comboText = index >= 0 ? comboItems[index] : std::string();
    }
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
    void setBusy(bool on) override { busyChanges.push_back(on); }
    std::string caption() override { return "Ostrel"; }
    int clientWidth() override { return widthTwips - 120; }
    void setSize(int width, int height) override {
        widthTwips = width, heightTwips = height;
        at.width = width * dpi / 1440, at.height = height * dpi / 1440;
    }
    ScreenRect bounds() override { return at; }
    void moveTo(int left, int top) override {
        at.left = left, at.top = top;
        for (const auto& [area, scale] : monitors) {
            dpi = overlap(area, {left, top, 1, 1}) ? scale : dpi;
        }
        setSize(widthTwips, heightTwips);
    }
    ScreenRect primaryScreen() override { return monitors.front().first; }
    bool onAMonitor(const ScreenRect& place) override {
        return std::any_of(monitors.begin(), monitors.end(),
                           [&](const auto& monitor) { return overlap(monitor.first, place); });
    }
    static bool overlap(const ScreenRect& a, const ScreenRect& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    }
    bool minimized() override { return isMinimized; }
    void hide() override { hidden = true; }
    void unload() override { unloaded = true; }
    void setLineWidths(int widthTwips) override { lineWidth = widthTwips; }
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

    std::unique_ptr<ItemList> browseForFolder(const BrowseRequest&) override {
        return chosenFolder.empty() ? nullptr : std::make_unique<Chosen>(*this, chosenFolder);
    }
    bool pathFromIdList(const ItemList* items, std::string& path) override {
        const auto* chosen = dynamic_cast<const Chosen*>(items);
        if (chosen != nullptr) {
            path = chosen->path;
        }
        return chosen != nullptr;
    }
    std::string shortPathName(const std::string& path) override {
        return shortNames.count(path) ? shortNames[path] : path;
    }
    void shellExecute(std::uintptr_t owner, const std::string&, const std::string& file,
                      const char*, const std::string&, int) override {
        executed.push_back({owner, file});
    }
    bool startProgram(const std::string& commandLine, int) override {
        if (!startFails) {
            startedPrograms.push_back(commandLine);
        }
        return !startFails;
    }

  private:
    struct Chosen : ItemList {
        FakeShell& shell;
        std::string path;
        Chosen(FakeShell& owner, std::string folder) : shell(owner), path(std::move(folder)) {
            ++shell.liveItemLists;
        }
        ~Chosen() override { --shell.liveItemLists; }
    };
};

// The About dialog's view: the label texts, and whether it was closed.
class FakeAboutView : public AboutView {
  public:
    std::map<AboutLabel, std::string> labels;
    bool unloaded = false;

    void setCaption(const std::string&) override {}
    std::string labelCaption(AboutLabel label) override { return labels[label]; }
    void setLabelCaption(AboutLabel label, const std::string& text) override {
        labels[label] = text;
    }
    void unload() override { unloaded = true; }
    std::uintptr_t hwnd() override { return 0xAB0u; }
};

// A folder as a console code page without any letter beyond ASCII writes it: "?" for each.
inline std::string consoleForm(const std::string& text) {
    std::string form;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        form += byte < 0x80 ? std::string(1, c) : (byte & 0xC0) != 0x80 ? "?" : "";
    }
    return form;
}

// Everything a frmmain needs, wired together, leaving no handle open, with a fake subst that keeps
// the drive table's substitutions, writes its listing into the working directory (in a console
// code page without the letters beyond ASCII) and keeps the drive mask in step.
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

    // Exit code for create and delete runs when nonzero.
    std::uint32_t failRuns = 0;

    // The fake subst: ' > "file"' writes the listing, " X: /d" deletes, ' X: "folder"'
    // creates; a run that cannot do what it is asked exits with 1.
    Rig() {
        processes.behaviour = [this](const std::string& line) -> std::uint32_t {
            const bool subst = line.rfind(kSubstRun, 0) == 0 && line.back() == '"';
            const std::string args =
                subst ? line.substr(kSubstRun.size(), line.size() - kSubstRun.size() - 1) : "";
            // A quoted argument as the program reads it ("C:\\" gives C:\).
            const auto unquoted = [](std::string text) {
                text =
                    text.size() > 1 && text.front() == '"' ? text.substr(1, text.size() - 2) : text;
                return text.ends_with("\\\\") ? text.substr(0, text.size() - 1) : text;
            };
            if (args.rfind(" > ", 0) == 0) {
                std::string listing;
                for (const auto& [letter, folder] : drives.substitutions) {
                    listing += letter + (":\\: => " + consoleForm(folder)) + "\r\n";
                }
                files.files[files.resolve(unquoted(args.substr(3)))] = listing;
                return 0;
            }
            const char letter = args.size() > 4 && args[2] == ':'
                                    ? static_cast<char>(std::toupper(args[1]))
                                    : '\0';
            const bool remove = args.substr(std::min<std::size_t>(4, args.size())) == "/d";
            if (failRuns || !letter ||
                (remove ? !drives.substitutions.erase(letter)
                        : drives.mask >> (letter - 'A') & 1)) {
                return failRuns ? failRuns : 1;
            }
            drives.mask &= ~(1u << (letter - 'A'));
            if (!remove) {
                substitute(letter, unquoted(args.substr(4)));
            }
            return 0;
        };
    }
    ~Rig() { EXPECT_EQ(registry.openHandles + processes.openHandles + shell.liveItemLists, 0); }
    // Starts the program with the command line.
    void start(const std::string& commandLine) {
        program.arguments = commandLine;
        form.Form_Load();
    }
    // Sets AbsRoot and AbsPath as start-up does.
    void loaded() {
        form.AbsRoot = "C:\\";
        form.AbsPath = "C:\\TOOLS\\";
    }
    // Adds a substitution as if made earlier.
    void substitute(char letter, const std::string& folder) {
        drives.substitutions[letter] = folder;
        drives.mask |= 1u << (letter - 'A');
    }
    // Stores a text under HKEY_CURRENT_USER, unless there is none; reads one back.
    void save(const std::string& path, const std::string& name, const Text& text) {
        if (text) {
            registry.putString(hkey::CurrentUser, path, name, *text);
        }
    }
    Text saved(const std::string& path, const std::string& name) const {
        return registry.text(hkey::CurrentUser, path, name);
    }
};

} // namespace ostrel::test
