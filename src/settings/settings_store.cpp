#include "settings/settings_store.h"

#include "settings/layout.h"
#include "settings/text_value.h"
#include "support/procedure_error.h"

namespace ostrel {
std::string SettingsStore::GetSetting(const std::string& app, const std::string& section,
                                      const std::string& key, const std::string& fallback) {
    const std::string path = layout::settingsSectionKey(app, section);
    if (const auto text = readTextValue(registry_, hkey::CurrentUser, path, key)) {
        return *text;
    }
    // A number stored as REG_DWORD (an administrator's .reg file, a policy) reads as its
    // decimal text.
    if (const auto number = readNumberValue(registry_, hkey::CurrentUser, path, key)) {
        return std::to_string(*number);
    }
    return fallback;
}

void SettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& text) {
    // Stored with its terminating NUL, as string values conventionally are.
    if (writeTextValue(registry_, hkey::CurrentUser, layout::settingsSectionKey(app, section), key,
                       text + '\0') != 0) {
        raise(err::InvalidCall);
    }
}

void SettingsStore::DeleteSetting(const std::string& app, const std::string& section) {
    // A section that is not there is already deleted: not a failure.
    const long result =
        registry_.deleteTree(hkey::CurrentUser, layout::settingsSectionKey(app, section));
    if (result != 0 && result != kErrorFileNotFound) {
        raise(err::InvalidCall);
    }
}

} // namespace ostrel
