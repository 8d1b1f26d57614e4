// The rows a list or combo box shows: a queue of records of one fixed size,
// owned by the program, in the order they are shown. The program fills it
// (a page at a time for a browse, all rows for a short list), then asks the
// control to show it again with Window::display(control). A control reads the
// queue only on its window's thread, so the program changes it there too.
//
//   struct Row { text::Long number; text::Fixed<30> name; };
//   Queue<Row> rows;
//   rows.append(Row{...});
//   ... .rows = &rows, .columns = {{.header = "Name", .field = fieldOf(&Row::name), ...}}
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "runtime/files/field.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"

namespace runtime::ui {

class RowQueue {
public:
    explicit RowQueue(size_t recordSize) : size_(recordSize == 0 ? 1 : recordSize) {}
    virtual ~RowQueue() = default;
    RowQueue(const RowQueue&) = delete;
    RowQueue& operator=(const RowQueue&) = delete;

    size_t recordSize() const { return size_; }
    size_t count() const { return bytes_.size() / size_; }
    bool empty() const { return bytes_.empty(); }

    // Row `index` (0-based); nullptr past the end.
    const std::byte* row(size_t index) const {
        return index < count() ? bytes_.data() + index * size_ : nullptr;
    }
    std::byte* row(size_t index) { return index < count() ? bytes_.data() + index * size_ : nullptr; }

    // `record` points at recordSize() bytes.
    void appendRecord(const void* record) { insertRecord(count(), record); }
    // Before row `index`; past the end appends.
    void insertRecord(size_t index, const void* record);
    void remove(size_t index);
    void clear() { bytes_.clear(); }
    // Keeps the first `rows` rows.
    void truncate(size_t rows);

private:
    size_t size_;
    std::vector<std::byte> bytes_;
};

// The rows of a "|"-separated text ("Red|Green|Blue"), each row the item's
// text, for lists and combos given their items rather than a queue.
inline constexpr size_t ItemRowSize = 255;
std::unique_ptr<RowQueue> rowsFromItems(const std::string& items);

// A queue of one record type. Records are plain byte layouts (runtime/text/fields.h).
template <typename Record>
class Queue : public RowQueue {
    static_assert(std::is_trivially_copyable_v<Record>, "rows are copied as bytes");

public:
    Queue() : RowQueue(sizeof(Record)) {}
    void append(const Record& record) { appendRecord(&record); }
    void insert(size_t index, const Record& record) { insertRecord(index, &record); }
    Record get(size_t index) const {
        Record record{};
        if (const std::byte* bytes = row(index)) {
            std::memcpy(&record, bytes, sizeof record);
        }
        return record;
    }
    void put(size_t index, const Record& record) {
        if (std::byte* bytes = row(index)) {
            std::memcpy(bytes, &record, sizeof record);
        }
    }
};

// The offset of a member in a row record (records are standard-layout byte structs).
template <typename Record, typename Member>
uint32_t memberOffset(Member Record::*member) {
    Record record{};
    return static_cast<uint32_t>(reinterpret_cast<const std::byte*>(&(record.*member)) -
                                 reinterpret_cast<const std::byte*>(&record));
}

// The field descriptor of a member of a row record, for a list column.
template <typename Record, size_t N>
files::Field fieldOf(text::Fixed<N> Record::*member) {
    return {"", files::FieldType::String, memberOffset(member), static_cast<uint32_t>(N)};
}
template <typename Record>
files::Field fieldOf(text::Long Record::*member) {
    return {"", files::FieldType::Long, memberOffset(member), 4};
}
template <typename Record, int D, int P>
files::Field fieldOf(text::Decimal<D, P> Record::*member) {
    return {"",
            files::FieldType::Decimal,
            memberOffset(member),
            static_cast<uint32_t>(text::Decimal<D, P>::Bytes),
            static_cast<uint8_t>(D),
            static_cast<uint8_t>(P)};
}

} // namespace runtime::ui
