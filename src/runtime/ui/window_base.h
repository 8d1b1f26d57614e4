// The one base type of every window the runtime registers a class for: the
// object is bound to its HWND at WM_NCCREATE by a single static window
// procedure and unbound at WM_NCDESTROY, so messages before and after the
// object's lifetime never reach it.
#pragma once

#include <windows.h>

namespace runtime::ui {

class WindowBase {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Destroys the window now (also done by the destructor).
    void destroy();

    // The object bound to a window of one of our classes, or nullptr.
    static WindowBase* of(HWND window);

protected:
    enum class ClassKind {
        Plain,    // DefWindowProc handles what we do not
        Dialog,   // DefDlgProc: focus, default button and Tab handling of a dialog
        MdiFrame, // DefFrameProc, with the client area set by setMdiClient()
        MdiChild, // DefMDIChildProc
    };
    // Registers (once) and creates a window of class `className`.
    bool createWindow(const char* className, ClassKind kind, DWORD exStyle, const char* title, DWORD style,
                      int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    // The same for a child window of an MDI client; any thread may create one.
    bool createMdiChild(const char* className, const char* title, DWORD style, int x, int y, int width,
                        int height, HWND client);
    void setMdiClient(HWND client) { mdiClient_ = client; }

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT byDefault(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    ClassKind kind_ = ClassKind::Plain;
    HWND mdiClient_ = nullptr;
};

} // namespace runtime::ui
