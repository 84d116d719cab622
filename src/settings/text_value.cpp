#include "settings/text_value.h"

#include "platform/registry_key.h"

namespace ostrel {

std::optional<std::string> readTextValue(RawRegistry& registry, RegKeyHandle root,
                                         const std::string& path, const std::string& name) {
    RegistryKey key(registry);
    if (registry.openKey(root, path, key.out()) != 0) {
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
    RegistryKey key(registry);
    if (const long result = registry.createKey(root, path, key.out()); result != 0) {
        return result;
    }
    return registry.setValue(key.get(), name, regtype::Sz, bytes.data(),
                             static_cast<std::uint32_t>(bytes.size()));
}

} // namespace ostrel
