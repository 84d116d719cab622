// What the About dialog's handlers see of its controls. The Win32 dialog implements it
// with real controls; unit tests with a fake.
#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// The labels whose text the dialog's code reads or writes.
enum class AboutLabel { lblTitle, lblCopyright, lblregname, lblregcompany, lblregserial };

// Failures: none; the labels and the title take any text.
class AboutView {
  public:
    virtual ~AboutView() = default;
    // The dialog's title.
    virtual void setCaption(const std::string& text) = 0;
    virtual std::string labelCaption(AboutLabel label) = 0;
    // Sets a label's text; every label but lblTitle sizes itself to it.
    virtual void setLabelCaption(AboutLabel label, const std::string& text) = 0;
    // Closes and destroys the dialog.
    virtual void unload() = 0;
    // The dialog's window handle, as the owner of what it opens.
    virtual std::uintptr_t hwnd() = 0;
};

} // namespace ostrel
