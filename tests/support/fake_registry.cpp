#include "support/fake_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace ostrel::test {
namespace {
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kMoreData = 234;

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}
} // namespace

std::string FakeRegistry::keyId(RegKeyHandle root, const std::string& path) {
    std::string id = std::to_string(root);
    std::string clean = upper(path);
    while (!clean.empty() && clean.back() == '\\') {
        clean.pop_back();
    }
    if (!clean.empty()) {
        id += "\\" + clean;
    }
    return id;
}

long FakeRegistry::createKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) {
    key = 0;
    const std::string id = keyId(root, path);
    if (!keys_.count(id) && refusedRoots.count(root)) {
        return kAccessDenied;
    }
    // Every level along the path comes into being.
    std::string level = std::to_string(root);
    keys_[level];
    std::string rest = upper(path);
    std::size_t start = 0;
    while (start <= rest.size()) {
        const auto end = rest.find('\\', start);
        const std::string part = rest.substr(start, end == std::string::npos ? end : end - start);
        if (!part.empty()) {
            level += "\\" + part;
            keys_[level];
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    key = nextHandle_++;
    handles_[key] = {id, root};
    ++openHandles;
    return kSuccess;
}

long FakeRegistry::openKey(RegKeyHandle root, const std::string& path, RegKeyHandle& key) {
    key = 0;
    const std::string id = keyId(root, path);
    if (!keys_.count(id) && !path.empty()) {
        return kFileNotFound;
    }
    keys_[std::to_string(root)];
    key = nextHandle_++;
    handles_[key] = {id, root};
    ++openHandles;
    return kSuccess;
}

long FakeRegistry::openKeyEx(RegKeyHandle root, const std::string& path, std::uint32_t access,
                             RegKeyHandle& key) {
    key = 0;
    if (refusedAccess.count(access)) {
        return kAccessDenied;
    }
    return openKey(root, path, key);
}

long FakeRegistry::queryValue(RegKeyHandle key, const std::string& name, std::uint32_t* type,
                              char* data, std::uint32_t* size) {
    const auto open = handles_.find(key);
    if (open == handles_.end()) {
        return kInvalidHandle;
    }
    const auto& values = keys_[open->second.id].values;
    const auto value = values.find(upper(name));
    if (value == values.end()) {
        return kFileNotFound;
    }
    if (type) {
        *type = value->second.type;
    }
    const auto length = static_cast<std::uint32_t>(value->second.bytes.size());
    if (data == nullptr) {
        if (size) {
            *size = length;
        }
        return kSuccess;
    }
    if (size == nullptr) {
        return 87;
    }
    if (*size < length) {
        *size = length;
        return kMoreData;
    }
    std::memcpy(data, value->second.bytes.data(), length);
    *size = length;
    return kSuccess;
}

long FakeRegistry::setValue(RegKeyHandle key, const std::string& name, std::uint32_t type,
                            const char* data, std::uint32_t size) {
    const auto open = handles_.find(key);
    if (open == handles_.end()) {
        return kInvalidHandle;
    }
    if (refusedRoots.count(open->second.root)) {
        return kAccessDenied;
    }
    keys_[open->second.id].values[upper(name)] = {type, std::string(data, size)};
    return kSuccess;
}

long FakeRegistry::deleteValue(RegKeyHandle key, const std::string& name) {
    const auto open = handles_.find(key);
    if (open == handles_.end()) {
        return kInvalidHandle;
    }
    if (refusedRoots.count(open->second.root)) {
        return kAccessDenied;
    }
    return keys_[open->second.id].values.erase(upper(name)) ? kSuccess : kFileNotFound;
}

long FakeRegistry::deleteTree(RegKeyHandle root, const std::string& path) {
    if (refusedRoots.count(root)) {
        return kAccessDenied;
    }
    const std::string id = keyId(root, path);
    if (!keys_.count(id)) {
        return kFileNotFound;
    }
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->first == id || it->first.rfind(id + "\\", 0) == 0) {
            it = keys_.erase(it);
        } else {
            ++it;
        }
    }
    return kSuccess;
}

long FakeRegistry::closeKey(RegKeyHandle key) {
    if (!handles_.erase(key)) {
        return kInvalidHandle;
    }
    --openHandles;
    return kSuccess;
}

void FakeRegistry::put(RegKeyHandle root, const std::string& path, const std::string& name,
                       std::uint32_t type, const std::string& bytes) {
    const auto refused = refusedRoots;
    refusedRoots.clear();
    RegKeyHandle key = 0;
    createKey(root, path, key);
    setValue(key, name, type, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    closeKey(key);
    refusedRoots = refused;
}

std::optional<FakeRegistry::Value> FakeRegistry::get(RegKeyHandle root, const std::string& path,
                                                     const std::string& name) const {
    const auto key = keys_.find(keyId(root, path));
    if (key == keys_.end()) {
        return std::nullopt;
    }
    const auto value = key->second.values.find(upper(name));
    if (value == key->second.values.end()) {
        return std::nullopt;
    }
    return value->second;
}

bool FakeRegistry::keyExists(RegKeyHandle root, const std::string& path) const {
    return keys_.count(keyId(root, path)) != 0;
}

std::map<std::string, FakeRegistry::Value> FakeRegistry::values(RegKeyHandle root,
                                                                const std::string& path) const {
    const auto key = keys_.find(keyId(root, path));
    return key == keys_.end() ? std::map<std::string, Value>{} : key->second.values;
}

std::map<std::string, std::map<std::string, FakeRegistry::Value>> FakeRegistry::snapshot() const {
    std::map<std::string, std::map<std::string, Value>> out;
    for (const auto& [id, key] : keys_) {
        out[id] = key.values;
    }
    return out;
}

std::set<std::string> FakeRegistry::keys() const {
    std::set<std::string> out;
    for (const auto& [id, key] : keys_) {
        out.insert(id);
    }
    return out;
}

} // namespace ostrel::test
