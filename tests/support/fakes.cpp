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
        code = run->second.pollsLeft-- > 0 ? kStillActive : run->second.exitCode;
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
    runs_[nextPid_] = {behaviour(commandLine), pollsWhileRunning};
    return nextPid_++;
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
    return path.size() >= 2 && path[1] == ':' ? path : cwd + path;
}

void FakeFiles::setCurrentDirectory(const std::string& path) {
    const std::string folder = path.empty() || path.back() != '\\' ? path + '\\' : path;
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
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

// OEM 850's "é" (0x82) becomes ANSI's 0xE9; enough to see that decoding happens.
std::string FakeFiles::consoleToAnsi(const std::string& text) {
    std::string out = text;
    std::replace(out.begin(), out.end(), '\x82', '\xE9');
    return out;
}

int FakeBoxes::show(const std::string& text, unsigned flags, const std::string& title) {
    shown.push_back({text, flags, title});
    if (answers.empty()) {
        return (flags & mb::YesNo) ? mb::IdYes : mb::IdOk;
    }
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
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

void FakeView::setCbodrivesListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(comboItems.size())) {
        raise(err::InvalidPropertyValue);
    }
    comboIndex = index;
    comboText = index >= 0 ? comboItems[index] : std::string();
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

std::unique_ptr<ItemList> FakeShell::browseForFolder(const BrowseRequest&) {
    return chosenFolder.empty() ? nullptr : std::make_unique<FakeItemList>(*this, chosenFolder);
}

bool FakeShell::pathFromIdList(const ItemList* items, char* buffer) {
    const auto* list = dynamic_cast<const FakeItemList*>(items);
    if (list != nullptr) {
        std::memcpy(buffer, list->path.c_str(), list->path.size() + 1);
    }
    return list != nullptr;
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

// The fake subst: "> file" writes the listing, " X: /d" deletes, " X: folder" creates.
Rig::Rig() {
    processes.behaviour = [this](const std::string& line) -> std::uint32_t {
        const std::string args = line.rfind(kSubstRun, 0) == 0 ? line.substr(kSubstRun.size()) : "";
        if (args.rfind(" > ", 0) == 0) {
            std::string listing;
            for (const auto& [letter, folder] : substitutions) {
                listing += std::string(1, letter) + ":\\: => " + folder + "\r\n";
            }
            files.files[files.resolve(args.substr(3))] = listing;
            return 0;
        }
        if (failRuns != 0 || args.size() < 4 || args[0] != ' ' || args[2] != ':' ||
            args[3] != ' ') {
            return failRuns ? failRuns : 1;
        }
        const char letter = args[1];
        const std::uint32_t bit = 1u << (letter - 'A');
        if (args.substr(4) == "/d") {
            if (!substitutions.erase(letter)) {
                return 1;
            }
            drives.mask &= ~bit;
            return 0;
        }
        if (drives.mask & bit) {
            return 1;
        }
        substitute(letter, args.substr(4));
        return 0;
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
