#include "runtime/ui/buttons.h"

#include <windows.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/text/strings.h"
#include "runtime/ui/variable_text.h"
#include "runtime/ui/window.h"

namespace runtime::ui {
namespace {

HWND makeButton(HWND canvas, DWORD style, int win32Id, const RECT& place, const std::string& text) {
    return CreateWindowExA(0, "BUTTON", text.c_str(), style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, canvas,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)), GetModuleHandleA(nullptr),
                           nullptr);
}

std::string withoutMnemonic(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        plain.push_back(text[i]);
    }
    return plain;
}

// The box and the gap before the text of check boxes and radio buttons.
int markWidth() {
    return GetSystemMetrics(SM_CXMENUCHECK) + 4;
}

} // namespace

// ---- Push buttons -------------------------------------------------------------

PushButton::PushButton(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), default_((definition.flags & attr::Default) != 0),
      standardClose_((definition.flags & attr::StandardClose) != 0) {}

HWND PushButton::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    win32Id_ = win32Id;
    if (isTool()) {
        // Tab passes tools by: they act on the fields, they are not one.
        HWND button = makeButton(canvas, (style & ~static_cast<DWORD>(WS_TABSTOP)) | BS_OWNERDRAW, win32Id,
                                 place, text_);
        makeTool(button);
        return button;
    }
    style |= (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY;
    if (!iconName_.empty()) {
        style |= BS_ICON;
    }
    HWND button = makeButton(canvas, style, win32Id, place, text_);
    if (button != nullptr && default_) {
        SendMessageA(canvas, DM_SETDEFID, static_cast<WPARAM>(win32Id), 0);
    }
    return button;
}

SIZE PushButton::naturalSize() const {
    std::string shown = withoutMnemonic(text_);
    SIZE text = measureText(font(), shown.data(), shown.size());
    return {std::max<LONG>(text.cx + window().dialogX(10), window().dialogX(50)),
            std::max<LONG>(text.cy + 8, window().dialogY(14))};
}

void PushButton::iconChanged() {
    if (handle() == nullptr) {
        return;
    }
    if (!tool_) {
        LONG_PTR style = GetWindowLongPtrA(handle(), GWL_STYLE);
        style = icon_ ? (style | BS_ICON) : (style & ~static_cast<LONG_PTR>(BS_ICON));
        SetWindowLongPtrA(handle(), GWL_STYLE, style);
    }
    int side = std::min(area().width, area().height) - 4;
    int size = std::clamp(side, 8, GetSystemMetrics(SM_CXICON));
    if (icon_) {
        // A size that fits the button: icons come in several sizes.
        icon_ =
            loadIcon(iconName_, size <= GetSystemMetrics(SM_CXSMICON) ? GetSystemMetrics(SM_CXSMICON) : size);
    }
    SendMessageA(handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_.get()));
    InvalidateRect(handle(), nullptr, TRUE);
}

void PushButton::onCommand(WORD code) {
    if (code == BN_CLICKED) {
        window().pressed(*this);
    } else if (code == BN_SETFOCUS) {
        window().focused(*this);
    }
}

void PushButton::press() {
    if (handle() != nullptr) {
        SendMessageA(handle(), BM_CLICK, 0, 0);
    }
}

Value PushButton::get(Prop prop, int32_t index) const {
    if (prop == Prop::Default) {
        return default_;
    }
    if (prop == Prop::StandardClose) {
        return standardClose_;
    }
    return Control::get(prop, index);
}

bool PushButton::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::Default) {
        default_ = value.flag();
        HWND canvas = window().canvasHandle();
        if (default_) {
            SendMessageA(canvas, DM_SETDEFID, static_cast<WPARAM>(win32Id_), 0);
        } else if (LOWORD(SendMessageA(canvas, DM_GETDEFID, 0, 0)) == win32Id_) {
            SendMessageA(canvas, DM_SETDEFID, 0, 0);
            SendMessageA(handle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        }
        return true;
    }
    if (prop == Prop::StandardClose) {
        standardClose_ = value.flag();
        return true;
    }
    return Control::set(prop, value, index);
}

// ---- Check boxes --------------------------------------------------------------

HWND CheckBox::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    style |= BS_AUTOCHECKBOX | BS_NOTIFY;
    if ((flags_ & attr::Right) != 0) {
        style |= BS_LEFTTEXT | BS_RIGHT;
    }
    return makeButton(canvas, style, win32Id, place, text_);
}

SIZE CheckBox::naturalSize() const {
    std::string shown = withoutMnemonic(text_);
    SIZE text = measureText(font(), shown.data(), shown.size());
    return {text.cx + markWidth() + 2, std::max<LONG>(text.cy, GetSystemMetrics(SM_CYMENUCHECK)) + 2};
}

void CheckBox::display() {
    if (variable().bound() && handle() != nullptr) {
        SendMessageA(handle(), BM_SETCHECK, variableNumber(variable()) != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

Control::Commit CheckBox::commit(bool always) {
    if (!always) {
        return Commit::Unchanged; // a click stores at once
    }
    if (variable().bound()) {
        setVariableNumber(variable(), get(Prop::Checked, 0).flag() ? 1 : 0);
    }
    return Commit::Accepted;
}

void CheckBox::onCommand(WORD code) {
    if (code == BN_CLICKED) {
        if (variable().bound()) {
            setVariableNumber(variable(), get(Prop::Checked, 0).flag() ? 1 : 0);
        }
        window().pressed(*this);
    } else if (code == BN_SETFOCUS) {
        window().focused(*this);
    }
}

void CheckBox::press() {
    if (handle() != nullptr) {
        SendMessageA(handle(), BM_CLICK, 0, 0);
    }
}

Value CheckBox::get(Prop prop, int32_t index) const {
    if (prop == Prop::Checked) {
        return handle() != nullptr && SendMessageA(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return Control::get(prop, index);
}

bool CheckBox::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::Checked) {
        if (handle() != nullptr) {
            SendMessageA(handle(), BM_SETCHECK, value.flag() ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        return true;
    }
    return Control::set(prop, value, index);
}

// ---- Option boxes -------------------------------------------------------------

HWND OptionBox::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    if ((flags_ & attr::NoFrame) != 0) {
        return CreateWindowExA(WS_EX_TRANSPARENT, "STATIC", "", style | SS_NOPREFIX, place.left, place.top,
                               place.right - place.left, place.bottom - place.top, canvas,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)),
                               GetModuleHandleA(nullptr), nullptr);
    }
    HWND frame = makeButton(canvas, style | BS_GROUPBOX, win32Id, place, text_);
    // Transparent, so the content's background is painted inside the frame.
    SetWindowLongPtrA(frame, GWL_EXSTYLE, GetWindowLongPtrA(frame, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    return frame;
}

std::vector<RadioButton*> OptionBox::radios() const {
    std::vector<RadioButton*> held;
    for (int32_t number : window().fields()) {
        Control* control = window().control(number);
        if (control != nullptr && control->parent() == this->number()) {
            if (auto* radio = dynamic_cast<RadioButton*>(control)) {
                held.push_back(radio);
            }
        }
    }
    return held;
}

void OptionBox::display() {
    if (!variable().bound()) {
        return;
    }
    std::vector<RadioButton*> held = radios();
    bool textual = variable().field.isText();
    std::string wanted = variableText(variable());
    int64_t position = variableNumber(variable());
    for (size_t i = 0; i < held.size(); ++i) {
        bool chosen = textual ? text::equalNoCase(text::trim(held[i]->value()), text::trim(wanted))
                              : static_cast<int64_t>(i + 1) == position;
        held[i]->setChecked(chosen);
    }
}

void OptionBox::store(int position, RadioButton& radio) {
    if (!variable().bound()) {
        return;
    }
    if (variable().field.isText()) {
        setVariableText(variable(), radio.value());
    } else {
        setVariableNumber(variable(), position);
    }
}

Control::Commit OptionBox::commit(bool always) {
    if (!always) {
        return Commit::Unchanged;
    }
    std::vector<RadioButton*> held = radios();
    for (size_t i = 0; i < held.size(); ++i) {
        if (held[i]->checked()) {
            store(static_cast<int>(i + 1), *held[i]);
        }
    }
    return Commit::Accepted;
}

void OptionBox::chosen(RadioButton& radio) {
    std::vector<RadioButton*> held = radios();
    auto found = std::find(held.begin(), held.end(), &radio);
    if (found == held.end()) {
        return;
    }
    for (RadioButton* other : held) {
        if (other != &radio) {
            other->setChecked(false);
        }
    }
    store(static_cast<int>(found - held.begin()) + 1, radio);
    window().pressed(*this);
}

Value OptionBox::get(Prop prop, int32_t index) const {
    if (prop == Prop::Choice) {
        std::vector<RadioButton*> held = radios();
        for (size_t i = 0; i < held.size(); ++i) {
            if (held[i]->checked()) {
                return static_cast<int64_t>(i + 1);
            }
        }
        return 0;
    }
    return Control::get(prop, index);
}

bool OptionBox::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::Choice) {
        std::vector<RadioButton*> held = radios();
        for (size_t i = 0; i < held.size(); ++i) {
            held[i]->setChecked(static_cast<int64_t>(i + 1) == value.number());
        }
        return true;
    }
    return Control::set(prop, value, index);
}

// ---- Radio buttons ------------------------------------------------------------

RadioButton::RadioButton(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), value_(definition.value) {}

HWND RadioButton::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    // Only the first radio of an option starts a group and is reached with
    // Tab; the arrow keys move between the others, as in any dialog.
    for (int32_t number : window().fields()) {
        Control* other = window().control(number);
        if (other != nullptr && other != this && other->parent() == parent() &&
            other->kind() == runtime::kind::Radio) {
            style &= ~static_cast<DWORD>(WS_GROUP | WS_TABSTOP);
            break;
        }
    }
    return makeButton(canvas, style | BS_AUTORADIOBUTTON | BS_NOTIFY, win32Id, place, text_);
}

SIZE RadioButton::naturalSize() const {
    std::string shown = withoutMnemonic(text_);
    SIZE text = measureText(font(), shown.data(), shown.size());
    return {text.cx + markWidth() + 2, std::max<LONG>(text.cy, GetSystemMetrics(SM_CYMENUCHECK)) + 2};
}

bool RadioButton::checked() const {
    return handle() != nullptr && SendMessageA(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::setChecked(bool checked) {
    if (handle() != nullptr) {
        SendMessageA(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

std::string RadioButton::value() const {
    return value_.empty() ? withoutMnemonic(get(Prop::Text, 0).text()) : value_;
}

void RadioButton::onCommand(WORD code) {
    if (code == BN_SETFOCUS) {
        window().focused(*this);
        return;
    }
    if (code != BN_CLICKED || !checked()) {
        return;
    }
    if (auto* option = dynamic_cast<OptionBox*>(window().control(parent()))) {
        option->chosen(*this);
    } else {
        window().pressed(*this);
    }
}

void RadioButton::press() {
    if (handle() != nullptr) {
        SendMessageA(handle(), BM_CLICK, 0, 0);
    }
}

Value RadioButton::get(Prop prop, int32_t index) const {
    if (prop == Prop::Checked) {
        return checked();
    }
    if (prop == Prop::Value) {
        return Value(value());
    }
    return Control::get(prop, index);
}

bool RadioButton::set(Prop prop, const Value& value, int32_t index) {
    if (prop == Prop::Checked) {
        setChecked(value.flag());
        return true;
    }
    if (prop == Prop::Value) {
        value_ = value.text();
        return true;
    }
    return Control::set(prop, value, index);
}

} // namespace runtime::ui
