// The tip editor (Ctrl+E) and the control formatter (Ctrl+C) are modes of the
// tip window that are built apart from it and plug in here. The window checks
// whether a mode may be entered (the edit permission, the other mode, whether
// the tip exists) and hands over the events that belong to a mode; the mode
// sets the window's mode flag and rebuilds the tip when it ends. Without
// modes installed the keys are accepted and change nothing.
#pragma once

namespace help {

class TipWindow;

class TipWindowModes {
public:
    virtual ~TipWindowModes() = default;
    virtual void enterEditMode(TipWindow& tip) = 0;
    virtual void enterFormattingMode(TipWindow& tip) = 0;
    // The current event of the tip's window, when it belongs to a mode: the
    // editor's controls (8 to 22), the window resized and redisplay while
    // editing; the overlay (200), clicks on content, the close button and
    // redisplay while formatting.
    virtual void handleEvent(TipWindow& tip) = 0;
};

// The modes of every tip window opened from now on; nullptr for none. The
// modes must outlive the windows that use them.
void installTipWindowModes(TipWindowModes* modes);
TipWindowModes* tipWindowModes();

} // namespace help
