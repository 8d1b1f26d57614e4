// Push buttons, check boxes, option boxes and their radio buttons.
//
// A push button gives the accepted event when pressed (click, Space, its
// mnemonic, Enter when it is the default button, Esc when it is the standard
// close button, which then also closes the window). A check box stores 1 or 0
// in its variable and gives the accepted event. An option box holds radio
// buttons; choosing one stores its value in the option's variable (its value
// text for a text variable, its position 1, 2, ... for a number) and gives the
// option's accepted event.
#pragma once

#include "runtime/ui/control.h"

namespace runtime::ui {

class PushButton : public Control {
public:
    PushButton(Window& window, const ControlDefinition& definition, const Rect& area);
    ~PushButton() override;
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    void onCommand(WORD code) override;
    void press() override;
    bool onDraw(const DRAWITEMSTRUCT& item) override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    bool takesFocus() const override;
    SIZE naturalSize() const override;
    void iconChanged() override;

private:
    // tool_button.cpp: a button on a toolbar is flat, raised while the mouse
    // is over it, and never takes the focus from the window's fields.
    bool isTool() const;
    void makeTool(HWND button);
    static LRESULT CALLBACK toolProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self);

    int win32Id_ = 0;
    bool default_;
    bool standardClose_;
    bool tool_ = false;
    bool hot_ = false;
};

class CheckBox : public Control {
public:
    using Control::Control;
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    bool acceptsInput() const override { return true; }
    void display() override;
    Commit commit(bool always) override;
    void onCommand(WORD code) override;
    void press() override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    bool takesFocus() const override { return true; }
    SIZE naturalSize() const override;
};

class RadioButton;

class OptionBox : public Control {
public:
    using Control::Control;
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    bool isContainer() const override { return true; }
    bool acceptsInput() const override { return true; }
    void display() override;
    Commit commit(bool always) override;
    // A radio of this option was chosen by the user.
    void chosen(RadioButton& radio);

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override { return {0, 0}; }

private:
    std::vector<RadioButton*> radios() const;
    void store(int position, RadioButton& radio);
};

class RadioButton : public Control {
public:
    RadioButton(Window& window, const ControlDefinition& definition, const Rect& area);
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    void onCommand(WORD code) override;
    void press() override;
    bool checked() const;
    void setChecked(bool checked);
    // The value its option takes when it is chosen.
    std::string value() const;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    bool takesFocus() const override { return true; }
    SIZE naturalSize() const override;

private:
    std::string value_;
};

} // namespace runtime::ui
