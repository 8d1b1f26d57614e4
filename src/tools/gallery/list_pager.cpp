#include "list_pager.h"

#include <algorithm>

#include "runtime/sys/events.h"

namespace gallery {

using runtime::ui::Prop;
namespace event = runtime::event;

ListPager::ListPager(runtime::ui::Window& window, int32_t list, runtime::ui::Queue<Customer>& rows,
                     const GeneratedRows& source)
    : window_(window), list_(list), rows_(rows), source_(source) {}

size_t ListPager::pageSize() const {
    return static_cast<size_t>(std::max<int64_t>(window_.get(list_, Prop::Items).number(), 1));
}

size_t ListPager::lastFirst() const {
    size_t page = pageSize();
    return source_.count() > page ? source_.count() - page : 0;
}

void ListPager::reset() {
    showFrom(0);
}

void ListPager::showFrom(size_t first) {
    first_ = std::min(first, lastFirst());
    selected_ = 1;
    show();
}

void ListPager::selectionChanged() {
    selected_ = static_cast<size_t>(std::max<int64_t>(window_.get(list_, Prop::Choice).number(), 1));
}

bool ListPager::take(int32_t scroll) {
    if (window_.eventControl() != list_) {
        return false;
    }
    size_t page = pageSize();
    size_t shown = std::min(page, source_.count() - std::min(first_, source_.count()));
    switch (scroll) {
    case event::ScrollUp:
        if (selected_ > 1) {
            --selected_;
        } else if (first_ > 0) {
            --first_;
        }
        break;
    case event::ScrollDown:
        if (selected_ < shown) {
            ++selected_;
        } else if (first_ < lastFirst()) {
            ++first_;
        }
        break;
    case event::PageUp:
        if (first_ == 0) {
            selected_ = 1; // on the first page the selection moves instead
        }
        first_ -= std::min(first_, page);
        break;
    case event::PageDown:
        if (first_ == lastFirst()) {
            selected_ = shown;
        }
        first_ = std::min(first_ + page, lastFirst());
        break;
    case event::ScrollTop:
        first_ = 0;
        selected_ = 1;
        break;
    case event::ScrollBottom:
        first_ = lastFirst();
        selected_ = std::min(page, source_.count());
        break;
    case event::ScrollDrag: {
        auto thumb =
            static_cast<size_t>(std::clamp<int64_t>(window_.get(list_, Prop::Thumb).number(), 0, 100));
        first_ = lastFirst() * thumb / 100;
        break;
    }
    default:
        return false;
    }
    show();
    return true;
}

void ListPager::show() {
    size_t page = pageSize();
    rows_.clear();
    for (size_t row = first_; row < source_.count() && row < first_ + page; ++row) {
        rows_.append(source_.row(row));
    }
    selected_ = std::clamp<size_t>(selected_, rows_.empty() ? 0 : 1, rows_.count());
    window_.display(list_);
    window_.set(list_, Prop::Choice, static_cast<int64_t>(selected_));
    size_t last = lastFirst();
    window_.set(list_, Prop::Thumb, last == 0 ? 0 : static_cast<int64_t>(first_ * 100 / last));
}

} // namespace gallery
