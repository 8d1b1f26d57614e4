// A view over one keyed file: an order (key component names, "UPPER(" name ")"
// for no-case text, a leading "-" for descending, separated by commas; empty
// for the order records were added in) and a filter expression over bound
// names (runtime/expr/expression.h), read page by page. The order must be
// given by one of the file's keys, read forward or backward.
//
// set starts the view at its beginning (next reads the first record, previous
// the last); reset starts at a position, resetTo at the values the record
// buffer holds in the order's first n components. next and previous give 33
// at either end and leave the record buffer as the last record read left it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/files/keyed_file.h"

namespace runtime::expr {
class Expression;
}

namespace runtime::files {

class View {
public:
    explicit View(KeyedFile& primary);
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Refused (error 800) when the text is malformed or no key gives the order.
    bool setOrder(std::string_view order);
    // Refused (error 800, with the parser's text) when malformed; the view then
    // keeps its previous filter. Empty removes the filter.
    bool setFilter(std::string_view filter);
    // Buffering hints: accepted; pages are read as they are asked for.
    void setBuffering(uint16_t pageSize, uint16_t pagesBehind, uint16_t pagesAhead, uint16_t timeOut);

    bool open();
    bool close();
    bool isOpen() const { return open_; }
    bool set();
    bool reset(std::string_view position);
    bool resetTo(size_t leadingParts);
    bool next();
    bool previous();
    std::string position();

private:
    bool step(bool forward);

    KeyedFile& file_;
    int key_ = PhysicalOrder;
    bool reversed_ = false;
    std::unique_ptr<expr::Expression> filter_;
    std::string saved_; // the record buffer as a step found it
    bool open_ = false;
    uint16_t pageSize_ = 20, pagesBehind_ = 2, pagesAhead_ = 0, timeOut_ = 60;
};

} // namespace runtime::files
