// The platform services the program uses, one reference per seam.
#pragma once

namespace ostrel {

class Processes;
class EventPump;
class FileSystem;
class DriveMask;
class MessageBoxes;
class ProgramInfo;
class RawRegistry;
class Shell;

struct Platform {
    Processes& processes;
    EventPump& events;
    FileSystem& files;
    DriveMask& drives;
    MessageBoxes& boxes;
    ProgramInfo& program;
    RawRegistry& registry;
    Shell& shell;
};

} // namespace ostrel
