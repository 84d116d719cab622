// A registry key held for one operation, and the text-value steps that Reg32Mod and
// the settings store share.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/registry.h"

namespace ostrel {

// An open key of the raw registry, closed when the object goes, on every path.
class RegKey {
  public:
    // RegCreateKeyA: the key and every missing level above it come into being.
    static RegKey create(RawRegistry& registry, RegKeyHandle root, const std::string& path);
    // RegOpenKeyA: an existing key only; nothing is created.
    static RegKey open(RawRegistry& registry, RegKeyHandle root, const std::string& path);

    RegKey(RegKey&& other) noexcept
        : registry_(other.registry_), key_(std::exchange(other.key_, 0)), result_(other.result_) {}
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey& operator=(RegKey&&) = delete;
    ~RegKey();

    explicit operator bool() const { return key_ != 0; }
    RegKeyHandle get() const { return key_; }
    // The result code of the create or open.
    long result() const { return result_; }

  private:
    RegKey(RawRegistry& registry, RegKeyHandle key, long result)
        : registry_(registry), key_(key), result_(result) {}
    RawRegistry& registry_;
    RegKeyHandle key_;
    long result_;
};

// The text of a REG_SZ value, cut at its first NUL; nothing when the key, the value
// or a string type is missing or a query fails. Creates nothing.
std::optional<std::string> readTextValue(RawRegistry& registry, RegKeyHandle root,
                                         const std::string& path, const std::string& name);

// Stores bytes as a REG_SZ value with exactly their count, creating missing keys.
// Returns the first failing result code, or 0.
long writeTextValue(RawRegistry& registry, RegKeyHandle root, const std::string& path,
                    const std::string& name, const std::string& bytes);

} // namespace ostrel
