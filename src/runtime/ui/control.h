// A control of a runtime window: the common state and properties every kind
// has (text, place, font, colours, cursor, icon, tooltip, hidden, disabled,
// parent, ...), and the hooks a kind overrides: how it creates its Win32
// window, the properties of its own, how it shows and stores its variable, and
// how it answers the notifications its Win32 window sends.
//
// Places are kept in pixels relative to the window's content; the window
// converts to and from its units. Hidden and disabled are the control's own
// flags; a control is shown only when it and every parent are not hidden, and
// enabled only when it and every parent are not disabled, so hiding a group
// or a panel hides what it holds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/ui/definition.h"
#include "runtime/ui/fonts.h"
#include "runtime/ui/handles.h"
#include "runtime/ui/property.h"
#include "runtime/ui/resources.h"
#include "runtime/ui/value.h"

namespace runtime::ui {

class Window;

class Control {
public:
    // `area` is the definition's place, already in pixels.
    Control(Window& window, const ControlDefinition& definition, const Rect& area);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int32_t number() const { return number_; }
    int32_t kind() const { return kind_; }
    const std::string& use() const { return use_; }
    int32_t parent() const { return parent_; }
    Window& window() const { return window_; }
    HWND handle() const { return handle_; }
    const Rect& area() const { return area_; }
    const Variable& variable() const { return variable_; }
    bool hiddenFlag() const { return hidden_; }
    bool disabledFlag() const { return disabled_; }
    bool trackMouse() const { return trackMouse_; }
    const std::string& tooltip() const { return tooltip_; }
    const std::string& message() const { return message_; }
    HCURSOR cursor() const { return cursor_.get(); }

    // Creates the Win32 window; called once by the window right after construction.
    void create(int win32Id);
    // Destroys the Win32 window (the window calls it before it lets go of the
    // control, while the kind's own parts still exist).
    virtual void destroyHandle();

    // Properties by number. get() answers Value() for a property the kind does
    // not have; set() returns false for those.
    virtual Value get(Prop prop, int32_t index) const;
    virtual bool set(Prop prop, const Value& value, int32_t index);

    // Moves the control; pixels relative to the content.
    void place(const Rect& area);
    // Applies hidden/disabled state after this control's or a parent's flags changed.
    virtual void applyState();
    // Re-applies the position after the content scrolled.
    void applyPosition();

    // Groups, panels and options hold other controls and are drawn behind them.
    virtual bool isContainer() const { return false; }
    // Kinds without a Win32 window of their own (menus, the tabs of a sheet).
    virtual bool windowless() const { return false; }
    // Not hidden, yet what it holds is out of sight (a tab that is not the
    // sheet's current one); it and its controls count as not visible.
    virtual bool concealed() const { return false; }
    // Paints its own surface (a sheet, a toolbar): what lies on it takes that
    // surface's colour rather than the window's background.
    virtual bool opaque() const { return false; }
    // What an opaque control's surface looks like behind `on`, a control
    // that lies on it, aligned for painting `on`.
    virtual HBRUSH surfaceBrush(HDC dc, const Control& on);
    // Takes part in the window's "accept all fields" pass.
    virtual bool acceptsInput() const { return false; }

    // Shows the bound variable (no-op for kinds without one).
    virtual void display() {}
    // Stores what the control shows into its variable. `always`: also when
    // the user changed nothing (the accept-all pass).
    enum class Commit { Unchanged, Accepted, Rejected };
    virtual Commit commit(bool always);

    // Notifications handed back by the window.
    virtual void onCommand(WORD code);
    virtual std::optional<LRESULT> onNotify(NMHDR& header);
    // WM_CTLCOLOR*: the brush to paint with, or nullptr for the system's choice.
    virtual HBRUSH onColour(HDC dc);
    // Draws an owner-drawn control; false when the control draws itself.
    virtual bool onDraw(const DRAWITEMSTRUCT&) { return false; }
    // The user or the program clicked it (mnemonic, BM_CLICK, pressButton).
    virtual void press();
    // The focus was put on it by the program (entries select their text).
    virtual void onFocus() {}

    // The font the control draws with (its own or the window's).
    HFONT font() const;
    FontSpec effectiveFont() const;

protected:
    // Creates and returns the Win32 window of the kind, a child of `canvas`,
    // with the given base style (WS_CHILD, WS_CLIPSIBLINGS for containers,
    // WS_TABSTOP unless skipped) and Win32 id.
    virtual HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) = 0;
    // The style bits of the kind that createHandle needs besides the base.
    virtual bool takesFocus() const { return false; }
    // The natural size of the kind when the definition leaves it 0.
    virtual SIZE naturalSize() const;
    // Where the Win32 window goes for the control's area (a line of height 0
    // still needs a window a pixel or two high).
    virtual Rect handleArea() const { return area_; }
    // Called after the text, font or icon changed.
    virtual void textChanged();
    virtual void fontChanged();
    virtual void iconChanged() {}
    // The text as the Win32 control has it (entries read it live).
    virtual std::string currentText() const;

    void resizeToNatural(bool width, bool height);
    // Paints a background in the control's colour or the window's.
    HBRUSH backgroundBrush(HDC dc, bool transparentText);
    void setTextColour(HDC dc) const;

    Window& window_;
    HWND handle_ = nullptr;
    std::string text_;
    std::string iconName_;
    IconRef icon_;
    uint32_t flags_ = 0;
    bool autoWidth_ = false;
    bool autoHeight_ = false;

private:
    void applyFont();
    bool setFontPart(Prop prop, const Value& value);

    int32_t number_;
    int32_t kind_;
    std::string use_;
    int32_t parent_;
    Rect area_;
    FontSpec fontSpec_;
    Font ownFont_;
    int32_t colour_;
    Brush colourBrush_;
    std::string cursorName_;
    CursorRef cursor_;
    std::string tooltip_;
    std::string message_;
    Variable variable_;
    bool hidden_;
    bool disabled_;
    bool positional_;
    bool trackMouse_;
};

} // namespace runtime::ui
