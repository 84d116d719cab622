// The shell's fake.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace ostrel::test {

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

} // namespace ostrel::test
