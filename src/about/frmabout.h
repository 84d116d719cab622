// The About dialog's logic: its load handler, its own two registry reads, the System
// Information launcher and the link and button handlers (module "About").
#pragma once

#include <string>

#include "about/frmabout_view.h"
#include "platform/registry.h"

namespace ostrel {

struct Platform;

// The project's own addresses (reserved example names that can belong to no one else).
inline constexpr const char* kSupportEMail = "support@ostrel.example";
inline constexpr const char* kHomePage = "https://www.ostrel.example/";

class frmAbout {
  public:
    frmAbout(Platform& platform, AboutView& view) : platform_(platform), view_(view) {}

    // Fills the title, the version, the copyright and the registration labels. A failure
    // in the first three steps passes to the caller; later ones are skipped silently.
    void Form_Load();
    void cmdok_Click();
    void cmdSysInfo_Click();
    void lblEMail_Click();
    void lblHomePage_Click();

    // Starts the System Information tool, or says that it is unavailable.
    void StartSysInfo();
    // Reads a value of a key opened for reading only. Text comes back as it is stored; a
    // REG_DWORD as "&h" and its hexadecimal digits; another type leaves value as passed.
    // On failure value becomes "" and the result is false.
    bool GetKeyValue(RegKeyHandle root, const std::string& keyPath, const std::string& valueName,
                     std::string& value);
    // A REG_SZ value's text up to its first NUL, or "" for anything else.
    std::string GetString(RegKeyHandle root, const std::string& keyPath,
                          const std::string& valueName);

  private:
    // Sets a registration label from the registry, with its fallback when that is empty.
    void showRegistration(AboutLabel label, const char* valueName, const char* fallback);

    Platform& platform_;
    AboutView& view_;
};

} // namespace ostrel
