// The drive engine: command lines, waiting, the folders subst can take, what the listing
// can show, and the restore of the saved set. The main window's use of them is
// frmmain_test's.
#include <gtest/gtest.h>

#include <tuple>

#include "drives/command_runner.h"
#include "drives/folder_check.h"
#include "drives/listing.h"
#include "drives/restore.h"
#include "fakes/platform.h"
#include "settings/settings_store.h"

namespace ostrel::test {
namespace {

// Both programs by their full paths; never a bare name that a search would look up. No
// AutoRun command and no delayed expansion reach a run, and the folder comes through the
// environment, so that no character of its name is read as part of a command.
TEST(Engine, TheInterpreterAndSubstAreNamedByTheirFullPathsAndTheFolderComesAsAVariable) {
    FakePlatform rig;
    const std::string sys = "C:\\WINDOWS\\system32\\", flags = " /d /v:off /s /c \"\"";
    const std::string tail = flags + sys + "subst.exe\" X: \"%OSTREL_PATH%\"\"";
    const struct {
        std::string planted, comspec, system, line;
    } cases[] = {
        {"", sys + "cmd.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {sys + "command.com", "", sys, '"' + sys + "command.com\"" + tail},
        {"D:\\tcc.exe", "D:\\tcc.exe", sys, "\"D:\\tcc.exe\"" + tail},
        {"C:\\TOOLS\\tcc.exe", "tcc.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {"", "D:\\GONE.exe", sys, '"' + sys + "cmd.exe\"" + tail},
        {"\\\\srv\\cmd.exe", "\\\\srv\\cmd.exe", sys, "\"\\\\srv\\cmd.exe\"" + tail},
        {"", "", "C:\\MY OS\\",
         "\"C:\\MY OS\\cmd.exe\"" + flags + "C:\\MY OS\\subst.exe\" X: \"%OSTREL_PATH%\"\""}};
    for (const auto& c : cases) {
        rig.files.programs = {c.planted};
        rig.processes.comspec = c.comspec;
        rig.files.system = c.system;
        const Command command = substCommand(rig.processes, rig.files, " X:", "C:\\100% & !x!");
        EXPECT_EQ(command.line, c.line);
        EXPECT_EQ(command.environment, (Environment{{"OSTREL_PATH", "C:\\100% & !x!"}}));
    }
    // A line the interpreter would refuse is never started; the report names the limit.
    // (The line for this system folder is 63 characters besides the folder.)
    const std::string deep = "C:\\" + std::string(8191 - 63 - 3, 'A');
    StartCommand(rig.processes, substCommand(rig.processes, rig.files, " X:", deep));
    try {
        StartCommand(rig.processes, substCommand(rig.processes, rig.files, " X:", deep + 'A'));
        ADD_FAILURE() << "started";
    } catch (const ProcedureError& error) {
        EXPECT_EQ(error.detail, "The command line would be 8192 characters long; the command "
                                "interpreter runs at most 8191.");
    }
    EXPECT_EQ(rig.processes.started.size(), 1u);
}

// What a folder's text alone tells: nothing given, a path that is not full, a network
// path and a character no folder name holds.
TEST(Folders, TheirTextTellsWhatSubstCannotTake) {
    const std::pair<const char*, FolderProblem> cases[] = {
        {"C:\\DATA", FolderProblem::none},
        {" C:\\МОЯ ПАПКА\\", FolderProblem::none},
        {"D:/data", FolderProblem::none},
        {"\\\\?\\C:\\DATA", FolderProblem::none},
        {"   ", FolderProblem::empty},
        {"SUB", FolderProblem::relative},
        {"C:", FolderProblem::relative},
        {"C:DATA", FolderProblem::relative},
        {"a:\\DATA", FolderProblem::none},
        {"Z:\\DATA", FolderProblem::none},
        {"1:\\DATA", FolderProblem::relative},
        {"\\DATA", FolderProblem::relative},
        {"\\\\server\\share", FolderProblem::network},
        {"//server/share", FolderProblem::network},
        {"\\\\?\\UNC\\server\\share", FolderProblem::network},
        {"C:\\A\"B", FolderProblem::unpassable},
        {"C:\\A\tB", FolderProblem::unpassable},
    };
    for (const auto& [folder, problem] : cases) {
        EXPECT_EQ(folderTextProblem(folder), problem) << folder;
    }
}

// What subst may print for a folder through a console code page that lacks its letters:
// "?" or a look-alike for each, one or two for a character beyond the Basic Multilingual
// Plane; letters lost or an ASCII character changed name another folder.
TEST(Listing, ShowsAFolderThroughACodePageThatLacksItsLetters) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"C:\\DON'T ?", "C:\\DON’T €", true}, {"C:\\??", "C:\\📁", true}, {"C:\\?A", "C:\\📁A", true},
        {"C:\\???", "C:\\📁é", true},          {"C?R", "CŒUR", false},    {"C:\\?", "C:\\A", false},
        {"C:\\A?", "C:\\A", false},           {"C:\\", "C:\\é", false},  {"XC:\\A", "C:\\A", false},
        {"C:\\??", "C:\\é", false},
    };
    for (const auto& [listed, exact, shows] : cases) {
        EXPECT_EQ(listingShows(listed, exact), shows) << listed << " for " << exact;
    }
}

struct Restore : ::testing::Test {
    FakePlatform rig;
    SettingsStore store{rig.registry};
    // Saves "Count" (unless empty) and the entries ("" for a gap) as Drives1, Drives2, ...
    void restore(const std::string& count, const Lines& entries) {
        rig.save(kConfig, "Count", count.empty() ? Text{} : count);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            rig.save(kConfig, "Drives" + std::to_string(i + 1),
                     entries[i].empty() ? Text{} : entries[i]);
        }
        SetUpVDrives(rig.platform, store, "C:\\", [] { return false; });
    }
    // The one message a restore shows: the report line of its first problem, a line for
    // each entry it could not restore, and what to do.
    static std::string message(const std::string& error, const Lines& lines) {
        std::string text =
            report(error, "SetUpVDrives") + "\r\nThese saved virtual drives could not be restored:";
        for (const auto& line : lines) {
            text += "\r\n" + line;
        }
        return text + "\r\n\r\nOpen Ostrel, check its list of virtual drives, then uncheck "
                      "\"Restore current virtual drives the next time windows starts.\" and "
                      "check it again: the set is saved anew.";
    }
};

// "Count" as text or as a number an administrator stored; one beyond 16 bits restores
// nothing and says so.
TEST_F(Restore, CountSaysHowManyEntriesAsTextOrNumberAndOverflowsBeyondSixteenBits) {
    const std::tuple<const char*, std::uint32_t, int> cases[] = {
        {"", 0, 0}, {"0.4", 0, 0}, {"32768", 0, 0}, {nullptr, 1, 1}, {nullptr, 99999, 0}};
    for (const auto& [text, number, runs] : cases) {
        rig.registry = FakeRegistry();
        rig.boxes.shown.clear();
        rig.processes.started.clear();
        if (!text) {
            rig.registry.put(
                hkey::CurrentUser, kConfig, "Count", regtype::Dword,
                std::string(reinterpret_cast<const char*>(&number), 4)); // little-endian
        }
        restore(text ? text : "", {"X:\\=>C:\\A"});
        EXPECT_EQ(rig.processes.started.size(), std::size_t(runs)) << number;
        const std::string count = text ? text : std::to_string(number);
        const bool overflows = count == "32768" || count == "99999";
        EXPECT_EQ(rig.boxes.shown.empty() ? "" : rig.boxes.shown[0].text,
                  overflows ? message("6 (Overflow)", {"Count \"" + count +
                                                       "\": more saved drives than Ostrel can "
                                                       "hold."})
                            : "");
    }
}

// Every usable entry runs, in order, each folder whole as one argument (% and & included;
// a third piece ignored). One message at the end names each entry that could not be
// restored and why; a drive that exists already is no problem, and entries above "Count"
// are never read.
TEST_F(Restore, UsableEntriesRunInOrderAndOneMessageSaysWhichOthersCouldNotAndWhy) {
    rig.processes.behaviour = [subst = rig.processes.behaviour](const std::string& line) {
        if (line.find("UNSTARTABLE") != std::string::npos) {
            raise(err::PathFileAccess);
        }
        return line.find("GONE") != std::string::npos ? 1u : subst(line);
    };
    const std::string deep = "T:\\=>C:\\" + std::string(9000, 'A');
    restore("18",
            {"W:\\=>C:\\UNSTARTABLE", "X:\\=>C:\\Моя папка", "", "", "X:\\C:\\A", "1:\\=>C:\\A",
             "P=>C:\\A", "z:\\=>C:\\100%", "P:\\=>C:\\\"A\"", "P:\\=>C:\\A\r\nB", "",
             "Y:\\=> C:\\R&D (old)", "U:\\=>C:\\Plain=>C:\\Other", "V:\\=>C:\\GONE", "X:\\=>C:\\A",
             "Y:\\=>C:\\R&D (old)", deep, "", "Q:\\=>C:\\BEYOND"});
    EXPECT_EQ(
        rig.processes.commandLines(),
        (Lines{"subst W: \"C:\\UNSTARTABLE\"", "subst X: \"C:\\Моя папка\"",
               "subst z: \"C:\\100%\"", "subst Y: \"C:\\R&D (old)\"", "subst U: \"C:\\Plain\"",
               "subst V: \"C:\\GONE\"", "subst X: \"C:\\A\"", "subst Y: \"C:\\R&D (old)\""}));
    EXPECT_EQ(rig.files.cwdHistory, Lines{"C:\\"});
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].flags, mb::Critical);
    EXPECT_EQ(rig.boxes.shown[0].text,
              message("75 (Path/File access error)",
                      {"Drives1 \"W:\\=>C:\\UNSTARTABLE\": Path/File access error.",
                       "Drives3 to Drives4: missing.",
                       "Drives5 \"X:\\C:\\A\": the entry is damaged (it has no \"=>\").",
                       "Drives6 \"1:\\=>C:\\A\": not a drive letter.",
                       "Drives7 \"P=>C:\\A\": not a drive letter.",
                       "Drives9 \"P:\\=>C:\\\"A\"\": the entry is damaged.",
                       "Drives10 \"P:\\=>C:\\A  B\": the entry is damaged.", "Drives11: missing.",
                       "Drives14 \"V:\\=>C:\\GONE\": no such folder.",
                       "Drives15 \"X:\\=>C:\\A\": the letter X: is in use by another drive.",
                       "Drives17 \"" + deep.substr(0, 80) +
                           "...\": The command line would be 9088 characters long; the command "
                           "interpreter runs at most 8191.",
                       "Drives18: missing."}));
}

} // namespace
} // namespace ostrel::test
