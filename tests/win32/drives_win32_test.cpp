// The drive engine on Wine's real interpreter, processes and files: exit codes, starts
// that fail, and a hostile listing in temporary folders the ANSI functions cannot name.
// Creating and deleting drives with programs planted where a search would find them is
// the end-to-end test's.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "drives/command_runner.h"
#include "fakes/main_window.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/process_win32.h"
#include "standin/dos_device_win32.h"
#include "support/procedure_error.h"

namespace ostrel::test {
namespace {

// The main form on Wine's real processes, event pump, files and drive mask, with fakes
// for the rest, in the drive root C:\ and with a scratch folder as its own.
template <class RealProcesses = Win32Processes> struct RealForm {
    ScratchFolder scratch{"C:\\ostrel-engine-test"};
    RealProcesses processes;
    Win32EventPump events;
    Win32FileSystem files;
    Win32DriveMask drives;
    FakeBoxes boxes;
    FakeProgram program;
    FakeRegistry registry;
    FakeShell shell;
    Platform platform{processes, events, files, drives, boxes, program, registry, shell};
    FakeView view;
    frmmain form{platform, view};

    RealForm() {
        form.AbsRoot = "C:\\";
        form.AbsPath = scratch.path + "\\";
    }
    ~RealForm() {
        SetCurrentDirectoryA("C:\\"); // out of the scratch folder
        EXPECT_TRUE(boxes.shown.empty());
    }
};

// A run's exit code is read whole. A start that fails names its command and tells why.
TEST(RealEngine, ExitCodesAreReadAndAStartThatFailsNamesTheCommandAndItsCause) {
    RealForm<> rig;
    const std::string cmd = rig.files.systemFolder() + "cmd.exe";
    for (const auto& [line, nonzero] : {std::pair{"cmd /cexit 0", false}, {"cmd /cexit 3", true}}) {
        EXPECT_EQ(SHWait(rig.processes, rig.events, rig.boxes,
                         rig.processes.start(cmd, line, SW_HIDE, {})),
                  nonzero);
    }
    const std::string& scratch = rig.scratch.path;
    const std::tuple<std::string, std::string, int> cases[] = {
        {scratch + "\\cmd.exe", "cmd /cexit", err::FileNotFound},
        {scratch + "\\gone\\cmd.exe", "cmd /cexit", err::PathNotFound}};
    for (const auto& [program, line, number] : cases) {
        try {
            rig.processes.start(program, line, SW_HIDE, {});
            ADD_FAILURE() << "started " << program;
        } catch (const ProcedureError& error) {
            EXPECT_EQ(error.number, number) << program;
            EXPECT_EQ(error.detail, line);
        }
    }
}

// The listing a subst run leaves, read through the real file services and the console
// code page: each entry whole, NUL bytes and a line of 100,000 characters included, and
// the file gone afterwards, whatever the temporary folder: named in another script, or
// too long for a temporary file's name. (ctest runs each test in a process of its own,
// which takes the changed TMP and TEMP with it.)
TEST(RealEngine, AHostileListingGivesEachEntryWholeWhateverTheTemporaryFolder) {
    RealForm<FakeProcesses> rig;
    const std::string longFolder = "C:\\" + std::string(100000, 'L');
    const std::string listing =
        "X:\\: => " + longFolder +
        std::string("\r\nY:\\: => C:\\A\0B\r\n\0\0\0: => C:\\CAF\x82\r\n", 35);
    rig.processes.behaviour = [&](const std::string& line) {
        const auto at = line.find(" > \"") + 4;
        std::ofstream(std::filesystem::path(wide(line.substr(at, line.find('"', at) - at))),
                      std::ios::binary)
            << listing;
        return 0u;
    };
    const std::wstring foreign = wide(rig.scratch.folder("Ж% Ж"));
    for (const std::wstring& folder : {foreign, L"C:\\" + std::wstring(300, L'L')}) {
        SetEnvironmentVariableW(L"TMP", folder.c_str());
        SetEnvironmentVariableW(L"TEMP", folder.c_str());
        rig.form.GetVirtualsDriveList();
        EXPECT_EQ(rig.view.rows, (std::vector<FakeView::Row>{
                                     {"A1", "X:\\", longFolder},
                                     {"A2", "Y:\\", std::string("C:\\A\0B", 6)},
                                     {"A3", std::string(3, '\0'), "C:\\CAFé"}})); // from OEM
    }
    EXPECT_TRUE(RemoveDirectoryW(foreign.c_str())); // nothing left in it
}

} // namespace
} // namespace ostrel::test
