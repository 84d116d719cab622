// The raw registry: the system's calls one for one, with byte-exact data.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

using RegKeyHandle = std::uintptr_t;

namespace hkey {
inline constexpr RegKeyHandle ClassesRoot = 0x80000000;
inline constexpr RegKeyHandle CurrentUser = 0x80000001;
inline constexpr RegKeyHandle LocalMachine = 0x80000002;
inline constexpr RegKeyHandle Users = 0x80000003;
} // namespace hkey

namespace regtype {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Sz = 1;
inline constexpr std::uint32_t ExpandSz = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t Dword = 4;
inline constexpr std::uint32_t MultiSz = 7;
} // namespace regtype

// Access rights of an opened key.
namespace keyaccess {
inline constexpr std::uint32_t Read = 0x20019;
} // namespace keyaccess

// The system's result code for a key or value that does not exist.
inline constexpr long kErrorFileNotFound = 2;
// The system's result code past a key's last subkey.
inline constexpr long kErrorNoMoreItems = 259;

// Failures: every call returns the system's result code (0 for success), because the
// stored-state rules read them (a missing key is not a refused write).
// Key paths and value names are UTF-8; data is byte for byte as the system's wide calls
// store it, so a text is UTF-16 (settings/text_value.h reads and writes it). An empty
// value name names the key's default value.
class RawRegistry {
  public:
    virtual ~RawRegistry() = default;
    // RegCreateKeyW: opens the key, creating it and every missing level above it.
    virtual long createKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) = 0;
    // RegOpenKeyW: opens an existing key; creates nothing.
    virtual long openKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) = 0;
    // RegOpenKeyExW with an access mask.
    virtual long openKeyEx(RegKeyHandle root, const std::string& path, std::uint32_t access,
                           RegKeyHandle& key) = 0;
    // RegQueryValueExW; data may be null to ask only for the type and the size in bytes.
    virtual long queryValue(RegKeyHandle key, const std::string& name, std::uint32_t* type,
                            char* data, std::uint32_t* size) = 0;
    // RegSetValueExW.
    virtual long setValue(RegKeyHandle key, const std::string& name, std::uint32_t type,
                          const char* data, std::uint32_t size) = 0;
    // RegDeleteValueW.
    virtual long deleteValue(RegKeyHandle key, const std::string& name) = 0;
    // Removes a key with everything below it.
    virtual long deleteTree(RegKeyHandle root, const std::string& path) = 0;
    // RegCloseKey.
    virtual long closeKey(RegKeyHandle key) = 0;
    // RegEnumKeyExW: the name of the key's subkey at index (kErrorNoMoreItems past the last).
    virtual long enumKey(RegKeyHandle key, std::uint32_t index, std::string& name) = 0;
    // RegLoadKeyW: a hive file as the root's subkey name (environment variables in the
    // file's path expanded; the privileges it needs enabled first).
    virtual long loadHive(RegKeyHandle root, const std::string& name, const std::string& file) = 0;
    // RegUnLoadKeyW: the loaded hive goes back to its file.
    virtual long unloadHive(RegKeyHandle root, const std::string& name) = 0;
};

} // namespace ostrel
