#include "runtime/files/view.h"

#include "runtime/expr/expression.h"
#include "runtime/sys/errors.h"
#include "runtime/text/strings.h"

namespace runtime::files {

View::View(KeyedFile& primary) : file_(primary) {}
View::~View() = default;

bool View::setOrder(std::string_view order) {
    clearError();
    if (text::trim(order).empty()) {
        key_ = PhysicalOrder;
        reversed_ = false;
        return true;
    }
    auto parts = expr::parseOrder(order);
    if (!parts) {
        return false;
    }
    const Declaration& decl = file_.declaration();
    for (size_t k = 0; k < decl.keys.size(); ++k) {
        const KeyDecl& key = decl.keys[k];
        if (parts->size() > key.parts.size() && key.duplicates) {
            continue;
        }
        bool matches = !parts->empty();
        bool reversed = parts->front().descending != key.parts.front().descending;
        for (size_t i = 0; matches && i < parts->size() && i < key.parts.size(); ++i) {
            const expr::OrderComponent& c = (*parts)[i];
            const Field& f = decl.fields[key.parts[i].field];
            matches = text::equalNoCase(c.name, f.name) &&
                      (c.descending != key.parts[i].descending) == reversed &&
                      (!f.isText() || c.upper == key.noCase);
        }
        if (matches) {
            key_ = static_cast<int>(k);
            reversed_ = reversed;
            return true;
        }
    }
    setError(err::InvalidExpression, "No key of the file gives the order " + std::string(order));
    return false;
}

bool View::setFilter(std::string_view filter) {
    clearError();
    if (text::trim(filter).empty()) {
        filter_.reset();
        return true;
    }
    std::vector<expr::Binding> own;
    for (const Field& f : file_.declaration().fields) {
        own.push_back({f, file_.record()});
    }
    auto parsed = expr::Expression::parse(filter, own);
    if (!parsed) {
        return false;
    }
    filter_ = std::make_unique<expr::Expression>(std::move(*parsed));
    return true;
}

void View::setBuffering(uint16_t pageSize, uint16_t pagesBehind, uint16_t pagesAhead, uint16_t timeOut) {
    pageSize_ = pageSize;
    pagesBehind_ = pagesBehind;
    pagesAhead_ = pagesAhead;
    timeOut_ = timeOut;
}

bool View::open() {
    clearError();
    if (!file_.isOpen()) {
        setError(err::FileNotOpen);
        return false;
    }
    open_ = true;
    return set();
}

bool View::close() {
    clearError();
    open_ = false;
    return true;
}

bool View::set() {
    if (!open_) {
        setError(err::FileNotOpen);
        return false;
    }
    return file_.set(key_);
}

bool View::reset(std::string_view position) {
    if (!open_) {
        setError(err::FileNotOpen);
        return false;
    }
    return file_.reset(position);
}

bool View::resetTo(size_t leadingParts) {
    if (!open_) {
        setError(err::FileNotOpen);
        return false;
    }
    if (key_ == PhysicalOrder || leadingParts == 0) {
        return file_.set(key_);
    }
    return file_.setAt(key_, leadingParts);
}

bool View::step(bool forward) {
    if (!open_) {
        setError(err::FileNotOpen);
        return false;
    }
    // Records the filter turns down must not be left in the buffer at the end.
    std::string& saved = saved_;
    saved.assign(static_cast<const char*>(file_.record()), file_.declaration().recordSize);
    bool ahead = forward != reversed_;
    for (;;) {
        if (!(ahead ? file_.next() : file_.previous())) {
            if (errorcode() == err::NoRecord) {
                std::memcpy(file_.record(), saved.data(), saved.size());
            }
            return false;
        }
        if (!filter_ || filter_->test()) {
            return true;
        }
    }
}

bool View::next() {
    return step(true);
}

bool View::previous() {
    return step(false);
}

std::string View::position() {
    return file_.position(key_);
}

} // namespace runtime::files
