// The About dialog's view for tests: the label texts, and whether it was closed.
#pragma once

#include <map>

#include "about/frmabout.h"

namespace ostrel::test {

class FakeAboutView : public AboutView {
  public:
    std::map<AboutLabel, std::string> labels;
    bool unloaded = false;

    void setCaption(const std::string&) override {}
    std::string labelCaption(AboutLabel label) override { return labels[label]; }
    void setLabelCaption(AboutLabel label, const std::string& text) override {
        labels[label] = text;
    }
    void unload() override { unloaded = true; }
    std::uintptr_t hwnd() override { return 0xAB0u; }
};

} // namespace ostrel::test
