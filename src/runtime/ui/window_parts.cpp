// The parts of a window besides its content: the menu bar, the status bar with
// the message lines of menus and controls, and for the program's frame the
// client area its child windows live in, with the frame's picture behind them.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/ui/mdi.h"
#include "runtime/ui/menus.h"
#include "runtime/ui/window.h"
#include "runtime/ui/window_frame.h"

namespace runtime::ui {
namespace {

// Ids of the child windows in the frame's window list, clear of control ids.
constexpr UINT FirstChildId = 0xFF00;

} // namespace

// The frame's picture lies behind its child windows, in the client area.
LRESULT CALLBACK Window::mdiClientProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR window) {
    if (message == WM_ERASEBKGND) {
        auto* owner = reinterpret_cast<Window*>(window);
        RECT area{};
        GetClientRect(client, &area);
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (owner->wallpaperBrush_) {
            SetBrushOrgEx(dc, 0, 0, nullptr);
            FillRect(dc, &area, owner->wallpaperBrush_.get());
        } else {
            FillRect(dc, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
        }
        return 1;
    }
    if (message == WM_SIZE) {
        // The picture is stretched to the area's size: whatever resized it.
        LRESULT result = DefSubclassProc(client, message, wParam, lParam);
        reinterpret_cast<Window*>(window)->rebuildWallpaperCache();
        InvalidateRect(client, nullptr, TRUE);
        return result;
    }
    return DefSubclassProc(client, message, wParam, lParam);
}

bool Window::holds(HWND window) const {
    if (window == nullptr || handle() == nullptr || (window != handle() && !IsChild(handle(), window))) {
        return false;
    }
    // What lies in the frame's client area belongs to the child windows.
    return mdiClient_ == nullptr || (window != mdiClient_ && !IsChild(mdiClient_, window));
}

HWND Window::wallpaperSurface() const {
    return mdiFrame_ ? mdiClient_ : clientHandle();
}

void Window::openParts(const WindowDefinition& definition) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (mdiFrame_) {
        CLIENTCREATESTRUCT create{nullptr, FirstChildId};
        mdiClient_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE |
                                         MDIS_ALLCHILDSTYLES,
                                     0, 0, 0, 0, handle(), nullptr, instance, &create);
        if (mdiClient_ != nullptr) {
            frame_->setMdiClient(mdiClient_);
            SetWindowSubclass(mdiClient_, mdiClientProc, 1, reinterpret_cast<DWORD_PTR>(this));
            mdi::registerFrame(mdiClient_);
        }
    }
    if (mdiChild_) {
        mdi::registerChild(handle(), ownerNumber_);
    }
    statusZones_ = {-1};
    statusTexts_ = {std::string()};
    if ((definition.flags & wattr::StatusBar) != 0) {
        setStatusBarShown(true);
    }
}

void Window::closeParts() {
    if (mdiClient_ != nullptr) {
        mdi::unregisterFrame(mdiClient_);
        RemoveWindowSubclass(mdiClient_, mdiClientProc, 1);
    }
    if (menuBar_) {
        // The menus' own lists belong to their controls; the bar lets go of them first.
        SetMenu(handle(), nullptr);
        while (GetMenuItemCount(menuBar_.get()) > 0) {
            RemoveMenu(menuBar_.get(), 0, MF_BYPOSITION);
        }
        menuBar_.reset();
    }
}

void Window::layoutParts(RECT& content) {
    if (statusBarShown()) {
        SendMessageA(statusBar_, WM_SIZE, 0, 0);
        RECT bar{};
        GetWindowRect(statusBar_, &bar);
        content.bottom = std::max(content.top, content.bottom - (bar.bottom - bar.top));
        showStatusZones();
    }
    int width = content.right - content.left;
    int strip = 0;
    for (const auto& control : controls_) {
        if (control->kind() == kind::Toolbar && control->area().width != width) {
            Rect docked = control->area();
            docked.width = width;
            control->place(docked);
        }
        if (control->handle() != nullptr && control->parent() == 0 && isShown(*control)) {
            strip = std::max(strip, static_cast<int>(control->area().bottom()));
        }
    }
    if (mdiFrame_ && mdiClient_ != nullptr) {
        // The frame's content is the toolbar strip; the child windows get the rest.
        strip = std::min<int>(strip, content.bottom - content.top);
        MoveWindow(mdiClient_, content.left, content.top + strip, width, content.bottom - content.top - strip,
                   TRUE);
        content.bottom = content.top + strip;
    }
}

void Window::growFrame(int pixels) {
    if (handle() == nullptr || pixels == 0 || mdiChild_ || IsZoomed(handle())) {
        return;
    }
    RECT outer{};
    GetWindowRect(handle(), &outer);
    SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- The menu bar -----------------------------------------------------------

HMENU Window::menuBar() {
    if (!menuBar_ && handle() != nullptr && !mdiChild_) {
        RECT before{};
        GetClientRect(handle(), &before);
        menuBar_.reset(CreateMenu());
        SetMenu(handle(), menuBar_.get());
        RECT after{};
        GetClientRect(handle(), &after);
        growFrame(before.bottom - after.bottom);
    }
    return menuBar_.get();
}

void Window::menuBarChanged() {
    if (menuBar_ && handle() != nullptr) {
        DrawMenuBar(handle());
    }
}

bool Window::menuCommand(WORD id) {
    auto found = byId_.find(id);
    if (found == byId_.end() || dynamic_cast<MenuControl*>(found->second) == nullptr) {
        return false;
    }
    if (isEnabled(*found->second)) {
        pressed(*found->second);
    }
    return true;
}

void Window::menuSelected(WPARAM wParam, LPARAM lParam) {
    UINT flags = HIWORD(wParam);
    auto* menu = reinterpret_cast<HMENU>(lParam);
    if (flags == 0xFFFF && menu == nullptr) {
        endMessage();
        return;
    }
    Control* chosen = nullptr;
    if ((flags & MF_SYSMENU) != 0 || (flags & MF_SEPARATOR) != 0) {
        chosen = nullptr;
    } else if ((flags & MF_POPUP) != 0) {
        HMENU opened = GetSubMenu(menu, LOWORD(wParam));
        for (const auto& control : controls_) {
            auto* each = dynamic_cast<MenuControl*>(control.get());
            if (each != nullptr && each->popup() == opened && opened != nullptr) {
                chosen = each;
            }
        }
    } else if (auto found = byId_.find(LOWORD(wParam)); found != byId_.end()) {
        chosen = found->second;
    }
    showMessage(chosen != nullptr ? chosen->message() : std::string());
}

// ---- The status bar -----------------------------------------------------------

void Window::setStatusBarShown(bool shown) {
    if (handle() == nullptr || shown == statusBarShown()) {
        return;
    }
    if (statusBar_ == nullptr) {
        if (!shown) {
            return;
        }
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        DWORD grip = resizable() ? SBARS_SIZEGRIP : 0;
        statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | grip, 0, 0, 0, 0, handle(), nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        if (statusBar_ == nullptr) {
            return;
        }
        SendMessageA(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    ShowWindow(statusBar_, shown ? SW_SHOWNA : SW_HIDE);
    if (shown) {
        SendMessageA(statusBar_, WM_SIZE, 0, 0);
    }
    RECT bar{};
    GetWindowRect(statusBar_, &bar);
    int height = bar.bottom - bar.top;
    if (!mdiFrame_) {
        growFrame(shown ? height : -height);
    }
    frameSized();
}

void Window::setStatusZones(const std::vector<int32_t>& widths) {
    statusZones_ = widths.empty() ? std::vector<int32_t>{-1} : widths;
    statusTexts_.resize(statusZones_.size());
    showStatusZones();
}

void Window::showStatusZones() {
    if (statusBar_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(statusBar_, &client);
    std::vector<int> edges;
    int right = 0;
    for (int32_t width : statusZones_) {
        right = width < 0 ? -1 : right + toPixelsX(width);
        edges.push_back(right);
        if (right < 0) {
            break;
        }
    }
    SendMessageA(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t zone = 0; zone < edges.size(); ++zone) {
        const std::string& shown = zone == 0 && messageLine_ ? *messageLine_ : statusTexts_[zone];
        SendMessageA(statusBar_, SB_SETTEXTA, zone, reinterpret_cast<LPARAM>(shown.c_str()));
    }
}

std::string Window::statusText(int32_t zone) const {
    if (zone < 1 || static_cast<size_t>(zone) > statusTexts_.size()) {
        return {};
    }
    return statusTexts_[static_cast<size_t>(zone) - 1];
}

void Window::setStatusText(std::string_view text, int32_t zone) {
    if (zone < 1 || zone > 255) {
        return;
    }
    if (static_cast<size_t>(zone) > statusTexts_.size()) {
        statusTexts_.resize(static_cast<size_t>(zone));
    }
    statusTexts_[static_cast<size_t>(zone) - 1] = std::string(text);
    if (zone == 1 && messageLine_) {
        return; // shown again when the message line ends
    }
    if (statusBar_ != nullptr && static_cast<size_t>(zone) <= statusZones_.size()) {
        SendMessageA(statusBar_, SB_SETTEXTA, static_cast<WPARAM>(zone - 1),
                     reinterpret_cast<LPARAM>(statusTexts_[static_cast<size_t>(zone) - 1].c_str()));
    }
}

void Window::showMessage(const std::string& line) {
    if (statusBar_ == nullptr) {
        return;
    }
    messageLine_ = line;
    SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void Window::endMessage() {
    messageControl_ = 0;
    if (!messageLine_) {
        return;
    }
    messageLine_.reset();
    if (statusBar_ != nullptr) {
        SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(statusTexts_[0].c_str()));
    }
}

void Window::hoverMessage(HWND over) {
    if (statusBar_ == nullptr) {
        return;
    }
    Control* control = over != nullptr ? controlOfHandle(over) : nullptr;
    if (control != nullptr && !control->message().empty()) {
        if (messageControl_ != control->number()) {
            showMessage(control->message());
            messageControl_ = control->number();
        }
    } else if (messageControl_ != 0) {
        endMessage();
    }
}

} // namespace runtime::ui
