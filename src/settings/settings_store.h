// The per-user settings store (application, section, key), kept where earlier versions
// of the program kept it: HKEY_CURRENT_USER\Software\VB and VBA Program Settings.
#pragma once

#include <string>

#include "platform/registry.h"

namespace ostrel {

class SettingsStore {
  public:
    explicit SettingsStore(RawRegistry& registry) : registry_(registry) {}

    // The stored text (a REG_DWORD number as its decimal text), or the default when the
    // key or its section does not exist.
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& fallback = "");
    // Stores the text, creating the section when needed. ProcedureError 5 when the
    // registry refuses the write.
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& text);
    // Removes the whole section with all its keys; a missing section is no failure.
    // ProcedureError 5 when the registry refuses the deletion.
    void DeleteSetting(const std::string& app, const std::string& section);

  private:
    RawRegistry& registry_;
};

} // namespace ostrel
