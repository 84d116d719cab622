// The text-value steps that Reg32Mod and the settings store share.
#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"

namespace ostrel {

// The text of a REG_SZ value, cut at its first NUL; nothing when the key, the value
// or a string type is missing or a query fails. Creates nothing.
std::optional<std::string> readTextValue(RawRegistry& registry, RegKeyHandle root,
                                         const std::string& path, const std::string& name);

// Stores bytes as a REG_SZ value with exactly their count, creating missing keys.
// Returns the first failing result code, or 0.
long writeTextValue(RawRegistry& registry, RegKeyHandle root, const std::string& path,
                    const std::string& name, const std::string& bytes);

} // namespace ostrel
