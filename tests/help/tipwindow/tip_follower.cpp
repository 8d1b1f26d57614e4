#include "tip_follower.h"

#include <string>

#include "help/tipwindow/tip_window.h"
#include "help/tipwindow/tip_window_definition.h"
#include "runtime/ui/property.h"
#include "runtime/ui/threads.h"
#include "runtime/ui/window.h"

namespace tiptest {
namespace {

using runtime::ui::Prop;
using runtime::ui::Window;
namespace control = help::tip_control;

POINT centreOnScreen(const Window& window, int32_t number) {
    auto handle = reinterpret_cast<HWND>(static_cast<intptr_t>(window.get(number, Prop::Handle).number()));
    RECT area{};
    GetWindowRect(handle, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

ShownTip picture(Window& window, const help::TipKey& key) {
    ShownTip tip;
    tip.thread = runtime::ui::currentThread();
    tip.handle = window.handle();
    tip.procedure = key.procedure.clipped();
    tip.control = key.control.clipped();
    tip.type = key.type.clipped();
    tip.position = window.position();
    tip.caption = window.captionShown();
    tip.title = window.title();
    tip.scrolling = window.scrolling();
    tip.closeShown = !window.get(control::Close, Prop::Hidden).flag();
    tip.closeAt = window.controlPosition(control::Close);
    tip.backShown = !window.get(control::Back, Prop::Hidden).flag();
    tip.backEnabled = !window.get(control::Back, Prop::Disabled).flag();
    tip.forwardShown = !window.get(control::Forward, Prop::Hidden).flag();
    tip.backCentre = centreOnScreen(window, control::Back);
    tip.forwardCentre = centreOnScreen(window, control::Forward);
    tip.closeCentre = centreOnScreen(window, control::Close);
    for (int32_t number : window.fields()) {
        if (number < 300) {
            continue;
        }
        tip.content.push_back({number, window.get(number, Prop::Type).number32(), window.text(number),
                               window.controlPosition(number), centreOnScreen(window, number)});
    }
    tip.clickArea = window.controlPosition(control::ClickArea);
    return tip;
}

} // namespace

const ShownControl* ShownTip::showing(std::string_view text) const {
    for (const ShownControl& shown : content) {
        if (shown.text == text) {
            return &shown;
        }
    }
    return nullptr;
}

const ShownControl* ShownTip::regionOver(std::string_view text) const {
    const ShownControl* label = showing(text);
    if (label == nullptr) {
        return nullptr;
    }
    for (const ShownControl& shown : content) {
        if (shown.number == label->number + 1) {
            return &shown;
        }
    }
    return nullptr;
}

TipFollower::TipFollower() {
    help::setTipWindowListener({[this](Window& window, const help::TipKey& key) {
                                    ShownTip tip = picture(window, key);
                                    {
                                        std::lock_guard lock(mutex_);
                                        shown_.push_back(std::move(tip));
                                    }
                                    changed_.notify_all();
                                },
                                [this] {
                                    {
                                        std::lock_guard lock(mutex_);
                                        ++closed_;
                                    }
                                    changed_.notify_all();
                                }});
}

TipFollower::~TipFollower() {
    help::setTipWindowListener({});
}

std::vector<ShownTip> TipFollower::shown() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

int TipFollower::closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

bool TipFollower::waitForShown(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return shown_.size() >= count; });
}

const ShownTip TipFollower::last() const {
    std::lock_guard lock(mutex_);
    return shown_.empty() ? ShownTip{} : shown_.back();
}

bool TipFollower::waitForClosed(int count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return closed_ >= count; });
}

// ---- Input through the X display ----------------------------------------------

namespace {

// Wine runs programs of the host system through this entry of its ntdll.
using UnixSpawn = long(__cdecl*)(char* const argv[], int wait);

UnixSpawn unixSpawn() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (ntdll == nullptr) {
        return nullptr;
    }
    // Through a plain pointer: the entry's type is not FARPROC's.
    auto entry = reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp"));
    return reinterpret_cast<UnixSpawn>(entry);
}

// Runs xdotool on Wine's desktop window, whose inside is the screen.
bool xdotool(std::vector<std::string> arguments) {
    UnixSpawn spawn = unixSpawn();
    if (spawn == nullptr) {
        return false;
    }
    std::vector<std::string> all{"/usr/bin/xdotool", "search", "--name", "Wine desktop"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return spawn(argv.data(), 1) == 0;
}

std::vector<std::string> moveTo(POINT screen) {
    return {"mousemove", "--sync", "--window", "%1", std::to_string(screen.x), std::to_string(screen.y)};
}

} // namespace

bool xInputAvailable() {
    return unixSpawn() != nullptr && GetFileAttributesA("Z:\\usr\\bin\\xdotool") != INVALID_FILE_ATTRIBUTES;
}

bool xMove(POINT screen) {
    return xdotool(moveTo(screen));
}

bool xClick(POINT screen, int button) {
    std::vector<std::string> arguments = moveTo(screen);
    arguments.insert(arguments.end(), {"click", std::to_string(button)});
    return xdotool(arguments);
}

bool captionHelpButton(HWND frame, POINT& centre) {
    RECT outer{};
    GetWindowRect(frame, &outer);
    POINT content{0, 0};
    ClientToScreen(frame, &content);
    int y = (outer.top + content.y) / 2;
    int first = -1;
    int last = -1;
    for (int x = outer.left; x < outer.right; ++x) {
        LRESULT hit = SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y));
        if (hit == HTHELP) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    if (first < 0) {
        return false;
    }
    centre = {(first + last) / 2, y};
    return true;
}

} // namespace tiptest
