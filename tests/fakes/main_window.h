// The main window's handlers on the fakes of every seam and of its view.
#pragma once

#include <string>

#include "app/frmmain.h"
#include "fakes/main_view.h"
#include "fakes/platform.h"

namespace ostrel::test {

// The main window's handlers, as the program runs them, on the fakes.
struct Rig : FakePlatform {
    FakeView view;
    frmmain form{platform, view};

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
};
} // namespace ostrel::test
