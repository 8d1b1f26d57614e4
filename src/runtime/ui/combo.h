// Combo boxes: a drop-down list of items, the rows of a queue (the first
// column, or the row's text) or the "|"-separated items of the definition's
// `from`. With attr::Editable the user may also type a value, which is read
// through the control's picture like an entry's (rejected when refused).
// The chosen item's text is stored in the bound variable; choosing gives the
// new-selection event and, for a list without typing, the accepted event.
// Window::display(combo) reads the items again.
#pragma once

#include <memory>

#include "runtime/ui/control.h"
#include "runtime/ui/list_format.h"
#include "runtime/ui/row_queue.h"

namespace runtime::ui {

class Combo : public Control {
public:
    Combo(Window& window, const ControlDefinition& definition, const Rect& area);
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    bool acceptsInput() const override { return true; }
    void display() override;
    Commit commit(bool always) override;
    void onCommand(WORD code) override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    bool takesFocus() const override { return true; }
    SIZE naturalSize() const override;
    Rect handleArea() const override;
    std::string currentText() const override;

private:
    bool editable() const { return (flags_ & attr::Editable) != 0; }
    void fillItems();
    std::string itemText(size_t row) const;

    RowQueue* rows_;
    std::unique_ptr<RowQueue> ownRows_;
    std::vector<ListColumn> columns_;
    std::string picture_;
    bool changed_ = false;
};

} // namespace runtime::ui
