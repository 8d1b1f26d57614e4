#include "runtime/ui/combo.h"

#include <windows.h>

#include <algorithm>

#include "runtime/sys/events.h"
#include "runtime/text/strings.h"
#include "runtime/ui/variable_text.h"
#include "runtime/ui/window.h"
#include "runtime/ui/window_text.h"

namespace runtime::ui {

Combo::Combo(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), rows_(definition.rows), columns_(definition.columns),
      picture_(definition.picture) {
    if (rows_ == nullptr) {
        ownRows_ = rowsFromItems(definition.from);
        rows_ = ownRows_.get();
    }
}

Rect Combo::handleArea() const {
    // The window of a combo box reaches down over its dropped list.
    Rect shown = area();
    shown.height += window().dialogY(80);
    return shown;
}

SIZE Combo::naturalSize() const {
    SIZE line = measureText(font(), "Xg", 2);
    return {window().dialogX(80), line.cy + 2 * GetSystemMetrics(SM_CYEDGE) + 4};
}

HWND Combo::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    style |= WS_VSCROLL | CBS_AUTOHSCROLL | (editable() ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
    HWND combo = CreateWindowExA(
        0, "COMBOBOX", "", style, place.left, place.top, place.right - place.left, place.bottom - place.top,
        canvas, reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)), GetModuleHandleA(nullptr), nullptr);
    if (combo != nullptr) {
        // The closed box is as high as the definition says.
        SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     std::max<LPARAM>(area().height - 2 * GetSystemMetrics(SM_CYEDGE) - 2, 8));
    }
    return combo;
}

std::string Combo::itemText(size_t row) const {
    const std::byte* bytes = rows_->row(row);
    if (bytes == nullptr) {
        return {};
    }
    auto* base = const_cast<std::byte*>(bytes); // read only
    if (columns_.empty()) {
        files::Field whole{"", files::FieldType::String, 0, static_cast<uint32_t>(rows_->recordSize())};
        return std::string(text::clip(files::readText(whole, base)));
    }
    const ListColumn& first = columns_.front();
    if (first.field.offset + first.field.width > rows_->recordSize()) {
        return {};
    }
    return showVariable(Variable{first.field, base}, first.picture);
}

void Combo::fillItems() {
    if (handle() == nullptr) {
        return;
    }
    SendMessageA(handle(), CB_RESETCONTENT, 0, 0);
    for (size_t row = 0; row < rows_->count(); ++row) {
        std::string text = itemText(row);
        SendMessageA(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void Combo::display() {
    fillItems();
    if (handle() == nullptr || !variable().bound()) {
        return;
    }
    std::string wanted(text::trim(showVariable(variable(), picture_)));
    int chosen = -1;
    for (size_t row = 0; row < rows_->count(); ++row) {
        if (text::equalNoCase(text::trim(itemText(row)), wanted)) {
            chosen = static_cast<int>(row);
            break;
        }
    }
    SendMessageA(handle(), CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    if (editable() && chosen < 0) {
        SetWindowTextA(handle(), wanted.c_str());
    }
    changed_ = false;
}

std::string Combo::currentText() const {
    if (handle() == nullptr) {
        return text_;
    }
    if (editable()) {
        return windowText(handle());
    }
    auto chosen = SendMessageA(handle(), CB_GETCURSEL, 0, 0);
    return chosen < 0 ? std::string() : itemText(static_cast<size_t>(chosen));
}

Control::Commit Combo::commit(bool always) {
    if (handle() == nullptr || (!changed_ && !always)) {
        return Commit::Unchanged;
    }
    std::string entered = currentText();
    changed_ = false;
    if (!variable().bound()) {
        text_ = entered;
        return Commit::Accepted;
    }
    if (!storeVariable(variable(), picture_, entered)) {
        changed_ = true;
        return Commit::Rejected;
    }
    return Commit::Accepted;
}

void Combo::onCommand(WORD code) {
    switch (code) {
    case CBN_SETFOCUS:
        window().focused(*this);
        break;
    case CBN_KILLFOCUS:
        window().leftFocus(*this);
        break;
    case CBN_EDITCHANGE:
        changed_ = true;
        break;
    case CBN_SELCHANGE:
        changed_ = true;
        window().queue(event::NewSelection, number());
        if (!editable()) {
            // A list without typing takes the choice at once.
            window().queue(commit(false) == Commit::Rejected ? event::Rejected : event::Accepted, number());
        }
        break;
    default:
        break;
    }
}

Value Combo::get(Prop prop, int32_t index) const {
    switch (prop) {
    case Prop::Choice:
        return handle() == nullptr ? 0 : static_cast<int64_t>(SendMessageA(handle(), CB_GETCURSEL, 0, 0)) + 1;
    case Prop::Picture:
        return Value(picture_);
    default:
        return Control::get(prop, index);
    }
}

bool Combo::set(Prop prop, const Value& value, int32_t index) {
    switch (prop) {
    case Prop::Choice:
        if (handle() != nullptr) {
            SendMessageA(handle(), CB_SETCURSEL, static_cast<WPARAM>(value.number() - 1), 0);
            changed_ = true;
        }
        return true;
    case Prop::Picture:
        picture_ = value.text();
        display();
        return true;
    case Prop::Text:
        text_ = value.text();
        if (handle() != nullptr) {
            auto found = SendMessageA(handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text_.c_str()));
            SendMessageA(handle(), CB_SETCURSEL, static_cast<WPARAM>(found), 0);
            if (editable() && found == CB_ERR) {
                SetWindowTextA(handle(), text_.c_str());
            }
        }
        return true;
    default:
        return Control::set(prop, value, index);
    }
}

} // namespace runtime::ui
