// RAII for the system's handles: released when the owner goes, on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace ostrel {

// Owns one handle and releases it with Release. Null and INVALID_HANDLE_VALUE hold nothing.
template <class Handle, BOOL(WINAPI* Release)(Handle)> class Unique {
  public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { reset(); }
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const {
        return handle_ != nullptr && handle_ != reinterpret_cast<Handle>(INVALID_HANDLE_VALUE);
    }
    void reset(Handle handle = nullptr) {
        if (*this) {
            Release(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

// Kernel handles: processes, threads, files.
using UniqueHandle = Unique<HANDLE, CloseHandle>;

} // namespace ostrel
