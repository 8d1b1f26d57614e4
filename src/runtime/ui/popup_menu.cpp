#include "runtime/ui/popup_menu.h"

#include <windows.h>

#include <vector>

#include "runtime/ui/handles.h"
#include "runtime/ui/menu_text.h"
#include "runtime/ui/resources.h"
#include "runtime/ui/window.h"
#include "runtime/ui/window_base.h"

namespace runtime::ui {
namespace {

// Menus show bitmaps, not icons: the icon drawn on the menu's colour.
Bitmap iconBitmap(std::string_view name) {
    int size = GetSystemMetrics(SM_CXSMICON);
    IconRef icon = loadIcon(name, size);
    if (!icon) {
        return {};
    }
    WindowDc screen(nullptr);
    Bitmap bitmap(CreateCompatibleBitmap(screen.get(), size, size));
    MemoryDc memory(screen.get());
    Selected into(memory.get(), bitmap.get());
    RECT all{0, 0, size, size};
    FillRect(memory.get(), &all, GetSysColorBrush(COLOR_MENU));
    DrawIconEx(memory.get(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
    return bitmap;
}

void fill(HMENU menu, const std::vector<MenuItem>& items, std::vector<Bitmap>& bitmaps) {
    for (const MenuItem& item : items) {
        if (item.type == MenuItem::Type::Separator) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item.unavailable ? MF_GRAYED : 0) | (item.check == 1 ? MF_CHECKED : 0);
        if (item.type == MenuItem::Type::Submenu) {
            HMENU submenu = CreatePopupMenu();
            fill(submenu, item.children, bitmaps);
            // The parent menu destroys the submenu with itself.
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), item.text.c_str());
        } else {
            AppendMenuA(menu, flags, static_cast<UINT_PTR>(item.number), item.text.c_str());
        }
        if (!item.icon.empty()) {
            if (Bitmap bitmap = iconBitmap(item.icon)) {
                MENUITEMINFOA info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_BITMAP;
                info.hbmpItem = bitmap.get();
                SetMenuItemInfoA(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &info);
                bitmaps.push_back(std::move(bitmap));
            }
        }
    }
}

// The menu needs a window of the calling thread to belong to.
class MenuOwner : public WindowBase {
public:
    MenuOwner() {
        createWindow("RvMenuOwner", ClassKind::Plain, WS_EX_TOOLWINDOW, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                     nullptr);
    }
};

} // namespace

int32_t popupMenu(std::string_view menuText, std::optional<Point> at) {
    std::vector<MenuItem> items = parseMenuText(menuText);
    Menu menu(CreatePopupMenu());
    std::vector<Bitmap> bitmaps;
    fill(menu.get(), items, bitmaps);

    Window* window = currentWindow();
    POINT place{};
    if (at && window != nullptr && window->clientHandle() != nullptr) {
        place = {window->toPixelsX(at->x), window->toPixelsY(at->y) - window->scrollOffset()};
        ClientToScreen(window->clientHandle(), &place);
    } else if (at) {
        place = {at->x, at->y};
    } else {
        GetCursorPos(&place);
    }
    std::optional<MenuOwner> spare;
    HWND owner = window != nullptr ? window->handle() : nullptr;
    if (owner == nullptr) {
        owner = spare.emplace().hwnd();
    }
    // A menu of a window that is not in front would not close on a click elsewhere.
    SetForegroundWindow(owner);
    BOOL chosen = TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                                   place.x, place.y, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    return static_cast<int32_t>(chosen);
}

} // namespace runtime::ui
