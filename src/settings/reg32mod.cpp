#include "settings/reg32mod.h"

#include "settings/registry_key.h"
#include "support/error_report.h"

namespace ostrel {

// Platform results are not examined: a refused write or a missing key is no failure
// of the operation. Only an unexpected failure (no memory) shows the report.

void Reg32Mod::SaveKey(RegKeyHandle root, const std::string& path) {
    reported(boxes_, "SaveKey", "Reg32Mod", [&] { RegKey::create(registry_, root, path); });
}

std::optional<std::string> Reg32Mod::GetString(RegKeyHandle root, const std::string& path,
                                               const std::string& name) {
    std::optional<std::string> text;
    reported(boxes_, "GetString", "Reg32Mod",
             [&] { text = readTextValue(registry_, root, path, name); });
    return text;
}

void Reg32Mod::SaveString(RegKeyHandle root, const std::string& path, const std::string& name,
                          const std::string& text) {
    // The byte count is the text's length: no terminating NUL is stored.
    reported(boxes_, "SaveString", "Reg32Mod",
             [&] { writeTextValue(registry_, root, path, name, text); });
}

void Reg32Mod::DeleteValue(RegKeyHandle root, const std::string& path, const std::string& name) {
    reported(boxes_, "DeleteValue", "Reg32Mod", [&] {
        const RegKey key = RegKey::open(registry_, root, path);
        if (key) {
            registry_.deleteValue(key.get(), name);
        }
    });
}

} // namespace ostrel
