// The registry seam's fake, for unit tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/registry.h"
#include "settings/text_value.h"
#include "support/text.h"

namespace ostrel::test {

// An in-memory registry with the raw seam's semantics: keys created along the path,
// byte-exact values, case-insensitive names, handles that must be closed, and roots
// that can refuse writes as a standard user's HKEY_LOCAL_MACHINE does. A handle that is
// not open throws: the code under test never passes one.
class FakeRegistry : public RawRegistry {
  public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
        bool operator==(const Value&) const = default;
    };
    using Values = std::map<std::string, Value>; // by upper-case name

    // Roots under which every create, write and delete, and every opening for more than
    // reading, is refused (access denied).
    std::set<RegKeyHandle> refusedRoots;
    int openHandles = 0;

    long createKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) override {
        key = 0;
        const std::string id = keyId(root, path);
        if (!keys_.count(id) && refusedRoots.count(root)) {
            return kAccessDenied;
        }
        make(id);
        return opened(root, id, key);
    }
    long openKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) override {
        key = 0;
        const std::string id = keyId(root, path);
        return keys_.count(id) || path.empty() ? opened(root, id, key) : kFileNotFound;
    }
    long openKeyEx(RegKeyHandle root, const std::string& path, std::uint32_t access,
                   RegKeyHandle& key) override {
        key = 0;
        return refusedRoots.count(root) && (access & ~keyaccess::Read) != 0
                   ? kAccessDenied
                   : openKey(root, path, key);
    }
    long queryValue(RegKeyHandle key, const std::string& name, std::uint32_t* type, char* data,
                    std::uint32_t* size) override {
        const auto value = get(handles_.at(key).first, name);
        if (!value) {
            return kFileNotFound;
        }
        const auto length = static_cast<std::uint32_t>(value->bytes.size());
        const bool fits = data == nullptr || *size >= length;
        if (type) {
            *type = value->type;
        }
        if (data != nullptr && fits) {
            std::memcpy(data, value->bytes.data(), length);
        }
        *size = length;
        return fits ? kSuccess : kMoreData;
    }
    long setValue(RegKeyHandle key, const std::string& name, std::uint32_t type, const char* data,
                  std::uint32_t size) override {
        if (refused(key)) {
            return kAccessDenied;
        }
        keys_[handles_.at(key).first][asciiUpper(name)] = {type, std::string(data, size)};
        return kSuccess;
    }
    long deleteValue(RegKeyHandle key, const std::string& name) override {
        if (refused(key)) {
            return kAccessDenied;
        }
        return keys_[handles_.at(key).first].erase(asciiUpper(name)) ? kSuccess : kFileNotFound;
    }
    long deleteTree(RegKeyHandle root, const std::string& path) override {
        const std::string id = keyId(root, path);
        if (refusedRoots.count(root)) {
            return kAccessDenied;
        }
        return std::erase_if(keys_,
                             [&](const auto& key) {
                                 return key.first == id || key.first.rfind(id + "\\", 0) == 0;
                             }) != 0
                   ? kSuccess
                   : kFileNotFound;
    }
    long closeKey(RegKeyHandle key) override {
        openHandles -= static_cast<int>(handles_.erase(key));
        return kSuccess;
    }
    long enumKey(RegKeyHandle key, std::uint32_t index, std::string& name) override {
        const std::string prefix = handles_.at(key).first + '\\';
        std::set<std::string> children;
        for (const auto& [id, values] : keys_) {
            if (id.rfind(prefix, 0) == 0) {
                children.insert(
                    id.substr(prefix.size(), id.find('\\', prefix.size()) - prefix.size()));
            }
        }
        if (index >= children.size()) {
            return kErrorNoMoreItems;
        }
        name = *std::next(children.begin(), index);
        return kSuccess;
    }
    // A hive file is a set of keys by their paths inside it (see hiveFiles).
    long loadHive(RegKeyHandle root, const std::string& name, const std::string& file) override {
        const std::string id = keyId(root, name);
        if (!hiveFiles.count(file) || keys_.count(id)) {
            return kFileNotFound;
        }
        make(id);
        for (const auto& [path, values] : hiveFiles.at(file)) {
            make(keyId(root, name + '\\' + path)) = values;
        }
        loaded_[id] = file;
        return kSuccess;
    }
    long unloadHive(RegKeyHandle root, const std::string& name) override {
        const std::string id = keyId(root, name);
        auto& file = hiveFiles[loaded_.at(id)];
        file.clear();
        std::erase_if(keys_, [&](const auto& key) {
            if (key.first.rfind(id + '\\', 0) == 0) {
                file[key.first.substr(id.size() + 1)] = key.second;
                return true;
            }
            return key.first == id;
        });
        loaded_.erase(id);
        return kSuccess;
    }
    // Hive files by their paths as the program names them: each key (its path in upper
    // case) with its values.
    std::map<std::string, std::map<std::string, Values>> hiveFiles;

    // Test access, bypassing handles and refusals.
    void put(RegKeyHandle root, const std::string& path, const std::string& name,
             std::uint32_t type, const std::string& bytes) {
        make(keyId(root, path))[asciiUpper(name)] = {type, bytes};
    }
    // A text as the system stores it (UTF-16), with no terminator unless the text has one.
    void putString(RegKeyHandle root, const std::string& path, const std::string& name,
                   const std::string& text) {
        put(root, path, name, regtype::Sz, registryBytes(text));
    }
    std::optional<Value> get(RegKeyHandle root, const std::string& path,
                             const std::string& name) const {
        return get(keyId(root, path), name);
    }
    // A text value up to its first NUL; nothing when it is absent or no text.
    std::optional<std::string> text(RegKeyHandle root, const std::string& path,
                                    const std::string& name) const {
        const auto value = get(root, path, name);
        if (!value || value->type != regtype::Sz) {
            return std::nullopt;
        }
        return registryText(value->bytes);
    }
    bool keyExists(RegKeyHandle root, const std::string& path) const {
        return keys_.count(keyId(root, path)) != 0;
    }
    // Every value of a key; empty when the key does not exist.
    Values values(RegKeyHandle root, const std::string& path) const {
        return keyExists(root, path) ? keys_.at(keyId(root, path)) : Values{};
    }
    // Every key with its values, to compare the whole registry before and after.
    std::map<std::string, Values> snapshot() const { return keys_; }

  private:
    static constexpr long kSuccess = 0, kFileNotFound = 2, kAccessDenied = 5, kMoreData = 234;

    // The key's name: the root's number, then the path in upper case.
    static std::string keyId(RegKeyHandle root, const std::string& path) {
        return std::to_string(root) + (path.empty() ? "" : '\\' + asciiUpper(path));
    }
    // The key with every level along its path, made where missing.
    Values& make(const std::string& id) {
        for (auto end = id.find('\\'); end != std::string::npos; end = id.find('\\', end + 1)) {
            keys_[id.substr(0, end)];
        }
        return keys_[id];
    }
    std::optional<Value> get(const std::string& id, const std::string& name) const {
        const auto key = keys_.find(id);
        if (key == keys_.end() || !key->second.count(asciiUpper(name))) {
            return std::nullopt;
        }
        return key->second.at(asciiUpper(name));
    }
    long opened(RegKeyHandle root, const std::string& id, RegKeyHandle& key) {
        key = nextHandle_++;
        handles_[key] = {id, root};
        ++openHandles;
        return kSuccess;
    }
    bool refused(RegKeyHandle key) const { return refusedRoots.count(handles_.at(key).second); }

    std::map<std::string, Values> keys_;
    std::map<RegKeyHandle, std::pair<std::string, RegKeyHandle>> handles_; // key id, root
    std::map<std::string, std::string> loaded_;                            // hive key id, its file
    RegKeyHandle nextHandle_ = 0x1000;
};

// A text value as the system stores it.
inline FakeRegistry::Value sz(const std::string& text) {
    return {regtype::Sz, registryBytes(text)};
}

} // namespace ostrel::test
