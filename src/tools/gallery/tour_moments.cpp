#include "tour_moments.h"

#include <commctrl.h>

#include <functional>

#include "gallery.h"
#include "runtime/ui/real_input.h"
#include "runtime/ui/screenshot.h"
#include "runtime/ui/threads.h"

namespace gallery {
namespace {

using namespace runtime::ui;

constexpr DWORD Patience = 10000; // milliseconds a moment may take to come or go

bool waitUntil(const std::function<bool()>& done) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > Patience) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

struct Search {
    const char* className;
    const std::string& caption;
    HWND found = nullptr;
};

BOOL CALLBACK findShown(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    char name[64] = {};
    char text[128] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, text, sizeof text);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpiA(name, search.className) == 0 && (search.caption.empty() || search.caption == text)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The shown top-level window of a class (and caption, unless empty) of this
// process, or none.
HWND shownWindow(const char* className, const std::string& caption) {
    Search search{className, caption};
    EnumWindows(findShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

POINT centreOf(const RECT& area) {
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

} // namespace

bool tourMenu(HWND frame, int32_t frameThread, const std::string& shot) {
    auto moment = [=] {
        RECT title{};
        GetMenuItemRect(frame, GetMenu(frame), 0, &title);
        clickAt(centreOf(title));
        if (waitUntil([] { return shownWindow("#32768", "") != nullptr; })) {
            tourShot(shot);
        }
        // The first Esc closes the menu, the second leaves the menu bar.
        tapKey(VK_ESCAPE);
        tapKey(VK_ESCAPE);
        waitUntil([] { return shownWindow("#32768", "") == nullptr; });
        post(note::TourStep, 0, frameThread);
    };
    return start(moment) != 0;
}

bool tourDialog(const std::string& caption, int32_t frameThread, const std::string& shot) {
    auto moment = [=] {
        if (waitUntil([&] { return shownWindow("#32770", caption) != nullptr; })) {
            tourShot(shot);
            tapKey(VK_ESCAPE);
            if (!waitUntil([&] { return shownWindow("#32770", caption) == nullptr; })) {
                PostMessageA(shownWindow("#32770", caption), WM_COMMAND, IDCANCEL, 0);
            }
        }
        post(note::TourStep, 0, frameThread);
    };
    return start(moment) != 0;
}

bool tourToolTip(HWND control, int32_t frameThread, const std::string& shot) {
    auto moment = [=] {
        RECT area{};
        GetWindowRect(control, &area);
        // A tip shows once the mouse moves over the tool, not as it arrives.
        POINT centre = centreOf(area);
        sendMouse({centre.x - 2, centre.y});
        Sleep(100);
        sendMouse(centre);
        if (waitUntil([] { return shownWindow(TOOLTIPS_CLASSA, "") != nullptr; })) {
            tourShot(shot);
        }
        // Away from the toolbar, so that no tip shows in later pictures.
        RECT frame{};
        GetWindowRect(GetAncestor(control, GA_ROOT), &frame);
        sendMouse({frame.right - 40, frame.bottom - 60});
        post(note::TourStep, 0, frameThread);
    };
    return start(moment) != 0;
}

} // namespace gallery
