// An in-memory registry with the raw seam's semantics: keys created along the path,
// byte-exact values, case-insensitive names, handles that must be closed, and roots
// that can refuse writes as a standard user's HKEY_LOCAL_MACHINE does.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/registry.h"

namespace ostrel::test {

class FakeRegistry : public RawRegistry {
  public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
        bool operator==(const Value&) const = default;
    };
    // Roots under which every create, write and delete is refused (access denied).
    std::set<RegKeyHandle> refusedRoots;
    // Access masks that openKeyEx refuses.
    std::set<std::uint32_t> refusedAccess;
    int openHandles = 0;

    long createKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) override;
    long openKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) override;
    long openKeyEx(RegKeyHandle root, const std::string& path, std::uint32_t access,
                   RegKeyHandle& key) override;
    long queryValue(RegKeyHandle key, const std::string& name, std::uint32_t* type, char* data,
                    std::uint32_t* size) override;
    long setValue(RegKeyHandle key, const std::string& name, std::uint32_t type, const char* data,
                  std::uint32_t size) override;
    long deleteValue(RegKeyHandle key, const std::string& name) override;
    long deleteTree(RegKeyHandle root, const std::string& path) override;
    long closeKey(RegKeyHandle key) override;

    // Test access, bypassing handles.
    void put(RegKeyHandle root, const std::string& path, const std::string& name,
             std::uint32_t type, const std::string& bytes);
    void putString(RegKeyHandle root, const std::string& path, const std::string& name,
                   const std::string& text) {
        put(root, path, name, regtype::Sz, text);
    }
    std::optional<Value> get(RegKeyHandle root, const std::string& path,
                             const std::string& name) const;
    bool keyExists(RegKeyHandle root, const std::string& path) const;
    // Every value of a key, by upper-case name; empty when the key does not exist.
    std::map<std::string, Value> values(RegKeyHandle root, const std::string& path) const;
    // Every key with its values, to compare the whole registry before and after.
    std::map<std::string, std::map<std::string, Value>> snapshot() const;
    // Every key path (root prefixed, upper case) that exists.
    std::set<std::string> keys() const;

  private:
    struct Key {
        std::map<std::string, Value> values; // by upper-case name
    };
    static std::string keyId(RegKeyHandle root, const std::string& path);
    std::map<std::string, Key> keys_;
    struct Open {
        std::string id;
        RegKeyHandle root;
    };
    std::map<RegKeyHandle, Open> handles_;
    RegKeyHandle nextHandle_ = 0x1000;
};

} // namespace ostrel::test
