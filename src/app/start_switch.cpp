#include "app/start_switch.h"

#include "support/vb.h"

namespace ostrel {

StartSwitch readSwitch(const std::string& commandLine) {
    const std::string text = vb::UCase(vb::Trim(commandLine));
    if (text == "-R") {
        return {StartMode::restore, {}};
    }
    if (text.rfind("-ADD", 0) == 0) {
        return {StartMode::add, text.substr(4)};
    }
    return {};
}

} // namespace ostrel
