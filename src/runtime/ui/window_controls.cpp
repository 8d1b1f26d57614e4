// The controls of a window: creating and destroying them (from the definition
// and at run time), finding them, their properties, field order, stacking,
// visibility through their parents, and the control under a point.
#include <windows.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/ui/kinds.h"
#include "runtime/ui/messages.h"
#include "runtime/ui/tooltips.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

// Parents are followed at most this far; a longer chain can only be a cycle.
constexpr int MaxDepth = 64;

} // namespace

Control* Window::control(int32_t number) const {
    auto found = byNumber_.find(number);
    return found == byNumber_.end() ? nullptr : found->second;
}

Control* Window::controlOfHandle(HWND window) const {
    HWND canvas = clientHandle();
    for (HWND at = window; at != nullptr && at != canvas; at = GetParent(at)) {
        auto found = byHandle_.find(at);
        if (found != byHandle_.end()) {
            return found->second;
        }
    }
    return nullptr;
}

int32_t Window::firstField() const {
    int32_t first = 0;
    for (const auto& control : controls_) {
        if (control->number() > 0 && (first == 0 || control->number() < first)) {
            first = control->number();
        }
    }
    return first;
}

int32_t Window::lastField() const {
    int32_t last = 0;
    for (const auto& control : controls_) {
        last = std::max(last, control->number());
    }
    return last;
}

int32_t Window::nextField(int32_t after) const {
    if (controls_.empty()) {
        return 0;
    }
    if (after == 0) {
        return controls_.front()->number();
    }
    for (size_t i = 0; i + 1 < controls_.size(); ++i) {
        if (controls_[i]->number() == after) {
            return controls_[i + 1]->number();
        }
    }
    return 0;
}

std::vector<int32_t> Window::fields() const {
    std::vector<int32_t> numbers;
    numbers.reserve(controls_.size());
    for (const auto& control : controls_) {
        numbers.push_back(control->number());
    }
    return numbers;
}

int32_t Window::create(int32_t number, int32_t kind, int32_t parent) {
    ControlDefinition definition;
    definition.number = number == 0 ? std::max(lastField(), 0) + 1 : number;
    definition.kind = kind;
    definition.parent = parent;
    // A menu item made at run time takes its place in its menu at once.
    bool menu = kind == runtime::kind::Menu || kind == runtime::kind::MenuItem;
    definition.flags = menu ? 0 : attr::Hidden;
    Control* made = build(definition, Rect{}, true);
    return made == nullptr ? 0 : made->number();
}

int32_t Window::create(const ControlDefinition& definition) {
    ControlDefinition numbered = definition;
    if (numbered.number == 0) {
        numbered.number = std::max(lastField(), 0) + 1;
    }
    Rect pixels{toPixelsX(definition.at.x), toPixelsY(definition.at.y), toPixelsX(definition.at.width),
                toPixelsY(definition.at.height)};
    Control* made = build(numbered, pixels, true);
    return made == nullptr ? 0 : made->number();
}

Control* Window::build(const ControlDefinition& definition, const Rect& pixels, bool) {
    if (closed_ || definition.number == 0 || byNumber_.count(definition.number) != 0) {
        return nullptr;
    }
    if (definition.parent != 0) {
        Control* holder = control(definition.parent);
        if (holder == nullptr || !holder->isContainer()) {
            return nullptr;
        }
    }
    std::unique_ptr<Control> made = makeControl(*this, definition, pixels);
    if (!made) {
        return nullptr;
    }
    int id = 0;
    if ((definition.flags & attr::StandardClose) != 0 && byId_.count(IDCANCEL) == 0) {
        id = IDCANCEL; // Esc presses it through the dialog manager
    } else {
        do {
            id = nextId_++;
            if (nextId_ > 0xFFFF) {
                nextId_ = FirstControlId;
            }
        } while (byId_.count(id) != 0);
    }
    made->create(id);
    if (made->handle() == nullptr && !made->windowless()) {
        return nullptr;
    }
    Control* control = made.get();
    controls_.push_back(std::move(made));
    byNumber_[control->number()] = control;
    byId_[id] = control;
    if (control->handle() != nullptr) {
        byHandle_[control->handle()] = control;
        restack(*control);
    }
    control->display();
    control->applyState();
    updateTooltip(*control);
    if (scrolling_) {
        updateScrollRange();
    }
    return control;
}

// Stacking: ordinary controls in field order, the first on top (the order
// Tab follows), and every container below all of them, a later container
// above an earlier one, so that panels and groups are drawn behind what
// they hold.
void Window::restack(Control& control) {
    HWND after = HWND_TOP;
    for (const auto& other : controls_) {
        if (other.get() != &control && !other->isContainer() && other->handle() != nullptr) {
            after = other->handle();
        }
    }
    SetWindowPos(control.handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Window::destroy(int32_t number) {
    if (control(number) == nullptr) {
        return false;
    }
    destroyOne(number);
    if (scrolling_) {
        updateScrollRange();
    }
    return true;
}

void Window::destroyRange(int32_t first, int32_t last) {
    std::vector<int32_t> doomed;
    for (const auto& control : controls_) {
        if (control->number() >= first && control->number() <= last) {
            doomed.push_back(control->number());
        }
    }
    for (int32_t number : doomed) {
        if (control(number) != nullptr) {
            destroyOne(number);
        }
    }
    if (scrolling_) {
        updateScrollRange();
    }
}

void Window::destroyOne(int32_t number) {
    std::vector<int32_t> held;
    for (const auto& control : controls_) {
        if (control->parent() == number) {
            held.push_back(control->number());
        }
    }
    for (int32_t child : held) {
        if (control(child) != nullptr) {
            destroyOne(child);
        }
    }
    Control* doomed = control(number);
    if (doomed == nullptr) {
        return;
    }
    // Out of every table first, so the notifications its window sends while
    // being destroyed (focus loss) find nothing to act on.
    tooltips_->remove(number);
    controlAlerts_.erase(number);
    std::erase(mouseInside_, number);
    if (focusRequest_ == number) {
        focusRequest_ = 0;
    }
    if (lastFocus_ == doomed->handle()) {
        lastFocus_ = nullptr;
    }
    byNumber_.erase(number);
    if (doomed->handle() != nullptr) {
        byHandle_.erase(doomed->handle());
    }
    std::erase_if(byId_, [&](const auto& entry) { return entry.second == doomed; });
    auto found = std::find_if(controls_.begin(), controls_.end(),
                              [&](const auto& control) { return control.get() == doomed; });
    std::unique_ptr<Control> gone = std::move(*found);
    controls_.erase(found);
    gone->destroyHandle();
}

Value Window::get(int32_t control, Prop prop, int32_t index) const {
    Control* found = this->control(control);
    return found == nullptr ? Value() : found->get(prop, index);
}

bool Window::set(int32_t control, Prop prop, const Value& value, int32_t index) {
    Control* found = this->control(control);
    return found != nullptr && found->set(prop, value, index);
}

Rect Window::controlPosition(int32_t control) const {
    Control* found = this->control(control);
    if (found == nullptr) {
        return {};
    }
    const Rect& area = found->area();
    return {toUnitsX(area.x), toUnitsY(area.y), toUnitsX(area.width), toUnitsY(area.height)};
}

bool Window::setControlPosition(int32_t control, const Rect& position) {
    Control* found = this->control(control);
    if (found == nullptr) {
        return false;
    }
    found->set(Prop::Width, position.width, 0);
    found->set(Prop::Height, position.height, 0);
    found->place({toPixelsX(position.x), toPixelsY(position.y), found->area().width, found->area().height});
    return true;
}

bool Window::isShown(const Control& control) const {
    const Control* at = &control;
    for (int depth = 0; at != nullptr && depth < MaxDepth; ++depth) {
        if (at->hiddenFlag() || at->concealed()) {
            return false;
        }
        at = at->parent() == 0 ? nullptr : this->control(at->parent());
    }
    return true;
}

bool Window::isEnabled(const Control& control) const {
    const Control* at = &control;
    for (int depth = 0; at != nullptr && depth < MaxDepth; ++depth) {
        if (at->disabledFlag()) {
            return false;
        }
        at = at->parent() == 0 ? nullptr : this->control(at->parent());
    }
    return true;
}

void Window::forEachHeld(int32_t container, const std::function<void(Control&)>& action) {
    std::vector<int32_t> level{container};
    for (int depth = 0; !level.empty() && depth < MaxDepth; ++depth) {
        std::vector<int32_t> next;
        for (const auto& control : controls_) {
            if (std::find(level.begin(), level.end(), control->parent()) != level.end()) {
                action(*control);
                next.push_back(control->number());
            }
        }
        level = std::move(next);
    }
}

void Window::controlChanged(const Control& changed) {
    if (closed_ || closing_) {
        return;
    }
    Control* control = this->control(changed.number());
    if (control == nullptr) {
        return; // still being built
    }
    control->applyState();
    updateTooltip(*control);
    if (control->isContainer()) {
        forEachHeld(control->number(), [&](Control& held) {
            held.applyState();
            updateTooltip(held);
        });
    }
    if (scrolling_) {
        updateScrollRange();
    }
}

void Window::updateTooltip(const Control& control) {
    if (!tooltips_) {
        return;
    }
    const Rect& area = control.area();
    RECT place{area.x, area.y - scrollY_, area.right(), area.bottom() - scrollY_};
    tooltips_->set(control.number(), control.tooltip(), place, isShown(control));
}

Control* Window::controlAt(POINT content) const {
    Control* container = nullptr;
    for (const auto& control : controls_) {
        if (!isShown(*control) || !control->area().contains(content.x, content.y)) {
            continue;
        }
        if (!control->isContainer()) {
            return control.get();
        }
        container = control.get();
    }
    return container;
}

int32_t Window::focus() const {
    Control* control = controlOfHandle(GetFocus());
    return control == nullptr ? 0 : control->number();
}

void Window::display(int32_t control) {
    if (control != 0) {
        if (Control* found = this->control(control)) {
            found->display();
        }
        return;
    }
    for (const auto& each : controls_) {
        each->display();
    }
    if (clientHandle() != nullptr) {
        RedrawWindow(clientHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void Window::update(int32_t control) {
    for (const auto& each : controls_) {
        if ((control == 0 || each->number() == control) && each->acceptsInput()) {
            each->commit(true);
        }
    }
}

} // namespace runtime::ui
