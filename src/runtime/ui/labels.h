// Labels: a string (constant text, "&" shown as is), a prompt (the text of the
// field after it; its "&" letter moves the focus there) and a variable string
// (a bound variable through a display picture). Without a width or height in
// the definition a label takes the size of its text, and keeps fitting it
// when the text or font changes.
#pragma once

#include "runtime/sys/events.h"
#include "runtime/ui/control.h"

namespace runtime::ui {

class Label : public Control {
public:
    using Control::Control;
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override;
    bool showsPrefix() const { return kind() == runtime::kind::Prompt; }
};

class VariableString : public Label {
public:
    VariableString(Window& window, const ControlDefinition& definition, const Rect& area);
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    void display() override;

private:
    std::string picture_;
};

} // namespace runtime::ui
