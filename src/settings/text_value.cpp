#include "settings/text_value.h"

#include <algorithm>

#include "platform/registry_key.h"
#include "support/text.h"

namespace ostrel {

std::string registryBytes(std::string_view text) {
    std::string bytes;
    for (const char16_t unit : toUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string registryText(std::string_view bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == 0) {
            break; // another program's value comes with its terminator; a NUL ends the text
        }
        units += unit;
    }
    return toUtf8(units);
}

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
    std::string buffer(size, '\0');
    if (registry.queryValue(key.get(), name, &type, buffer.data(), &size) != 0 ||
        type != regtype::Sz) {
        return std::nullopt;
    }
    buffer.resize(std::min<std::size_t>(size, buffer.size()));
    return registryText(buffer);
}

std::optional<std::uint32_t> readNumberValue(RawRegistry& registry, RegKeyHandle root,
                                             const std::string& path, const std::string& name) {
    RegistryKey key(registry);
    unsigned char bytes[4] = {};
    std::uint32_t type = regtype::None;
    std::uint32_t size = sizeof bytes;
    if (registry.openKey(root, path, key.out()) != 0 ||
        registry.queryValue(key.get(), name, &type, reinterpret_cast<char*>(bytes), &size) != 0 ||
        type != regtype::Dword || size != sizeof bytes) {
        return std::nullopt;
    }
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

long writeTextValue(RawRegistry& registry, RegKeyHandle root, const std::string& path,
                    const std::string& name, const std::string& text) {
    RegistryKey key(registry);
    if (const long result = registry.createKey(root, path, key.out()); result != 0) {
        return result;
    }
    const std::string bytes = registryBytes(text);
    return registry.setValue(key.get(), name, regtype::Sz, bytes.data(),
                             static_cast<std::uint32_t>(bytes.size()));
}

} // namespace ostrel
