// Every seam's fake wired into one Platform, with a fake subst.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>

#include "fakes/dialogs.h"
#include "fakes/files.h"
#include "fakes/processes.h"
#include "fakes/program.h"
#include "fakes/registry.h"
#include "fakes/shell.h"
#include "platform/platform.h"

namespace ostrel::test {

using Text = std::optional<std::string>;

// Where the program keeps its state (under HKEY_CURRENT_USER) and its start-up entry.
inline const std::string kSettings = "Software\\VB and VBA Program Settings\\Ostrel\\";
inline const std::string kConfig = kSettings + "Config";
inline const std::string kVendor = "Software\\Brenmoor Software\\Ostrel\\Main";
inline const std::string kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// A folder as a console code page without any letter beyond ASCII writes it: "?" for each.
inline std::string consoleForm(const std::string& text) {
    std::string form;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        form += byte < 0x80 ? std::string(1, c) : (byte & 0xC0) != 0x80 ? "?" : "";
    }
    return form;
}

// Every seam's fake, wired together, leaving no handle open, with a fake subst that keeps the
// drive table's substitutions, writes its listing into the working directory (in a console
// code page without the letters beyond ASCII) and keeps the drive mask in step.
struct FakePlatform {
    FakeProcesses processes;
    FakeEvents events;
    FakeFiles files;
    FakeDrives drives;
    FakeBoxes boxes;
    FakeProgram program;
    FakeRegistry registry;
    FakeShell shell;
    Platform platform{processes, events, files, drives, boxes, program, registry, shell};

    // Exit code for create and delete runs when nonzero.
    std::uint32_t failRuns = 0;

    // The fake subst: ' > "file"' writes the listing, " X: /d" deletes, ' X: "folder"'
    // creates; a run that cannot do what it is asked exits with 1.
    FakePlatform() {
        processes.behaviour = [this](const std::string& line) -> std::uint32_t {
            const std::string args = substArguments(line).value_or("");
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
            const char letter =
                args.size() > 4 && args[2] == ':' ? static_cast<char>(std::toupper(args[1])) : '\0';
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
    ~FakePlatform() {
        EXPECT_EQ(registry.openHandles + processes.openHandles + shell.liveItemLists, 0);
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
