// The procedure error report: every handler and procedure runs its body under
// `reported`, which turns a failure into the one message box users know
// ("Error 53 (File not found) in procedure ...") and returns as if finished.
#pragma once

#include <exception>
#include <new>
#include <string>
#include <utility>

namespace ostrel {

class MessageBoxes;

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

// Shows the report with the critical-stop icon, titled with the application title.
void showReport(MessageBoxes& boxes, const ProcedureError& error, const std::string& procedure,
                const std::string& module);

// Runs body; any failure inside it shows the report naming procedure and module.
// Returns true when the body finished without a failure.
template <class Body>
bool reported(MessageBoxes& boxes, const char* procedure, const char* module, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const ProcedureError& e) {
        showReport(boxes, e, procedure, module);
    } catch (const std::bad_alloc&) {
        showReport(boxes, {err::OutOfMemory, errorDescription(err::OutOfMemory)}, procedure,
                   module);
    } catch (const std::exception&) {
        showReport(boxes, {err::Internal, errorDescription(err::Internal)}, procedure, module);
    }
    return false;
}

} // namespace ostrel
