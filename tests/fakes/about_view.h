// The About dialog's view, faked.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "about/frmabout_view.h"

namespace ostrel::test {

// The About dialog's view: the label texts, and whether it was closed.
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
