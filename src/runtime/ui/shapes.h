// Controls that hold or decorate others, and invisible click areas:
//   group box   a frame with a caption around the controls it holds
//   panel       an area in its colour (optionally with a sunken edge) that the
//               controls it holds lie on
//   line        a line from the top left to the bottom right corner (a
//               horizontal or vertical one when the height or width is 0) in
//               its colour; etched like a dialog separator without one
//   box         a frame in its font colour (etched without one), filled in
//               its colour when it has one
//   region      an invisible area that takes clicks (the accepted event), shows
//               its cursor and tooltip, and reports the mouse when asked to
// Groups and panels are containers: hiding or disabling them hides or
// disables what they hold. None of these take the focus.
#pragma once

#include <functional>
#include <optional>

#include "runtime/ui/control.h"
#include "runtime/ui/window_base.h"

namespace runtime::ui {

// A Win32 window of our own for a control that draws itself.
class OwnDrawnWindow : public WindowBase {
public:
    using Handler = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;
    explicit OwnDrawnWindow(Handler handler) : handler_(std::move(handler)) {}
    HWND create(const char* className, DWORD exStyle, DWORD style, const RECT& place, HWND parent,
                int win32Id);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Handler handler_;
};

class GroupBox : public Control {
public:
    using Control::Control;
    bool isContainer() const override { return true; }

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override { return {0, 0}; }
};

class Panel : public Control {
public:
    Panel(Window& window, const ControlDefinition& definition, const Rect& area);
    bool isContainer() const override { return true; }

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override { return {0, 0}; }

private:
    std::optional<LRESULT> message(UINT message, WPARAM wParam, LPARAM lParam);
    OwnDrawnWindow surface_;
};

class Shape : public Control {
public:
    Shape(Window& window, const ControlDefinition& definition, const Rect& area);
    bool set(Prop prop, const Value& value, int32_t index) override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override { return {0, 0}; }
    Rect handleArea() const override;

private:
    std::optional<LRESULT> message(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc, const RECT& client);
    OwnDrawnWindow surface_;
};

class Region : public Control {
public:
    Region(Window& window, const ControlDefinition& definition, const Rect& area);
    void press() override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override { return {0, 0}; }

private:
    std::optional<LRESULT> message(UINT message, WPARAM wParam, LPARAM lParam);
    OwnDrawnWindow surface_;
};

} // namespace runtime::ui
