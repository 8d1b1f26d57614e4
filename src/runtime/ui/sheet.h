// Sheets with tabs. A sheet (kind Sheet) shows a row of tabs above a page; a
// tab (kind Tab, its parent the sheet) holds the controls of its page, which
// name the tab as their parent. Only the current tab's controls are shown;
// the others' are out of sight and count as not visible, while keeping their
// own hidden flags. Choosing another tab gives the sheet's new-selection
// event; Prop::Choice of the sheet is the current tab's place among the tabs
// shown (1 for the first), which the program can also set (without an event).
// A hidden tab leaves the row; when it was the current one, the next shown
// tab becomes current.
#pragma once

#include <vector>

#include "runtime/ui/control.h"
#include "runtime/ui/handles.h"

namespace runtime::ui {

class Tab;

class Sheet : public Control {
public:
    using Control::Control;
    bool isContainer() const override { return true; }
    bool opaque() const override { return true; }
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    std::optional<LRESULT> onNotify(NMHDR& header) override;

    // The number of the current tab, 0 when there is none.
    int32_t currentTab() const { return current_; }
    // Builds the row of tabs again after a tab came, went or changed.
    void tabsChanged();
    // The page's own background: a themed page is lighter than the dialog.
    HBRUSH surfaceBrush(HDC dc, const Control& on) override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override { return {0, 0}; }

private:
    std::vector<Tab*> shownTabs() const;
    void makeCurrent(int32_t tab);
    Rect pageArea() const;

    int32_t current_ = 0;
    bool rebuilding_ = false;
    Brush pageBrush_;
    SIZE pageSize_{0, 0};
    COLORREF pageColour_ = 0;
};

class Tab : public Control {
public:
    Tab(Window& window, const ControlDefinition& definition, const Rect& area);
    bool windowless() const override { return true; }
    bool isContainer() const override { return true; }
    bool concealed() const override;
    void applyState() override;
    void destroyHandle() override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override { return {0, 0}; }
    void textChanged() override;

private:
    Sheet* sheet() const;
};

} // namespace runtime::ui
