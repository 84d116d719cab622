#include "app/start_switch.h"

#include "platform/dialogs.h"
#include "settings/integration.h"
#include "settings/reg32mod.h"
#include "support/vb.h"

namespace ostrel {
namespace {

// Answers every box without showing it: a box no one can see would hold the uninstall.
class Unattended : public MessageBoxes {
  public:
    int show(const std::string&, unsigned, const std::string&) override { return mb::IdOk; }
};

} // namespace

namespace {
// The switches are plain letters: their case is compared without a language's rules.
std::string asciiUpper(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}
} // namespace

StartSwitch readSwitch(const std::string& commandLine) {
    const std::string text = vb::Trim(commandLine);
    const std::string upper = asciiUpper(text);
    if (upper == "-R") {
        return {StartMode::restore, {}};
    }
    if (upper.rfind("-ADD", 0) == 0) {
        return {StartMode::add, text.substr(4)};
    }
    if (upper == "-UNINSTALL") {
        return {StartMode::uninstall, {}};
    }
    return {};
}

bool RunWithoutWindow(const std::string& commandLine, RawRegistry& registry) {
    if (readSwitch(commandLine).mode != StartMode::uninstall) {
        return false;
    }
    Unattended boxes;
    Reg32Mod reg32(registry, boxes);
    RemoveIntegration(reg32);
    return true;
}

} // namespace ostrel
