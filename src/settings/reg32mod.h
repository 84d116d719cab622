// Reg32Mod: the registry operations the program uses for its own values, on the
// raw registry seam. Every key handle is opened and closed inside one operation.
#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"

namespace ostrel {

class MessageBoxes;

class Reg32Mod {
  public:
    Reg32Mod(RawRegistry& registry, MessageBoxes& boxes) : registry_(registry), boxes_(boxes) {}

    // Creates the key and every missing level above it.
    void SaveKey(RegKeyHandle root, const std::string& path);
    // The text value, or nothing (the empty result) when there is no usable REG_SZ value.
    std::optional<std::string> GetString(RegKeyHandle root, const std::string& path,
                                         const std::string& name);
    // Writes a REG_SZ value of exactly the text's bytes, creating missing keys.
    void SaveString(RegKeyHandle root, const std::string& path, const std::string& name,
                    const std::string& text);
    // Removes the value; creates nothing.
    void DeleteValue(RegKeyHandle root, const std::string& path, const std::string& name);
    // Removes the key with everything below it; creates nothing.
    void DeleteKey(RegKeyHandle root, const std::string& path);

  private:
    RawRegistry& registry_;
    MessageBoxes& boxes_;
};

} // namespace ostrel
