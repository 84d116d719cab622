#include "settings/reg32mod.h"

#include "platform/registry_key.h"
#include "settings/text_value.h"
#include "report/error_report.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "Reg32Mod";
} // namespace

// Platform results are not examined: a refused write or a missing key is no failure
// of the operation. Only an unexpected failure (no memory) shows the report.

void Reg32Mod::SaveKey(RegKeyHandle root, const std::string& path) {
    reported(boxes_, __func__, kModule, [&] {
        RegistryKey key(registry_);
        registry_.createKey(root, path, key.out());
    });
}

std::optional<std::string> Reg32Mod::GetString(RegKeyHandle root, const std::string& path,
                                               const std::string& name) {
    std::optional<std::string> text;
    reported(boxes_, __func__, kModule, [&] { text = readTextValue(registry_, root, path, name); });
    return text;
}

void Reg32Mod::SaveString(RegKeyHandle root, const std::string& path, const std::string& name,
                          const std::string& text) {
    // Exactly the text's characters, without a terminator (the empty text stays zero
    // bytes); readers take a value with or without one.
    reported(boxes_, __func__, kModule, [&] { writeTextValue(registry_, root, path, name, text); });
}

void Reg32Mod::DeleteValue(RegKeyHandle root, const std::string& path, const std::string& name) {
    reported(boxes_, __func__, kModule, [&] {
        RegistryKey key(registry_);
        if (registry_.openKey(root, path, key.out()) == 0) {
            registry_.deleteValue(key.get(), name);
        }
    });
}

void Reg32Mod::DeleteKey(RegKeyHandle root, const std::string& path) {
    reported(boxes_, "DeleteKey", "Reg32Mod", [&] { registry_.deleteTree(root, path); });
}

} // namespace ostrel
