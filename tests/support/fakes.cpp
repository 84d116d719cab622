#include "support/fakes.h"

#include <algorithm>
#include <cstring>

#include "support/error_report.h"

namespace ostrel::test {

class FakeOpenedProcess : public OpenedProcess {
  public:
    FakeOpenedProcess(FakeProcesses& owner, int pid) : owner_(owner), pid_(pid) {
        ++owner_.openHandles;
    }
    ~FakeOpenedProcess() override { --owner_.openHandles; }
    bool exitCode(std::uint32_t& code) override {
        ++owner_.polls;
        const auto run = owner_.runs_.find(pid_);
        if (run == owner_.runs_.end()) {
            return false;
        }
        if (run->second.pollsLeft > 0) {
            --run->second.pollsLeft;
            code = kStillActive;
            return true;
        }
        code = run->second.exitCode;
        return true;
    }
    void sleepUntilExitOrInput() override { ++owner_.sleeps; }

  private:
    FakeProcesses& owner_;
    int pid_;
};

int FakeProcesses::start(const std::string& program, const std::string& commandLine,
                         int showWindow) {
    if (startFails) {
        raise(err::FileNotFound);
    }
    started.push_back({program, commandLine, showWindow});
    const int pid = nextPid_++;
    runs_[pid] = {behaviour(commandLine), pollsWhileRunning};
    return pid;
}

std::unique_ptr<OpenedProcess> FakeProcesses::open(int processId) {
    if (openFails) {
        raise(err::InvalidCall);
    }
    return std::make_unique<FakeOpenedProcess>(*this, processId);
}

std::string FakeProcesses::environment(const std::string& name) {
    return name == "ComSpec" ? comspec : std::string();
}

namespace {
const std::string kSubstRun =
    "\"C:\\WINDOWS\\system32\\cmd.exe\" /cC:\\WINDOWS\\system32\\subst.exe";
} // namespace

std::vector<std::string> FakeProcesses::commandLines() const {
    std::vector<std::string> lines;
    for (const auto& run : started) {
        const bool subst = run.commandLine.rfind(kSubstRun, 0) == 0;
        lines.push_back(subst ? "subst" + run.commandLine.substr(kSubstRun.size())
                              : run.commandLine);
    }
    return lines;
}

std::string FakeFiles::resolve(const std::string& path) const {
    if (path.size() >= 2 && path[1] == ':') {
        return path;
    }
    return cwd + path;
}

void FakeFiles::setCurrentDirectory(const std::string& path) {
    std::string folder = path;
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    bool known = false;
    for (const auto& f : folders) {
        known = known || f == folder;
    }
    if (!known) {
        raise(err::PathNotFound);
    }
    cwd = folder;
    cwdHistory.push_back(folder);
}

std::string FakeFiles::currentDirectoryOfDrive(char letter) {
    return std::string(1, letter) + ":\\TOOLS";
}

std::string FakeFiles::readFile(const std::string& path) {
    const auto file = files.find(resolve(path));
    if (file == files.end()) {
        raise(err::FileNotFound);
    }
    return file->second;
}

void FakeFiles::deleteFile(const std::string& path) {
    if (!files.count(resolve(path))) {
        raise(err::FileNotFound);
    }
    if (deleteRefused) {
        raise(err::PermissionDenied);
    }
    files.erase(resolve(path));
}

bool FakeFiles::fileExists(const std::string& path) {
    return files.count(resolve(path)) != 0 ||
           std::find(programs.begin(), programs.end(), path) != programs.end();
}

std::string FakeFiles::newTempFile(const std::string& folder) {
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
        raise(err::PathNotFound, folder);
    }
    for (int n = 1;; ++n) {
        const std::string path = folder + "OST" + std::to_string(n) + ".TMP";
        if (files.emplace(path, "").second) {
            return path;
        }
    }
}

std::string FakeFiles::consoleToAnsi(const std::string& text) {
    // OEM 850's "é" (0x82) becomes ANSI's 0xE9; enough to see that decoding happens.
    std::string out = text;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) == 0x82) {
            c = static_cast<char>(0xE9);
        }
    }
    return out;
}

int FakeBoxes::show(const std::string& text, unsigned flags, const std::string& title) {
    shown.push_back({text, flags, title});
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    return (flags & mb::YesNo) ? mb::IdYes : mb::IdOk;
}

std::vector<std::string> FakeBoxes::reports() const {
    std::vector<std::string> texts;
    for (const auto& box : shown) {
        if (box.flags == mb::Critical && box.text.rfind("Error ", 0) == 0) {
            texts.push_back(box.text);
        }
    }
    return texts;
}

void FakeView::cbodrivesClear() {
    comboItems.clear();
    comboIndex = -1;
    comboText.clear();
}

void FakeView::setCbodrivesListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(comboItems.size())) {
        raise(err::InvalidPropertyValue);
    }
    comboIndex = index;
    comboText = index >= 0 ? comboItems[index] : std::string();
}

void FakeView::lstDrivesClear() {
    rows.clear();
    selectedRow = -1;
}

void FakeView::move(int l, int t, int wd, int ht) {
    x = l;
    y = t;
    w = wd;
    h = ht;
}

class FakeItemList : public ItemList {
  public:
    FakeItemList(FakeShell& shell, std::string path) : shell_(shell), path(std::move(path)) {
        ++shell_.liveItemLists;
    }
    ~FakeItemList() override { --shell_.liveItemLists; }
    FakeShell& shell_;
    std::string path;
};

std::unique_ptr<ItemList> FakeShell::browseForFolder(const BrowseRequest& request) {
    browses.push_back(request);
    if (chosenFolder.empty()) {
        return nullptr;
    }
    return std::make_unique<FakeItemList>(*this, chosenFolder);
}

bool FakeShell::pathFromIdList(const ItemList* items, char* buffer) {
    const auto* list = dynamic_cast<const FakeItemList*>(items);
    if (list == nullptr) {
        return false;
    }
    std::memcpy(buffer, list->path.c_str(), list->path.size() + 1);
    return true;
}

unsigned long FakeShell::shortPathName(const std::string& path, char* buffer, unsigned long size) {
    const auto known = shortNames.find(path);
    const std::string shortForm = known == shortNames.end() ? path : known->second;
    if (shortForm.size() + 1 > size) {
        return static_cast<unsigned long>(shortForm.size() + 1);
    }
    std::memcpy(buffer, shortForm.c_str(), shortForm.size() + 1);
    return static_cast<unsigned long>(shortForm.size());
}

void FakeShell::shellExecute(std::uintptr_t owner, const std::string&, const std::string& file,
                             const char*, const std::string&, int) {
    executed.push_back({owner, file});
}

bool FakeShell::startProgram(const std::string& commandLine, int) {
    if (!startFails) {
        startedPrograms.push_back(commandLine);
    }
    return !startFails;
}

Rig::Rig() {
    processes.behaviour = [this](const std::string& line) -> std::uint32_t {
        if (line.rfind(kSubstRun, 0) != 0) {
            return 1;
        }
        const std::string args = line.substr(kSubstRun.size());
        if (args.rfind(" > ", 0) == 0) {
            std::string listing;
            for (const auto& [letter, folder] : substitutions) {
                listing += std::string(1, letter) + ":\\: => " + folder + "\r\n";
            }
            files.files[files.resolve(args.substr(3))] = listing;
            return 0;
        }
        if (failRuns != 0) {
            return failRuns;
        }
        if (args.size() >= 4 && args[0] == ' ' && args[2] == ':' && args[3] == ' ') {
            const char letter = args[1];
            const std::string rest = args.substr(4);
            if (rest == "/d") {
                if (!substitutions.erase(letter)) {
                    return 1;
                }
                drives.mask &= ~(1u << (letter - 'A'));
                return 0;
            }
            if (drives.mask & (1u << (letter - 'A'))) {
                return 1;
            }
            substitute(letter, rest);
            return 0;
        }
        return 1;
    };
}

void Rig::loaded() {
    form.AbsRoot = "C:\\";
    form.AbsPath = "C:\\TOOLS\\";
}

void Rig::substitute(char letter, const std::string& folder) {
    substitutions[letter] = folder;
    drives.mask |= 1u << (letter - 'A');
}

} // namespace ostrel::test
