#include "app/start_switch.h"

#include "platform/dialogs.h"
#include "platform/program_info.h"
#include "settings/integration.h"
#include "settings/reg32mod.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/vb.h"

namespace ostrel {
namespace {

// Answers every box without showing it: a box no one can see would hold the uninstall.
class Unattended : public MessageBoxes {
  public:
    int show(const std::string&, unsigned, const std::string&) override { return mb::IdOk; }
};

} // namespace

StartSwitch readSwitch(const std::string& commandLine) {
    const std::string text = vb::Trim(commandLine);
    const std::string upper = asciiUpper(text);
    if (upper == "-R") {
        return {StartMode::restore, {}, {}};
    }
    if (upper.rfind("-ADD", 0) == 0) {
        return {StartMode::add, text.substr(4), {}};
    }
    if (upper == "-UNINSTALL") {
        return {StartMode::uninstall, {}, {}};
    }
    if (upper.rfind("-UNINSTALL ", 0) == 0) {
        std::string program = vb::Trim(text.substr(11));
        if (program.size() > 1 && program.front() == '"' && program.back() == '"') {
            program = program.substr(1, program.size() - 2);
        }
        return {StartMode::uninstall, {}, program};
    }
    return {};
}

bool RunWithoutWindow(const std::string& commandLine, RawRegistry& registry, ProgramInfo& self) {
    const StartSwitch start = readSwitch(commandLine);
    if (start.mode != StartMode::uninstall) {
        return false;
    }
    Unattended boxes;
    Reg32Mod reg32(registry, boxes);
    RemoveIntegration(reg32, registry,
                      start.program.empty() ? FixPath(self.folder()) + self.exeName() + ".exe"
                                            : start.program);
    return true;
}

} // namespace ostrel
