// Every platform service of the program on the Win32 API, wired into one Platform.
#pragma once

#include "platform/platform.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/program_info_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"

namespace ostrel {

struct Win32Platform {
    // commandLine: the program's arguments, as wWinMain receives them.
    explicit Win32Platform(const wchar_t* commandLine) : program(commandLine) {}

    Win32Processes processes;
    Win32EventPump events;
    Win32FileSystem files;
    Win32DriveMask drives;
    Win32MessageBoxes boxes;
    Win32ProgramInfo program;
    Win32Registry registry;
    Win32Shell shell;
    Platform platform{processes, events, files, drives, boxes, program, registry, shell};
};

} // namespace ostrel
