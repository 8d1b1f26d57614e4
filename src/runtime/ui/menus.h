// Menus and menu items of a window's menu bar, as controls: kind Menu (a menu
// on the bar, or a submenu in another menu) and kind MenuItem (an item of a
// menu; the text "-" makes a separator line). They have numbers like any
// control, negative by convention, so a window definition lists them with the
// rest:
//
//   {.number = -10, .kind = kind::Menu, .text = "&File"},
//   {.number = -1, .kind = kind::MenuItem, .text = "E&xit", .parent = -10,
//    .message = "Exit this application"},
//
// Choosing an item gives its accepted event. Text, hidden, disabled and checked
// are properties as for other controls; an item created at run time
// (Window::create with kind MenuItem and a menu as its parent) goes to the end
// of its menu. A menu's message line shows in the status bar while it is open,
// an item's while it is highlighted. Menus have no Win32 window: the menu bar
// (Window::menuBar) and each menu's own list are rebuilt from the controls in
// field order whenever one of them changes.
#pragma once

#include "runtime/ui/control.h"

namespace runtime::ui {

class MenuControl : public Control {
public:
    MenuControl(Window& window, const ControlDefinition& definition, const Rect& area);
    ~MenuControl() override;

    bool windowless() const override { return true; }
    bool isContainer() const override;
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    void applyState() override;
    void destroyHandle() override;
    void press() override;

    // A menu's own list of items; nullptr for an item.
    HMENU popup() const { return popup_.get(); }

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override { return {0, 0}; }
    void textChanged() override;

private:
    // Builds the menu that holds this control again from the controls.
    void refreshHolder();
    void release();

    Menu popup_;
    int win32Id_ = 0;
    bool checked_ = false;
};

} // namespace runtime::ui
