#include "runtime/ui/sheet.h"

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/ui/window.h"

namespace runtime::ui {

// ---- Sheets -------------------------------------------------------------------

HWND Sheet::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    return CreateWindowExA(0, WC_TABCONTROLA, "", style | WS_CLIPSIBLINGS | TCS_TABS, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, canvas,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)), GetModuleHandleA(nullptr),
                           nullptr);
}

HBRUSH Sheet::surfaceBrush(HDC dc, const Control& on) {
    RECT client{};
    GetClientRect(handle(), &client);
    if (!pageBrush_ || pageSize_.cx != client.right || pageSize_.cy != client.bottom) {
        // The page as the tab control draws it, as a brush the size of the
        // sheet, so a label on it shows the same shade as the page behind it.
        WindowDc screen(handle());
        MemoryDc memory(screen.get());
        Bitmap page(CreateCompatibleBitmap(screen.get(), std::max<LONG>(client.right, 1),
                                           std::max<LONG>(client.bottom, 1)));
        {
            Selected into(memory.get(), page.get());
            FillRect(memory.get(), &client, GetSysColorBrush(COLOR_3DFACE));
            if (HTHEME theme = GetWindowTheme(handle()); theme != nullptr) {
                DrawThemeBackground(theme, memory.get(), TABP_PANE, 0, &client, nullptr);
            }
            pageColour_ = GetPixel(memory.get(), client.right / 2, client.bottom / 2);
        }
        pageBrush_.reset(CreatePatternBrush(page.get()));
        pageSize_ = {client.right, client.bottom};
    }
    SetBkColor(dc, pageColour_);
    SetBrushOrgEx(dc, area().x - on.area().x, area().y - on.area().y, nullptr);
    return pageBrush_ ? pageBrush_.get() : GetSysColorBrush(COLOR_3DFACE);
}

std::vector<Tab*> Sheet::shownTabs() const {
    std::vector<Tab*> tabs;
    for (int32_t number : window().fields()) {
        auto* tab = dynamic_cast<Tab*>(window().control(number));
        if (tab != nullptr && tab->parent() == this->number() && !tab->hiddenFlag()) {
            tabs.push_back(tab);
        }
    }
    return tabs;
}

Rect Sheet::pageArea() const {
    RECT page{0, 0, area().width, area().height};
    if (handle() != nullptr) {
        SendMessageA(handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    }
    return {area().x + page.left, area().y + page.top, std::max<int32_t>(page.right - page.left, 0),
            std::max<int32_t>(page.bottom - page.top, 0)};
}

void Sheet::tabsChanged() {
    if (rebuilding_ || handle() == nullptr || window().closing()) {
        return;
    }
    rebuilding_ = true;
    std::vector<Tab*> tabs = shownTabs();
    SendMessageA(handle(), TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < tabs.size(); ++i) {
        std::string text = tabs[i]->get(Prop::Text, 0).text();
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(handle(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    Rect page = pageArea();
    for (Tab* tab : tabs) {
        if (!(tab->area() == page)) {
            tab->place(page);
        }
    }
    auto current =
        std::find_if(tabs.begin(), tabs.end(), [&](Tab* tab) { return tab->number() == current_; });
    int32_t wanted = current != tabs.end() ? current_ : tabs.empty() ? 0 : tabs.front()->number();
    rebuilding_ = false;
    makeCurrent(wanted);
}

void Sheet::makeCurrent(int32_t tab) {
    std::vector<Tab*> tabs = shownTabs();
    auto found = std::find_if(tabs.begin(), tabs.end(), [&](Tab* each) { return each->number() == tab; });
    if (found != tabs.end()) {
        SendMessageA(handle(), TCM_SETCURSEL, static_cast<WPARAM>(found - tabs.begin()), 0);
    }
    int32_t before = std::exchange(current_, tab);
    if (before == tab) {
        return;
    }
    // What had the focus on the page that goes away gives it to the sheet.
    HWND focus = GetFocus();
    rebuilding_ = true;
    for (int32_t changed : {before, tab}) {
        if (Control* page = changed == 0 ? nullptr : window().control(changed)) {
            window().controlChanged(*page);
        }
    }
    rebuilding_ = false;
    if (focus != nullptr && !IsWindowVisible(focus) && handle() != nullptr) {
        SetFocus(handle());
    }
    InvalidateRect(handle(), nullptr, TRUE);
}

std::optional<LRESULT> Sheet::onNotify(NMHDR& header) {
    if (header.code != TCN_SELCHANGE) {
        return std::nullopt;
    }
    auto chosen = static_cast<size_t>(SendMessageA(handle(), TCM_GETCURSEL, 0, 0));
    std::vector<Tab*> tabs = shownTabs();
    if (chosen < tabs.size()) {
        makeCurrent(tabs[chosen]->number());
        window().queue(event::NewSelection, number());
    }
    return 0;
}

Value Sheet::get(Prop prop, int32_t index) const {
    if (prop == Prop::Choice) {
        std::vector<Tab*> tabs = shownTabs();
        auto found =
            std::find_if(tabs.begin(), tabs.end(), [&](Tab* tab) { return tab->number() == current_; });
        return found == tabs.end() ? 0 : static_cast<int64_t>(found - tabs.begin()) + 1;
    }
    return Control::get(prop, index);
}

bool Sheet::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::Choice) {
        std::vector<Tab*> tabs = shownTabs();
        int64_t place = value.number();
        if (place < 1 || place > static_cast<int64_t>(tabs.size())) {
            return false;
        }
        makeCurrent(tabs[static_cast<size_t>(place - 1)]->number());
        return true;
    }
    bool changed = Control::set(prop, value, index);
    if (changed && (prop == Prop::X || prop == Prop::Y || prop == Prop::Width || prop == Prop::Height)) {
        tabsChanged();
    }
    return changed;
}

// ---- Tabs ---------------------------------------------------------------------

Tab::Tab(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area) {
    autoWidth_ = autoHeight_ = false;
}

HWND Tab::createHandle(HWND, DWORD, int, const RECT&) {
    return nullptr;
}

Sheet* Tab::sheet() const {
    return dynamic_cast<Sheet*>(window().control(parent()));
}

bool Tab::concealed() const {
    Sheet* holder = sheet();
    return holder != nullptr && holder->currentTab() != number();
}

void Tab::applyState() {
    if (Sheet* holder = sheet()) {
        holder->tabsChanged();
    }
}

void Tab::textChanged() {
    applyState();
}

void Tab::destroyHandle() {
    // Destroyed on its own, it is already out of the window's tables.
    if (!window().closing() && window().control(number()) == nullptr) {
        applyState();
    }
}

} // namespace runtime::ui
