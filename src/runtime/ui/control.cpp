#include "runtime/ui/control.h"

#include <windows.h>

#include "runtime/ui/window.h"

namespace runtime::ui {

Control::Control(Window& window, const ControlDefinition& definition, const Rect& area)
    : window_(window), text_(definition.text), iconName_(definition.icon), flags_(definition.flags),
      autoWidth_(definition.at.width == 0), autoHeight_(definition.at.height == 0),
      number_(definition.number), kind_(definition.kind), use_(definition.use), parent_(definition.parent),
      area_(area), fontSpec_(definition.font), colour_(definition.colour), cursorName_(definition.cursor),
      tooltip_(definition.tooltip), message_(definition.message), variable_(definition.variable),
      hidden_((definition.flags & attr::Hidden) != 0), disabled_((definition.flags & attr::Disabled) != 0),
      positional_((definition.flags & attr::Positional) != 0),
      trackMouse_((definition.flags & attr::TrackMouse) != 0) {
    if (colour_ != DefaultColour) {
        colourBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(colour_)));
    }
    cursor_ = loadCursor(cursorName_);
}

Control::~Control() {
    destroyHandle();
}

void Control::destroyHandle() {
    if (handle_ != nullptr) {
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
}

void Control::create(int win32Id) {
    FontSpec own = mergeFont(fontSpec_, window_.windowFontSpec());
    if (!sameFace(own, window_.windowFontSpec())) {
        ownFont_ = createFont(own);
    }
    if (autoWidth_ || autoHeight_) {
        resizeToNatural(autoWidth_, autoHeight_);
    }
    DWORD style = WS_CHILD;
    if (isContainer()) {
        style |= WS_CLIPSIBLINGS;
    }
    if (takesFocus()) {
        style |= WS_GROUP;
        if ((flags_ & attr::Skip) == 0) {
            style |= WS_TABSTOP;
        }
    }
    Rect shown = handleArea();
    RECT place{shown.x, shown.y - window_.scrollOffset(), shown.right(),
               shown.bottom() - window_.scrollOffset()};
    handle_ = createHandle(window_.canvasHandle(), style, win32Id, place);
    if (handle_ == nullptr) {
        return;
    }
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    if (!iconName_.empty()) {
        icon_ = loadIcon(iconName_);
        iconChanged();
    }
}

HFONT Control::font() const {
    return ownFont_ ? ownFont_.get() : window_.windowFont();
}

FontSpec Control::effectiveFont() const {
    return mergeFont(fontSpec_, window_.windowFontSpec());
}

std::string Control::currentText() const {
    return text_;
}

Value Control::get(Prop prop, int32_t) const {
    switch (prop) {
    case Prop::Text:
        return Value(currentText());
    case Prop::X:
        return window_.toUnitsX(area_.x);
    case Prop::Y:
        return window_.toUnitsY(area_.y);
    case Prop::Width:
        return window_.toUnitsX(area_.width);
    case Prop::Height:
        return window_.toUnitsY(area_.height);
    case Prop::FontName:
        return Value(effectiveFont().typeface);
    case Prop::FontSize:
        return effectiveFont().size;
    case Prop::FontColour:
        return effectiveFont().colour;
    case Prop::FontStyle:
        return effectiveFont().style;
    case Prop::Colour:
        return colour_;
    case Prop::Cursor:
        return Value(cursorName_);
    case Prop::Icon:
        return Value(iconName_);
    case Prop::Tooltip:
        return Value(tooltip_);
    case Prop::Message:
        return Value(message_);
    case Prop::Hidden:
        return hidden_;
    case Prop::Disabled:
        return disabled_;
    case Prop::Type:
        return kind_;
    case Prop::Parent:
        return parent_;
    case Prop::Handle:
        return static_cast<int64_t>(reinterpret_cast<intptr_t>(handle_));
    case Prop::Positional:
        return positional_;
    case Prop::Use:
        return Value(use_);
    case Prop::Visible:
        return window_.isShown(*this);
    case Prop::Enabled:
        return window_.isEnabled(*this);
    case Prop::TrackMouse:
        return trackMouse_;
    default:
        return Value();
    }
}

bool Control::set(Prop prop, const Value& value, int32_t) {
    switch (prop) {
    case Prop::Text:
        text_ = value.text();
        if (handle_ != nullptr) {
            SetWindowTextA(handle_, text_.c_str());
        }
        textChanged();
        return true;
    case Prop::X:
    case Prop::Y:
    case Prop::Width:
    case Prop::Height: {
        Rect moved = area_;
        int32_t units = value.number32();
        if (prop == Prop::X) {
            moved.x = window_.toPixelsX(units);
        } else if (prop == Prop::Y) {
            moved.y = window_.toPixelsY(units);
        } else if (prop == Prop::Width) {
            moved.width = window_.toPixelsX(units);
            autoWidth_ = false;
        } else {
            moved.height = window_.toPixelsY(units);
            autoHeight_ = false;
        }
        place(moved);
        return true;
    }
    case Prop::FontName:
    case Prop::FontSize:
    case Prop::FontColour:
    case Prop::FontStyle:
        return setFontPart(prop, value);
    case Prop::Colour:
        colour_ = value.number32();
        colourBrush_.reset(colour_ == DefaultColour ? nullptr
                                                    : CreateSolidBrush(static_cast<COLORREF>(colour_)));
        if (handle_ != nullptr) {
            InvalidateRect(handle_, nullptr, TRUE);
        }
        return true;
    case Prop::Cursor:
        cursorName_ = value.text();
        cursor_ = loadCursor(cursorName_);
        return true;
    case Prop::Icon:
        iconName_ = value.text();
        icon_ = loadIcon(iconName_);
        iconChanged();
        return true;
    case Prop::Tooltip:
        tooltip_ = value.text();
        window_.controlChanged(*this);
        return true;
    case Prop::Message:
        message_ = value.text();
        return true;
    case Prop::Hidden:
        hidden_ = value.flag();
        window_.controlChanged(*this);
        return true;
    case Prop::Disabled:
        disabled_ = value.flag();
        window_.controlChanged(*this);
        return true;
    case Prop::Parent: {
        int32_t parent = value.number32();
        Control* holder = parent == 0 ? nullptr : window_.control(parent);
        if (parent != 0 && (holder == nullptr || !holder->isContainer() || parent == number_)) {
            return false;
        }
        parent_ = parent;
        window_.controlChanged(*this);
        return true;
    }
    case Prop::Positional:
        positional_ = value.flag();
        return true;
    case Prop::TrackMouse:
        trackMouse_ = value.flag();
        return true;
    default:
        return false;
    }
}

bool Control::setFontPart(Prop prop, const Value& value) {
    switch (prop) {
    case Prop::FontName:
        fontSpec_.typeface = value.text();
        break;
    case Prop::FontSize:
        fontSpec_.size = value.number32();
        break;
    case Prop::FontColour:
        fontSpec_.colour = value.number32();
        break;
    default:
        fontSpec_.style = value.number32();
        break;
    }
    applyFont();
    return true;
}

void Control::applyFont() {
    FontSpec own = effectiveFont();
    Font replaced = sameFace(own, window_.windowFontSpec()) ? Font() : createFont(own);
    if (handle_ != nullptr) {
        SendMessageA(handle_, WM_SETFONT,
                     reinterpret_cast<WPARAM>(replaced ? replaced.get() : window_.windowFont()), TRUE);
    }
    // The old font stays alive until the control no longer uses it.
    ownFont_ = std::move(replaced);
    fontChanged();
    if (handle_ != nullptr) {
        InvalidateRect(handle_, nullptr, TRUE);
    }
}

void Control::place(const Rect& area) {
    area_ = area;
    applyPosition();
    window_.controlChanged(*this);
}

void Control::applyPosition() {
    if (handle_ != nullptr) {
        Rect shown = handleArea();
        SetWindowPos(handle_, nullptr, shown.x, shown.y - window_.scrollOffset(), shown.width, shown.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Control::applyState() {
    if (handle_ == nullptr) {
        return;
    }
    bool shown = window_.isShown(*this);
    bool enabled = window_.isEnabled(*this);
    if (((GetWindowLongPtrA(handle_, GWL_STYLE) & WS_VISIBLE) != 0) != shown) {
        ShowWindow(handle_, shown ? SW_SHOWNA : SW_HIDE);
    }
    if ((IsWindowEnabled(handle_) != FALSE) != enabled) {
        EnableWindow(handle_, enabled);
    }
}

SIZE Control::naturalSize() const {
    return measureText(font(), text_.data(), text_.size());
}

void Control::resizeToNatural(bool width, bool height) {
    SIZE natural = naturalSize();
    if (width) {
        area_.width = natural.cx;
    }
    if (height) {
        area_.height = natural.cy;
    }
    if (handle_ != nullptr) {
        applyPosition();
        window_.controlChanged(*this);
    }
}

void Control::textChanged() {
    if (autoWidth_ || autoHeight_) {
        resizeToNatural(autoWidth_, autoHeight_);
    }
}

void Control::fontChanged() {
    if (autoWidth_ || autoHeight_) {
        resizeToNatural(autoWidth_, autoHeight_);
    }
}

Control::Commit Control::commit(bool) {
    return Commit::Unchanged;
}

void Control::onCommand(WORD) {}

std::optional<LRESULT> Control::onNotify(NMHDR&) {
    return std::nullopt;
}

HBRUSH Control::onColour(HDC dc) {
    return backgroundBrush(dc, true);
}

void Control::press() {}

HBRUSH Control::surfaceBrush(HDC dc, const Control&) {
    SetBkColor(dc, GetSysColor(COLOR_3DFACE));
    return GetSysColorBrush(COLOR_3DFACE);
}

void Control::setTextColour(HDC dc) const {
    int32_t colour = effectiveFont().colour;
    if (colour != DefaultColour) {
        SetTextColor(dc, static_cast<COLORREF>(colour));
    }
}

HBRUSH Control::backgroundBrush(HDC dc, bool transparentText) {
    setTextColour(dc);
    // The first colour found on the way out: its own, then its parents'; a
    // parent that paints its own surface ends the search with that surface.
    const Control* coloured = this;
    for (int depth = 0; coloured != nullptr && coloured->colour_ == DefaultColour && depth < 64; ++depth) {
        if (coloured != this && coloured->opaque()) {
            if (transparentText) {
                SetBkMode(dc, TRANSPARENT);
            }
            return const_cast<Control*>(coloured)->surfaceBrush(dc, *this);
        }
        coloured = coloured->parent_ == 0 ? nullptr : window_.control(coloured->parent_);
    }
    if (coloured != nullptr && coloured->colour_ != DefaultColour) {
        SetBkColor(dc, static_cast<COLORREF>(coloured->colour_));
        if (transparentText) {
            SetBkMode(dc, TRANSPARENT);
        }
        return coloured->colourBrush_.get();
    }
    if (transparentText) {
        SetBkMode(dc, TRANSPARENT);
    }
    return window_.backgroundBrush(dc, *this);
}

} // namespace runtime::ui
