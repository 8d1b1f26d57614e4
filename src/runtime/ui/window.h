// A runtime window: opened from a definition on the calling thread, with its
// controls, its event loop and its properties.
//
//   Window window(definition);           // opens and shows the window
//   while (window.accept()) {            // the next event; false once closed
//       switch (window.event()) {
//       case event::Accepted:
//           if (window.eventControl() == OkButton) { ... }
//           break;
//       case event::CloseWindow:
//           if (mustStayOpen) window.skipDefault();   // the window stays open
//           break;
//       }
//   }
//
// The loop delivers the thread's posted events first, then what the window's
// input produced, in order. After the program has seen an event, the next
// accept() carries out the event's default processing unless the program
// called skipDefault() for it:
//
//   event                             default processing
//   close window, close down          the window closes
//   accepted on a standard close btn  posts close window
//   selected (from select(control))   the focus moves to the control
//   rejected                          the focus goes back to the control
//
// A window belongs to the thread that opened it; call it only from that
// thread (other threads post events to it). The most recently opened window
// of a thread that is still open is the thread's current window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ui/control.h"
#include "runtime/ui/definition.h"
#include "runtime/ui/fonts.h"
#include "runtime/ui/handles.h"
#include "runtime/ui/property.h"
#include "runtime/ui/resources.h"
#include "runtime/ui/value.h"

namespace runtime::ui {

class Frame;
class Canvas;
class Tooltips;

class Window {
public:
    // Win32 timers of the frame.
    static constexpr UINT_PTR EventTimerId = 1;
    static constexpr UINT_PTR MouseTimerId = 2;

    explicit Window(const WindowDefinition& definition);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    bool isOpen() const { return !closed_; }

    // ---- The event loop -------------------------------------------------
    bool accept();
    int32_t event() const { return current_.number; }
    int32_t eventControl() const { return current_.control; }
    int32_t keyCode() const { return keyCode_; }
    void setKeyCode(int32_t keyCode) { keyCode_ = keyCode; }
    void clearKeyCode() { keyCode_ = 0; }
    void skipDefault() { skipDefault_ = true; }
    // Posts an event to this window's thread.
    void post(int32_t event, int32_t control = 0) const;
    // Closes the window the way the user does: posts the close-window event.
    void close() const;
    // Acts as if the user pressed the key: alerted keys give their event,
    // Tab and Shift+Tab move the focus, Enter presses the default button, Esc
    // the standard close button, Alt+letter a mnemonic; other keys go to the
    // control with the focus.
    void pressKey(int32_t keyCode);
    // Acts as if the user clicked the control (button, check box, radio, region).
    void pressButton(int32_t control);
    // Moves the focus to the control through a selected event. select(0)
    // starts the "accept all fields" pass: every input control, in field
    // order, gets an accepted event (or a rejected one, which ends the pass);
    // when all were accepted the completed event follows. Selecting a
    // control during the pass ends it.
    void select(int32_t control);
    bool acceptingAll() const { return acceptingAll_; }
    int32_t focus() const;

    // ---- Alerted keys -----------------------------------------------------
    // A key press (or mouse button) that is alerted gives the alert-key event
    // for the control that has it, instead of its normal effect. Keys alerted
    // on the window hold for all its controls.
    void alert(int32_t keyCode);
    void unalert(int32_t keyCode);
    // Appends after the control's keys already alerted; false for no such control.
    bool alertKey(int32_t control, int32_t keyCode);
    // Puts a key into a numbered slot (1-based) of the control's alerts.
    bool setAlert(int32_t control, int32_t slot, int32_t keyCode);
    bool unalertKey(int32_t control, int32_t keyCode);
    std::vector<int32_t> alerts(int32_t control) const;
    bool isAlerted(int32_t control, int32_t keyCode) const;

    // ---- The window --------------------------------------------------------
    HWND handle() const;
    HWND clientHandle() const;
    std::string title() const;
    void setTitle(std::string_view title);
    bool captionShown() const;
    void setCaptionShown(bool shown);
    bool pixelUnits() const { return pixels_; }
    void setPixelUnits(bool pixels) { pixels_ = pixels; }
    // The window's place on the screen (x, y of its frame) and the size of its
    // content area, in the window's units.
    Rect position() const;
    void setPosition(const Rect& position);
    int32_t timer() const { return timer_; }
    void setTimer(int32_t hundredths);
    void activate();
    void show();
    void hide();
    // Shows the bound variables again (all controls, or one) and repaints.
    void display(int32_t control = 0);
    // Stores what the controls show into their variables (all, or one).
    void update(int32_t control = 0);
    // The busy cursor over the whole window.
    void setBusy(bool busy);
    bool busy() const { return busy_; }
    // A cursor for the whole window, over its controls' own (a name as
    // resources.h reads it; "" for none).
    void setCursor(std::string_view name);
    const std::string& cursor() const { return cursorName_; }
    // The background colour of the content (0x00BBGGRR; DefaultColour: the system's).
    int32_t colour() const { return colour_; }
    void setColour(int32_t colour);
    // Whether the user can resize the window with its border.
    bool resizable() const;
    void setResizable(bool resizable);
    // Vertical scrolling of the content when it is taller than the window.
    void setScrolling(bool scrolling);
    bool scrolling() const { return scrolling_; }
    // The mouse, relative to the content, in the window's units.
    int32_t mouseX() const;
    int32_t mouseY() const;
    int32_t controlUnderMouse() const;
    // A procedure that sees every message of the window's frame first; it
    // answers a message by returning a result (then the window does not
    // handle it). Room for drawing in the caption and for help modes.
    using FrameFilter = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;
    void addFrameFilter(FrameFilter filter);

    // ---- The frame's parts (window_parts.cpp) -----------------------------
    // The program's frame (wattr::MdiFrame) holds the menu bar, the toolbar
    // and the child windows (wattr::MdiChild) that other threads open in it;
    // any window can have menus and a status bar.
    bool isMdiFrame() const { return mdiFrame_; }
    bool isMdiChild() const { return mdiChild_; }
    // The area of the frame the child windows live in; nullptr for other windows.
    HWND mdiClientHandle() const { return mdiClient_; }
    // The menu bar, made on first use (menus.h builds it from the controls).
    HMENU menuBar();
    // Draws the menu bar again after its menus changed.
    void menuBarChanged();
    bool statusBarShown() const { return statusBar_ != nullptr && IsWindowVisible(statusBar_) != FALSE; }
    // Showing it on a window that is not a frame makes the window taller by the
    // bar's height, so that the content keeps its size.
    void setStatusBarShown(bool shown);
    // The zones' widths in the window's units, the last one -1 for the rest.
    void setStatusZones(const std::vector<int32_t>& widths);
    // Zone 1 is the first; it also shows the message lines of menus and controls.
    std::string statusText(int32_t zone = 1) const;
    void setStatusText(std::string_view text, int32_t zone = 1);

    // ---- Controls -----------------------------------------------------------
    Control* control(int32_t number) const;
    int32_t firstField() const;
    int32_t lastField() const;
    // The control after `after` in field order (0: the first); 0 at the end.
    int32_t nextField(int32_t after) const;
    std::vector<int32_t> fields() const;
    // Creates a control at run time, hidden until unhidden. Number 0 takes the
    // next number after the highest in use. Returns the number, 0 on failure
    // (number in use, unknown kind, parent that cannot hold controls).
    int32_t create(int32_t number, int32_t kind, int32_t parent = 0);
    // The same from a full definition, whose place is in the window's units.
    int32_t create(const ControlDefinition& definition);
    // Destroys a control and what it holds; false when there is none.
    bool destroy(int32_t number);
    void destroyRange(int32_t first, int32_t last);

    Value get(int32_t control, Prop prop, int32_t index = 0) const;
    bool set(int32_t control, Prop prop, const Value& value, int32_t index = 0);
    std::string text(int32_t control) const { return get(control, Prop::Text).text(); }
    bool setText(int32_t control, std::string_view text) { return set(control, Prop::Text, Value(text)); }
    bool hideControl(int32_t control) { return set(control, Prop::Hidden, true); }
    bool unhideControl(int32_t control) { return set(control, Prop::Hidden, false); }
    bool enableControl(int32_t control) { return set(control, Prop::Disabled, false); }
    bool disableControl(int32_t control) { return set(control, Prop::Disabled, true); }
    Rect controlPosition(int32_t control) const;
    bool setControlPosition(int32_t control, const Rect& position);

    // ---- Used by controls -------------------------------------------------
    void queue(int32_t event, int32_t control, std::optional<int32_t> keyCode = std::nullopt);
    HWND canvasHandle() const;
    HFONT windowFont() const { return font_.get(); }
    const FontSpec& windowFontSpec() const { return fontSpec_; }
    int32_t toUnitsX(int pixels) const;
    int32_t toUnitsY(int pixels) const;
    int toPixelsX(int32_t units) const;
    int toPixelsY(int32_t units) const;
    // Dialog units of the window's font in pixels, whatever the window's units.
    int dialogX(int32_t units) const { return dialogToPixelsX(units, base_); }
    int dialogY(int32_t units) const { return dialogToPixelsY(units, base_); }
    int scrollOffset() const { return scrollY_; }
    bool isShown(const Control& control) const;
    bool isEnabled(const Control& control) const;
    // The brush of the content's background, aligned for painting `control`.
    HBRUSH backgroundBrush(HDC dc, const Control& control);
    bool hasWallpaper() const;
    // After a control's place, visibility or tooltip changed.
    void controlChanged(const Control& control);
    // A button, check box or radio was clicked.
    void pressed(Control& control);
    // A control got the focus.
    void focused(Control& control);
    // A control lost the focus to somewhere else.
    void leftFocus(Control& control);
    // Alerts, mouse tracking and dialog keys for a message of this window,
    // before it is dispatched; true when it was consumed.
    bool translateInput(MSG& message);
    // The window's frame, or one of the windows inside it.
    bool holds(HWND window) const;
    bool closing() const { return closing_ || closed_; }
    // Shows a control's or menu's message line in zone 1 until endMessage().
    void showMessage(const std::string& line);
    void endMessage();

private:
    friend class Frame;
    friend class Canvas;

    struct Queued {
        int32_t number = 0;
        int32_t control = 0;
        std::optional<int32_t> keyCode;
    };
    struct ControlAlerts {
        std::vector<int32_t> slots; // 0 marks an empty slot
    };

    void open(const WindowDefinition& definition);
    void closeNow();
    Control* build(const ControlDefinition& definition, const Rect& pixels, bool atRunTime);
    void restack(Control& control);
    void updateTooltip(const Control& control);
    void forEachHeld(int32_t container, const std::function<void(Control&)>& action);
    void destroyOne(int32_t number);
    Control* controlOfHandle(HWND window) const;
    Control* controlAt(POINT content) const;
    POINT mouseInContent() const;

    // The loop.
    bool nextEvent();
    bool nextAcceptAll();
    void completeEvent();
    void pumpOne(bool wait);
    bool handleKey(MSG& message, int32_t keyCode);
    bool handleMouseButton(MSG& message, int32_t keyCode);
    // Mouse in / out / move for controls that track the mouse; `moved`: a
    // mouse move (rather than a check) is the reason.
    void trackMouse(bool moved);
    bool commitFocused(const Control& except);
    void focusNow(int32_t control);
    bool pressMnemonic(char letter);
    void restoreFocus();

    // The frame's parts.
    void openParts(const WindowDefinition& definition);
    void closeParts();
    void layoutParts(RECT& content);
    bool menuCommand(WORD id);
    void menuSelected(WPARAM wParam, LPARAM lParam);
    void hoverMessage(HWND over);
    HWND wallpaperSurface() const;
    static LRESULT CALLBACK mdiClientProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR window);
    void showStatusZones();
    // Makes the frame taller or shorter, so the content keeps its size.
    void growFrame(int pixels);

    // Window messages.
    void frameSized();
    void updateScrollRange();
    void scrollTo(int offset);
    void paintBackground(HDC dc, const RECT& area);
    void rebuildWallpaperCache();

    // State.
    std::unique_ptr<Frame> frame_;
    std::unique_ptr<Canvas> canvas_;
    std::unique_ptr<Tooltips> tooltips_;
    std::vector<std::unique_ptr<Control>> controls_; // field order
    std::map<int32_t, Control*> byNumber_;
    std::map<HWND, Control*> byHandle_;
    std::map<int, Control*> byId_;
    int nextId_ = 0;
    Font font_;
    FontSpec fontSpec_;
    BaseUnits base_;
    bool pixels_ = false;
    int32_t colour_ = -1;
    Brush colourBrush_;
    Bitmap wallpaper_;
    WallpaperMode wallpaperMode_ = WallpaperMode::Stretch;
    Bitmap wallpaperCache_; // the wallpaper as drawn at the content's size
    Brush wallpaperBrush_;
    std::vector<IconRef> windowIcons_;
    bool extentPending_ = false;
    int32_t timer_ = 0;
    bool busy_ = false;
    std::string cursorName_;
    CursorRef windowCursor_;
    bool scrolling_ = false;
    int scrollY_ = 0;
    bool modal_ = false;
    std::vector<HWND> disabledByModal_;
    std::vector<FrameFilter> frameFilters_;
    HWND lastFocus_ = nullptr;
    DWORD ownerThread_ = 0;

    std::deque<Queued> pending_;
    Queued current_;
    bool haveCurrent_ = false;
    bool skipDefault_ = false;
    int32_t keyCode_ = 0;
    bool closed_ = false;
    bool closing_ = false;
    int32_t focusRequest_ = 0; // control of a selected event from select()
    bool acceptingAll_ = false;
    int32_t acceptAllAfter_ = 0;
    bool quietFocus_ = false;
    int32_t ownerNumber_ = 0;
    std::vector<int32_t> windowAlerts_;
    std::map<int32_t, ControlAlerts> controlAlerts_;
    std::vector<int32_t> mouseInside_; // tracked controls the mouse is over
    UINT swallowUp_ = 0;               // the button-up message of an alerted click

    // The frame's parts.
    bool mdiFrame_ = false;
    bool mdiChild_ = false;
    HWND mdiClient_ = nullptr; // a child of the frame, destroyed with it
    Menu menuBar_;
    HWND statusBar_ = nullptr; // a child of the frame, destroyed with it
    std::vector<int32_t> statusZones_;
    std::vector<std::string> statusTexts_;
    std::optional<std::string> messageLine_; // shown in zone 1 instead of its text
    int32_t messageControl_ = 0;             // the control whose message line shows
};

// The calling thread's current window, nullptr when it has none open.
Window* currentWindow();
// Processes the window messages waiting for the calling thread without
// blocking; events they produce wait for the next accept().
void yield();

} // namespace runtime::ui
