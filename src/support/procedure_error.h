// A failing step of a procedure, numbered as the VB runtime numbers its errors, and the
// text of the report users know ("Error 53 (File not found) in procedure ..."). Showing
// the report is report/error_report.h's.
#pragma once

#include <string>

namespace ostrel {

// A failing step. Numbers and descriptions follow the VB runtime's table.
struct ProcedureError {
    int number;
    std::string description;
    // What failed, for the report's last line: a path or a command. May be empty.
    std::string detail = {};
};

// The runtime's description of a numbered error ("File not found" for 53 ...).
std::string errorDescription(int number);
// Throws ProcedureError{number, errorDescription(number)}.
[[noreturn]] void raise(int number);
// The same, naming the path or command that failed.
[[noreturn]] void raise(int number, const std::string& detail);

// The numbers of the runtime's table that the program uses.
namespace err {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int Internal = 51;
inline constexpr int FileNotFound = 53;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidPropertyValue = 380;
} // namespace err

// "Error 53 (File not found) in procedure\r\n(GetVirtualsDriveList) of (frmmain).", then
// "\r\n" and the error's detail when it has one.
std::string reportText(const ProcedureError& error, const std::string& procedure,
                       const std::string& module);

} // namespace ostrel
