#include "framework/errors/error_block.h"

namespace framework {

std::vector<uint8_t> packErrors(std::span<const ErrorDefinition> table) {
    std::vector<uint8_t> block(packedSize(table));
    packInto(table, block);
    return block;
}

namespace {

// Reads forward through a block and remembers whether it ever ran past the end.
class BlockReader {
public:
    explicit BlockReader(ErrorBlock block) : block_(block) {}

    uint8_t byte() {
        if (at_ >= block_.size()) {
            cutShort_ = true;
            return 0;
        }
        return block_[at_++];
    }
    uint16_t u16() {
        uint8_t low = byte();
        return static_cast<uint16_t>(low | (byte() << 8));
    }
    std::string text() {
        size_t length = byte();
        if (block_.size() - at_ < length) {
            cutShort_ = true;
            at_ = block_.size();
            return {};
        }
        std::string result(reinterpret_cast<const char*>(block_.data() + at_), length);
        at_ += length;
        return result;
    }
    bool cutShort() const { return cutShort_; }
    bool atEnd() const { return at_ == block_.size(); }

private:
    ErrorBlock block_;
    size_t at_ = 0;
    bool cutShort_ = false;
};

} // namespace

std::optional<std::vector<ErrorEntry>> readErrorBlock(ErrorBlock block) {
    BlockReader reader(block);
    uint16_t count = reader.u16();
    std::vector<ErrorEntry> entries;
    for (uint16_t i = 0; i < count && !reader.cutShort(); ++i) {
        ErrorEntry entry;
        entry.Id = reader.u16();
        entry.Fatality = reader.byte();
        entry.Title = reader.text();
        entry.Message = reader.text();
        entries.push_back(std::move(entry));
    }
    if (reader.cutShort() || !reader.atEnd()) {
        return std::nullopt;
    }
    return entries;
}

} // namespace framework
