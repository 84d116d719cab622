// An open key of the raw registry, closed when its owner goes, on every path.
#pragma once

#include "platform/registry.h"

namespace ostrel {

class RegistryKey {
  public:
    explicit RegistryKey(RawRegistry& registry) : registry_(registry) {}
    ~RegistryKey() {
        if (handle_ != 0) {
            registry_.closeKey(handle_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Where an opening call writes the handle (it stays 0 when nothing was opened).
    RegKeyHandle& out() { return handle_; }
    RegKeyHandle get() const { return handle_; }

  private:
    RawRegistry& registry_;
    RegKeyHandle handle_ = 0;
};

} // namespace ostrel
