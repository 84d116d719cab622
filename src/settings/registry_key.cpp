#include "settings/registry_key.h"

namespace ostrel {

RegKey RegKey::create(RawRegistry& registry, RegKeyHandle root, const std::string& path) {
    RegKeyHandle key = 0;
    const long result = registry.createKey(root, path, key);
    return RegKey(registry, result == 0 ? key : 0, result);
}

RegKey RegKey::open(RawRegistry& registry, RegKeyHandle root, const std::string& path) {
    RegKeyHandle key = 0;
    const long result = registry.openKey(root, path, key);
    return RegKey(registry, result == 0 ? key : 0, result);
}

RegKey::~RegKey() {
    if (key_ != 0) {
        registry_.closeKey(key_);
    }
}

std::optional<std::string> readTextValue(RawRegistry& registry, RegKeyHandle root,
                                         const std::string& path, const std::string& name) {
    const RegKey key = RegKey::open(registry, root, path);
    if (!key) {
        return std::nullopt;
    }
    // First the type and the size, then the data into a buffer of that size.
    std::uint32_t type = regtype::None;
    std::uint32_t size = 0;
    registry.queryValue(key.get(), name, &type, nullptr, &size);
    if (type != regtype::Sz) {
        return std::nullopt;
    }
    std::string buffer(size, ' ');
    if (registry.queryValue(key.get(), name, &type, buffer.data(), &size) != 0 ||
        type != regtype::Sz) {
        return std::nullopt;
    }
    if (size < buffer.size()) {
        buffer.resize(size);
    }
    // Another program's value comes with its terminator; an embedded NUL ends the text.
    const auto nul = buffer.find('\0');
    if (nul != std::string::npos) {
        buffer.resize(nul);
    }
    return buffer;
}

long writeTextValue(RawRegistry& registry, RegKeyHandle root, const std::string& path,
                    const std::string& name, const std::string& bytes) {
    const RegKey key = RegKey::create(registry, root, path);
    if (!key) {
        return key.result() != 0 ? key.result() : -1;
    }
    return registry.setValue(key.get(), name, regtype::Sz, bytes.data(),
                             static_cast<std::uint32_t>(bytes.size()));
}

} // namespace ostrel
