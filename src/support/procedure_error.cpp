#include "support/procedure_error.h"

namespace ostrel {

std::string errorDescription(int number) {
    switch (number) {
    case err::InvalidCall:
        return "Invalid procedure call or argument";
    case err::Overflow:
        return "Overflow";
    case err::OutOfMemory:
        return "Out of memory";
    case err::SubscriptOutOfRange:
        return "Subscript out of range";
    case err::Internal:
        return "Internal error";
    case err::FileNotFound:
        return "File not found";
    case err::PermissionDenied:
        return "Permission denied";
    case err::PathFileAccess:
        return "Path/File access error";
    case err::PathNotFound:
        return "Path not found";
    case err::ObjectNotSet:
        return "Object variable or With block variable not set";
    case err::InvalidPropertyValue:
        return "Invalid property value";
    default:
        return "Application-defined or object-defined error";
    }
}

void raise(int number) {
    throw ProcedureError{number, errorDescription(number)};
}

void raise(int number, const std::string& detail) {
    throw ProcedureError{number, errorDescription(number), detail};
}

std::string reportText(const ProcedureError& error, const std::string& procedure,
                       const std::string& module) {
    return "Error " + std::to_string(error.number) + " (" + error.description +
           ") in procedure\r\n(" + procedure + ") of (" + module + ")." +
           (error.detail.empty() ? "" : "\r\n" + error.detail);
}

} // namespace ostrel
