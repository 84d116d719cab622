// The system's error codes as the program's error numbers, for every Win32 service.
#pragma once

#include <windows.h>

#include <string>

#include "support/procedure_error.h"

namespace ostrel {

// Throws the error number that matches the system error, naming the path or command
// that failed.
[[noreturn]] inline void raiseSystemError(DWORD code, const std::string& detail) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        raise(err::FileNotFound, detail);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
        raise(err::PathNotFound, detail);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT:
        raise(err::PermissionDenied, detail);
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_PARAMETER:
    case ERROR_BAD_EXE_FORMAT:
        raise(err::InvalidCall, detail);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        raise(err::OutOfMemory, detail);
    default:
        raise(err::PathFileAccess, detail);
    }
}

} // namespace ostrel
