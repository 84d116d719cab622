// The raw registry on advapi32's wide calls, one for one.
#pragma once

#include "platform/registry.h"

namespace ostrel {

class Win32Registry : public RawRegistry {
  public:
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
    long enumKey(RegKeyHandle key, std::uint32_t index, std::string& name) override;
    long loadHive(RegKeyHandle root, const std::string& name, const std::string& file) override;
    long unloadHive(RegKeyHandle root, const std::string& name) override;
};

} // namespace ostrel
