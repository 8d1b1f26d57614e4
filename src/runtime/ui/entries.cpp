#include "runtime/ui/entries.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "runtime/text/picture.h"
#include "runtime/ui/variable_text.h"
#include "runtime/ui/window.h"
#include "runtime/ui/window_text.h"

namespace runtime::ui {
namespace {

// The longest line handed out, as the programs reading lines expect.
constexpr int MaxLine = 511;

} // namespace

Entry::Entry(Window& window, const ControlDefinition& definition, const Rect& area)
    : Control(window, definition, area), picture_(definition.picture) {}

DWORD Entry::editStyle() const {
    DWORD style = ES_AUTOHSCROLL;
    if ((flags_ & attr::Password) != 0) {
        style |= ES_PASSWORD;
    }
    if ((flags_ & attr::Upper) != 0) {
        style |= ES_UPPERCASE;
    }
    if ((flags_ & attr::ReadOnly) != 0) {
        style |= ES_READONLY;
    }
    if ((flags_ & attr::Right) != 0) {
        style |= ES_RIGHT;
    } else if ((flags_ & attr::Centre) != 0) {
        style |= ES_CENTER;
    }
    return style;
}

HWND Entry::createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) {
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style | editStyle(), place.left, place.top,
                                place.right - place.left, place.bottom - place.top, canvas,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32Id)),
                                GetModuleHandleA(nullptr), nullptr);
    if (edit != nullptr && !variable().bound()) {
        SetWindowTextA(edit, text_.c_str());
    }
    if (edit != nullptr) {
        SetWindowSubclass(edit, typingFilter, 1, reinterpret_cast<DWORD_PTR>(this));
        handle_ = edit;
        applyPicture();
    }
    return edit;
}

Entry::~Entry() {
    if (handle() != nullptr) {
        RemoveWindowSubclass(handle(), typingFilter, 1);
    }
}

void Entry::applyPicture() {
    if (handle() == nullptr) {
        return;
    }
    std::optional<text::Picture> parsed = text::Picture::parse(picture_);
    // 0 lifts the limit back to the system's.
    SendMessageA(handle(), EM_SETLIMITTEXT, parsed ? static_cast<WPARAM>(parsed->width()) : 0, 0);
}

bool Entry::typeable(char character) const {
    std::optional<text::Picture> parsed = text::Picture::parse(picture_);
    if (!parsed || static_cast<unsigned char>(character) < ' ') {
        return true; // control characters edit, they do not type
    }
    if (character >= '0' && character <= '9') {
        return true;
    }
    switch (parsed->kind()) {
    case text::Picture::Kind::String:
        return true;
    case text::Picture::Kind::Date:
        return character == '-' || character == '/';
    case text::Picture::Kind::Number:
        return character == ' ' || (character == '-' && parsed->allowsNegative()) ||
               (character == '.' && parsed->places() > 0) || (character == ',' && parsed->grouped());
    }
    return true;
}

LRESULT CALLBACK Entry::typingFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR entry) {
    if (message == WM_CHAR && !reinterpret_cast<Entry*>(entry)->typeable(static_cast<char>(wParam))) {
        MessageBeep(MB_OK);
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

SIZE Entry::naturalSize() const {
    SIZE line = measureText(font(), "Xg", 2);
    int border = 2 * GetSystemMetrics(SM_CYEDGE) + 2;
    return {window().dialogX(80), line.cy + border + 2};
}

std::string Entry::currentText() const {
    return handle() == nullptr ? text_ : windowText(handle());
}

void Entry::showQuietly(const std::string& text) {
    if (handle() == nullptr) {
        return;
    }
    if (windowText(handle()) != text) {
        SetWindowTextA(handle(), text.c_str());
    }
    SendMessageA(handle(), EM_SETMODIFY, FALSE, 0);
}

void Entry::display() {
    if (variable().bound()) {
        showQuietly(showVariable(variable(), picture_));
    }
}

Control::Commit Entry::commit(bool always) {
    if (handle() == nullptr) {
        return Commit::Unchanged;
    }
    bool modified = SendMessageA(handle(), EM_GETMODIFY, 0, 0) != 0;
    if (!modified && !always) {
        return Commit::Unchanged;
    }
    std::string entered = windowText(handle());
    if (!variable().bound()) {
        text_ = entered;
        SendMessageA(handle(), EM_SETMODIFY, FALSE, 0);
        return Commit::Accepted;
    }
    if (!storeVariable(variable(), picture_, entered)) {
        return Commit::Rejected;
    }
    display(); // as the picture shows it
    return Commit::Accepted;
}

void Entry::onCommand(WORD code) {
    if (code == EN_SETFOCUS) {
        window().focused(*this);
    } else if (code == EN_KILLFOCUS) {
        window().leftFocus(*this);
    }
}

void Entry::onFocus() {
    if (handle() != nullptr) {
        SendMessageA(handle(), EM_SETSEL, 0, -1);
    }
}

HBRUSH Entry::onColour(HDC dc) {
    int32_t colour = get(Prop::Colour, 0).number32();
    setTextColour(dc);
    if (colour != DefaultColour) {
        return backgroundBrush(dc, false);
    }
    return nullptr; // the system's field colours
}

Value Entry::get(Prop prop, int32_t index) const {
    switch (prop) {
    case Prop::ReadOnly:
        return handle() != nullptr && (GetWindowLongPtrA(handle(), GWL_STYLE) & ES_READONLY) != 0;
    case Prop::Picture:
        return Value(picture_);
    case Prop::SelStart:
    case Prop::SelEnd: {
        DWORD start = 0;
        DWORD end = 0;
        if (handle() != nullptr) {
            SendMessageA(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
        }
        return static_cast<int64_t>(prop == Prop::SelStart ? start : end) + 1;
    }
    default:
        return Control::get(prop, index);
    }
}

bool Entry::set(Prop prop, const Value& value, int32_t index) {
    switch (prop) {
    case Prop::ReadOnly:
        if (handle() != nullptr) {
            SendMessageA(handle(), EM_SETREADONLY, value.flag(), 0);
        }
        return true;
    case Prop::Picture:
        picture_ = value.text();
        applyPicture();
        display();
        return true;
    case Prop::SelStart:
    case Prop::SelEnd: {
        if (handle() == nullptr) {
            return true;
        }
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        auto position = static_cast<DWORD>(std::max<int64_t>(value.number() - 1, 0));
        // Setting the start puts the cursor there with nothing selected; the
        // end then extends the selection.
        if (prop == Prop::SelStart) {
            start = position;
            end = position;
        } else {
            end = position;
        }
        SendMessageA(handle(), EM_SETSEL, start, static_cast<LPARAM>(end));
        return true;
    }
    case Prop::Text:
        text_ = value.text();
        showQuietly(text_);
        return true;
    default:
        return Control::set(prop, value, index);
    }
}

DWORD TextBox::editStyle() const {
    DWORD style = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
    if ((flags_ & attr::ReadOnly) != 0) {
        style |= ES_READONLY;
    }
    return style;
}

SIZE TextBox::naturalSize() const {
    return {window().dialogX(120), window().dialogY(40)};
}

void TextBox::display() {
    if (variable().bound()) {
        showQuietly(variableText(variable()));
    }
}

Control::Commit TextBox::commit(bool always) {
    if (handle() == nullptr) {
        return Commit::Unchanged;
    }
    bool modified = SendMessageA(handle(), EM_GETMODIFY, 0, 0) != 0;
    if (!modified && !always) {
        return Commit::Unchanged;
    }
    std::string entered = windowText(handle());
    if (variable().bound()) {
        setVariableText(variable(), entered);
    } else {
        text_ = entered;
    }
    SendMessageA(handle(), EM_SETMODIFY, FALSE, 0);
    return Commit::Accepted;
}

Value TextBox::get(Prop prop, int32_t index) const {
    if (prop == Prop::LineCount) {
        return handle() == nullptr ? 0 : static_cast<int64_t>(SendMessageA(handle(), EM_GETLINECOUNT, 0, 0));
    }
    if (prop == Prop::Line) {
        if (handle() == nullptr || index < 1 ||
            index > static_cast<int32_t>(SendMessageA(handle(), EM_GETLINECOUNT, 0, 0))) {
            return Value(std::string());
        }
        char buffer[MaxLine + 1] = {};
        *reinterpret_cast<WORD*>(buffer) = MaxLine;
        LRESULT copied = SendMessageA(handle(), EM_GETLINE, static_cast<WPARAM>(index - 1),
                                      reinterpret_cast<LPARAM>(buffer));
        return Value(std::string(buffer, static_cast<size_t>(std::clamp<LRESULT>(copied, 0, MaxLine))));
    }
    return Entry::get(prop, index);
}

} // namespace runtime::ui
