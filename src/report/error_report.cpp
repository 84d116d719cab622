#include "report/error_report.h"

#include "platform/dialogs.h"

namespace ostrel {

void showReport(MessageBoxes& boxes, const ProcedureError& error, const std::string& procedure,
                const std::string& module) {
    boxes.show(reportText(error, procedure, module), mb::Critical, kAppTitle);
}

} // namespace ostrel
