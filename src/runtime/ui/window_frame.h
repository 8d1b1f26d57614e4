// The two Win32 windows of a runtime window: the frame (the top-level window
// with caption and border) and the canvas (its content area, a child dialog
// that holds the controls, paints the background and scrolls). Both hand what
// they receive to their Window.
#pragma once

#include <windows.h>

#include "runtime/ui/window_base.h"

namespace runtime::ui {

class Window;

class Frame : public WindowBase {
public:
    explicit Frame(Window& owner) : owner_(owner) {}
    bool create(DWORD exStyle, DWORD style, const RECT& place, HWND ownerWindow, const char* title,
                bool mdiFrame);
    // A child window of the program's frame, inside its MDI client.
    bool createChild(DWORD style, POINT at, SIZE size, HWND client, const char* title);
    using WindowBase::setMdiClient;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Window& owner_;
};

class Canvas : public WindowBase {
public:
    explicit Canvas(Window& owner) : owner_(owner) {}
    bool create(HWND frame);

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT scroll(WPARAM wParam);
    Window& owner_;
};

} // namespace runtime::ui
