// Modal message boxes.
#pragma once

#include <string>

namespace ostrel {

inline constexpr const char* kAppTitle = "Ostrel";

// Button-and-icon flags and answers, with the system's values.
namespace mb {
inline constexpr unsigned Ok = 0;
inline constexpr unsigned YesNo = 4;
inline constexpr unsigned Critical = 16;
inline constexpr unsigned Question = 32;
inline constexpr unsigned Exclamation = 48;
inline constexpr int IdOk = 1;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
} // namespace mb

// Failures: none reach the caller; a box that cannot be shown answers as if closed.
// Texts are UTF-8.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows a modal box owned by the program's window; returns the button pressed.
    virtual int show(const std::string& text, unsigned flags, const std::string& title) = 0;
};

} // namespace ostrel
