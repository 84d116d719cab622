#include "support/error_report.h"

#include "platform/dialogs.h"

namespace ostrel {

std::string errorDescription(int number) {
    switch (number) {
    case 5:
        return "Invalid procedure call or argument";
    case 6:
        return "Overflow";
    case 7:
        return "Out of memory";
    case 9:
        return "Subscript out of range";
    case 11:
        return "Division by zero";
    case 13:
        return "Type mismatch";
    case 51:
        return "Internal error";
    case 52:
        return "Bad file name or number";
    case 53:
        return "File not found";
    case 54:
        return "Bad file mode";
    case 57:
        return "Device I/O error";
    case 61:
        return "Disk full";
    case 62:
        return "Input past end of file";
    case 70:
        return "Permission denied";
    case 75:
        return "Path/File access error";
    case 76:
        return "Path not found";
    case 91:
        return "Object variable or With block variable not set";
    case 380:
        return "Invalid property value";
    default:
        return "Application-defined or object-defined error";
    }
}

void raise(int number) {
    throw ProcedureError{number, errorDescription(number)};
}

std::string reportText(const ProcedureError& error, const std::string& procedure,
                       const std::string& module) {
    return "Error " + std::to_string(error.number) + " (" + error.description +
           ") in procedure\r\n(" + procedure + ") of (" + module + ").";
}

void showReport(MessageBoxes& boxes, const ProcedureError& error, const std::string& procedure,
                const std::string& module) {
    boxes.show(reportText(error, procedure, module), mb::Critical, kAppTitle);
}

} // namespace ostrel
