// The procedure error report: every handler and procedure runs its body under
// `reported`, which turns a failure into the one message box users know
// ("Error 53 (File not found) in procedure ...") and returns as if finished. It stands on
// the dialogs seam, above the ground floor.
#pragma once

#include <exception>
#include <new>
#include <utility>

#include "support/procedure_error.h"

namespace ostrel {

class MessageBoxes;

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
