// The folder chooser and the About dialog, opened from the main window.
#include "app/folder_chooser.h"
#include "app/frmmain.h"
#include "report/error_report.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "frmmain";
constexpr const char* kBrowsePrompt = "Please select the path you want for you Virtual Drive:";
} // namespace

void frmmain::cmdbroswe_Click() {
    reported(platform_.boxes, __func__, kModule, [&] {
        const std::string path = BrowseForFolder(platform_.shell, view_.hwnd(), kBrowsePrompt);
        if (path.size() > 1) {
            view_.setEnabled(MainControl::cmdcreate, true);
            view_.setTxtPathNameText(GetShortPath(platform_.shell, platform_.boxes, path));
        } else {
            view_.setEnabled(MainControl::cmdcreate, false);
        }
    });
}

void frmmain::mnuabout_Click() {
    reported(platform_.boxes, __func__, kModule, [&] { view_.showAbout(); });
}

void frmmain::cmdabout_Click() {
    mnuabout_Click();
}

} // namespace ostrel
