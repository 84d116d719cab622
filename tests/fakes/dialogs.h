// The message boxes' fake, and the report text the tests expect.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace ostrel::test {

using Lines = std::vector<std::string>;

// The main window's report of an error ("76 (Path not found)") in a procedure.
inline std::string report(const std::string& error, const std::string& procedure) {
    return "Error " + error + " in procedure\r\n(" + procedure + ") of (frmmain).";
}

class FakeBoxes : public MessageBoxes {
  public:
    struct Shown {
        std::string text;
        unsigned flags;
        std::string title;
    };
    std::vector<Shown> shown;
    std::vector<int> answers; // taken in order; IdOk/IdYes when none are left
    int show(const std::string& text, unsigned flags, const std::string& title) override {
        shown.push_back({text, flags, title});
        const int answer =
            answers.empty() ? (flags & mb::YesNo) ? mb::IdYes : mb::IdOk : answers[0];
        if (!answers.empty()) {
            answers.erase(answers.begin());
        }
        return answer;
    }
    // The texts of the procedure error reports shown so far.
    Lines reports() const {
        Lines texts;
        for (const auto& box : shown) {
            if (box.flags == mb::Critical && box.text.rfind("Error ", 0) == 0) {
                texts.push_back(box.text);
            }
        }
        return texts;
    }
};

} // namespace ostrel::test
