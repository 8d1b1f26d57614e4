// Spin boxes: an entry with up and down arrows that step its value, a number
// from `low` to `high` in steps of `step`, or one of the definition's `from`
// items ("Small|Medium|Large") in turn. The arrows, the Up and Down keys and
// the wheel step the value, store it in the bound variable and give the
// new-selection event; typing is read through the picture when the focus
// leaves, and a value out of range (or not among the items) is rejected.
#pragma once

#include <memory>

#include "runtime/ui/control.h"
#include "runtime/ui/row_queue.h"
#include "runtime/ui/shapes.h"

namespace runtime::ui {

class Spin : public Control {
public:
    Spin(Window& window, const ControlDefinition& definition, const Rect& area);
    ~Spin() override;
    Value get(Prop prop, int32_t index) const override;
    bool set(Prop prop, const Value& value, int32_t index) override;
    bool acceptsInput() const override { return true; }
    void display() override;
    Commit commit(bool always) override;
    void onFocus() override;

protected:
    HWND createHandle(HWND canvas, DWORD style, int win32Id, const RECT& place) override;
    SIZE naturalSize() const override;
    std::string currentText() const override;
    void fontChanged() override;

private:
    static LRESULT CALLBACK editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR spin);
    std::optional<LRESULT> message(UINT message, WPARAM wParam, LPARAM lParam);
    void placeParts();
    void stepBy(int steps);
    void show(const std::string& text);
    // The item the text names (0-based), or -1.
    int itemOf(const std::string& text) const;
    std::string itemText(size_t item) const;
    bool hasItems() const { return items_ != nullptr && !items_->empty(); }

    OwnDrawnWindow surface_;
    HWND edit_ = nullptr;
    HWND arrows_ = nullptr;
    std::unique_ptr<RowQueue> items_;
    std::string picture_;
    int32_t low_;
    int32_t high_;
    int32_t step_;
};

} // namespace runtime::ui
