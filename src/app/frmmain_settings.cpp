// The restore check box: the saved drive set and the start-up entry.
#include "app/frmmain.h"

#include <string>

#include "platform/files.h"
#include "report/error_report.h"
#include "settings/integration.h"
#include "settings/layout.h"

namespace ostrel {
namespace {
constexpr const char* kModule = "frmmain";
} // namespace

void frmmain::chkrestore_Click() {
    if (busy()) {
        restoreClickPending_ = true; // the list is being refreshed: saved when it is done
        return;
    }
    reported(platform_.boxes, __func__, kModule, [&] {
        const int rows = view_.lstDrivesCount();
        const bool checked = view_.chkrestoreValue() != 0;
        if (rows == 0 && checked) {
            return; // nothing to save
        }
        platform_.files.setCurrentDirectory(AbsPath);
        if (!checked) {
            // Unchecked, the set goes whatever the list holds now: a click held during the
            // delete of the last drive finds an empty list, and the user's choice stands.
            RemoveStartupEntry(reg32_);
            settings_.DeleteSetting(layout::kApp, layout::kSectionConfig);
            return;
        }
        SaveStartupEntry(reg32_, platform_.program);
        for (int i = 1; i <= rows; ++i) {
            settings_.SaveSetting(
                layout::kApp, layout::kSectionConfig, layout::drivesKey(i),
                layout::savedEntry(view_.lstDrivesText(i - 1), view_.lstDrivesSubItem(i - 1)));
        }
        settings_.SaveSetting(layout::kApp, layout::kSectionConfig, layout::kCount,
                              std::to_string(rows));
        settings_.SaveSetting(layout::kApp, layout::kSectionConfig, layout::kRestore,
                              layout::kRestoreOn);
    });
}

} // namespace ostrel
