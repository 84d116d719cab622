// Text values in the registry, which keeps text as UTF-16: the steps that Reg32Mod, the
// settings store and the About dialog share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace ostrel {

// A text as the registry keeps it: UTF-16, little-endian, without a terminator.
std::string registryBytes(std::string_view text);
// The text that registry bytes hold, up to its first NUL; an odd last byte is no
// character.
std::string registryText(std::string_view bytes);

// The text of a REG_SZ value, cut at its first NUL; nothing when the key, the value
// or a string type is missing or a query fails. Creates nothing.
std::optional<std::string> readTextValue(RawRegistry& registry, RegKeyHandle root,
                                         const std::string& path, const std::string& name);

// The number of a REG_DWORD value, as an administrator's .reg file or a policy stores
// numbers; nothing for any other value.
std::optional<std::uint32_t> readNumberValue(RawRegistry& registry, RegKeyHandle root,
                                             const std::string& path, const std::string& name);

// Stores the text as a REG_SZ value of exactly its characters (a terminator only where
// the text ends in one), creating missing keys. Returns the first failing result code,
// or 0.
long writeTextValue(RawRegistry& registry, RegKeyHandle root, const std::string& path,
                    const std::string& name, const std::string& text);

} // namespace ostrel
