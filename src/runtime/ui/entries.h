// Entries (one line, a bound variable shown through a display picture) and
// texts (several lines that the control wraps at its width). What the user
// types is stored when the focus leaves the control, when the window accepts
// all its fields, or when the default button is pressed while it has the
// focus; text the picture refuses gives the rejected event instead and the
// variable keeps its value. While typing, an entry takes no more characters
// than its picture shows, and for a number or date picture only the
// characters such a value is written with.
#pragma once

#include "runtime/ui/control.h"

namespace runtime::ui {

class Entry : public Control {
public:
    Entry(Window& window, const ControlDefinition& definition, const Rect& area);
    ~Entry() override;
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    bool acceptsInput() const override { return true; }
    void display() override;
    Commit commit(bool always) override;
    void onCommand(WORD code) override;
    HBRUSH onColour(HDC dc) override;
    void onFocus() override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    bool takesFocus() const override { return true; }
    SIZE naturalSize() const override;
    std::string currentText() const override;
    virtual DWORD editStyle() const;
    // Shows a value without making it count as typed.
    void showQuietly(const std::string& text);
    // What the picture lets the user type: its width, and for numbers and
    // dates only the characters they are written with.
    void applyPicture();
    bool typeable(char character) const;

    std::string picture_;

private:
    static LRESULT CALLBACK typingFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR entry);
};

class TextBox : public Entry {
public:
    using Entry::Entry;
    Value get(Prop prop, int32_t index) const override;
    void display() override;
    Commit commit(bool always) override;
    void onFocus() override {}

protected:
    DWORD editStyle() const override;
    SIZE naturalSize() const override;
};

} // namespace runtime::ui
