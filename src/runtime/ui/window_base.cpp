#include "runtime/ui/window_base.h"

#include <windows.h>

#include <mutex>
#include <set>
#include <string>

namespace runtime::ui {
namespace {

// Our objects are kept in a window property rather than GWLP_USERDATA, which
// stays free for whoever subclasses our windows.
constexpr const char* ObjectProperty = "RvWindowObject";

void registerOnce(const char* className, bool dialog, WNDPROC procedure) {
    static std::mutex mutex;
    static std::set<std::string> registered;
    std::lock_guard lock(mutex);
    if (!registered.insert(className).second) {
        return;
    }
    WNDCLASSEXA type{};
    type.cbSize = sizeof type;
    type.style = CS_DBLCLKS;
    type.lpfnWndProc = procedure;
    type.cbWndExtra = dialog ? DLGWINDOWEXTRA : 0;
    type.hInstance = GetModuleHandleA(nullptr);
    type.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    type.lpszClassName = className;
    RegisterClassExA(&type);
}

} // namespace

WindowBase::~WindowBase() {
    destroy();
}

void WindowBase::destroy() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

WindowBase* WindowBase::of(HWND window) {
    return window == nullptr ? nullptr : static_cast<WindowBase*>(GetPropA(window, ObjectProperty));
}

bool WindowBase::createWindow(const char* className, ClassKind kind, DWORD exStyle, const char* title,
                              DWORD style, int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
    registerOnce(className, kind == ClassKind::Dialog, staticProc);
    kind_ = kind;
    HWND created = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                                   GetModuleHandleA(nullptr), this);
    return created != nullptr;
}

bool WindowBase::createMdiChild(const char* className, const char* title, DWORD style, int x, int y,
                                int width, int height, HWND client) {
    registerOnce(className, false, staticProc);
    kind_ = ClassKind::MdiChild;
    HWND created = CreateMDIWindowA(className, title, style, x, y, width, height, client,
                                    GetModuleHandleA(nullptr), reinterpret_cast<LPARAM>(this));
    return created != nullptr;
}

LRESULT WindowBase::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return byDefault(message, wParam, lParam);
}

LRESULT WindowBase::byDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (kind_) {
    case ClassKind::Dialog:
        return DefDlgProcA(hwnd_, message, wParam, lParam);
    case ClassKind::MdiFrame:
        return DefFrameProcA(hwnd_, mdiClient_, message, wParam, lParam);
    case ClassKind::MdiChild:
        return DefMDIChildProcA(hwnd_, message, wParam, lParam);
    case ClassKind::Plain:
        break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        void* parameter = create->lpCreateParams;
        // A child of an MDI client gets its creation data through the client.
        if ((create->dwExStyle & WS_EX_MDICHILD) != 0 && parameter != nullptr) {
            parameter = reinterpret_cast<void*>(static_cast<MDICREATESTRUCTA*>(parameter)->lParam);
        }
        auto* object = static_cast<WindowBase*>(parameter);
        if (object != nullptr) {
            object->hwnd_ = window;
            SetPropA(window, ObjectProperty, object);
        }
    }
    WindowBase* object = of(window);
    if (object == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        LRESULT result = object->handle(message, wParam, lParam);
        RemovePropA(window, ObjectProperty);
        object->hwnd_ = nullptr;
        return result;
    }
    return object->handle(message, wParam, lParam);
}

} // namespace runtime::ui
