// The main window's view, faked: what its handlers set and read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/frmmain_view.h"
#include "support/procedure_error.h"

namespace ostrel::test {

class FakeView : public MainView {
  public:
    struct Row {
        std::string key, text, subItem;
        bool operator==(const Row&) const = default;
    };
    std::vector<std::string> comboItems;
    int comboIndex = -1;
    std::string comboText;
    std::string path;
    std::vector<std::pair<std::string, int>> columns;
    std::vector<Row> rows;
    int selectedRow = -1;
    std::string status = "Ready";
    int restoreValue = 0;
    std::map<MainControl, bool> enabledState; // by what the handlers set; false before
    // One monitor at 96 DPI.
    const ScreenRect screen = {0, 0, 1024, 768};
    ScreenRect at;
    int widthTwips = 0, heightTwips = 0;
    bool isMinimized = false, hidden = false, unloaded = false;
    int lineWidth = 0, aboutShown = 0;

    void cbodrivesClear() override {
        comboItems.clear();
        comboIndex = -1;
        comboText.clear();
    }
    void cbodrivesAddItem(const std::string& text) override { comboItems.push_back(text); }
    int cbodrivesListCount() override { return static_cast<int>(comboItems.size()); }
    int cbodrivesListIndex() override { return comboIndex; }
    void setCbodrivesListIndex(int index) override {
        if (index < -1 || index >= cbodrivesListCount()) {
            raise(err::InvalidPropertyValue);
        }
        comboIndex = index;
        comboText = index >= 0 ? comboItems[index] : std::string();
    }
    std::string cbodrivesText() override { return comboText; }
    void setCbodrivesText(const std::string& text) override { comboText = text; }
    std::string txtPathNameText() override { return path; }
    void setTxtPathNameText(const std::string& text) override { path = text; }
    void lstDrivesAddColumn(const std::string& caption, int widthTwips) override {
        columns.emplace_back(caption, widthTwips);
    }
    int lstDrivesWidth() override { return 6495; }
    void lstDrivesClear() override {
        rows.clear();
        selectedRow = -1;
    }
    void lstDrivesAddRow(const std::string& key, const std::string& text,
                         const std::string& subItem) override {
        rows.push_back({key, text, subItem});
    }
    int lstDrivesCount() override { return static_cast<int>(rows.size()); }
    std::string lstDrivesText(int row) override { return rows.at(row).text; }
    std::string lstDrivesSubItem(int row) override { return rows.at(row).subItem; }
    int lstDrivesSelected() override { return selectedRow; }
    void setLblStatusCaption(const std::string& text) override { status = text; }
    int chkrestoreValue() override { return restoreValue; }
    void setChkrestoreValue(int value) override { restoreValue = value; }
    void setEnabled(MainControl control, bool on) override { enabledState[control] = on; }
    void setBusy(bool) override {}
    std::string caption() override { return "Ostrel"; }
    int clientWidth() override { return widthTwips - 120; }
    void setSize(int width, int height) override {
        widthTwips = width, heightTwips = height;
        at.width = width / 15, at.height = height / 15;
    }
    ScreenRect bounds() override { return at; }
    void moveTo(int left, int top) override { at.left = left, at.top = top; }
    ScreenRect primaryScreen() override { return screen; }
    bool onAMonitor(const ScreenRect& place) override {
        return screen.left < place.left + place.width && place.left < screen.left + screen.width &&
               screen.top < place.top + place.height && place.top < screen.top + screen.height;
    }
    bool minimized() override { return isMinimized; }
    void hide() override { hidden = true; }
    void unload() override { unloaded = true; }
    void setLineWidths(int widthTwips) override { lineWidth = widthTwips; }
    void showAbout() override { ++aboutShown; }
    std::uintptr_t hwnd() override { return 0x1234; }
};

} // namespace ostrel::test
