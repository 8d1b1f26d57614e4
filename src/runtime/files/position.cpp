#include "runtime/files/position.h"

#include "runtime/files/format.h"

namespace runtime::files {

std::string encodePosition(const Position& p) {
    std::string out(8 + p.key.size(), '\0');
    auto* b = reinterpret_cast<uint8_t*>(out.data());
    b[0] = 'P';
    b[1] = p.order < 0 ? 255 : static_cast<uint8_t>(p.order);
    format::putBig32(b + 2, p.rid);
    format::put16(b + 6, static_cast<uint32_t>(p.key.size()));
    std::copy(p.key.begin(), p.key.end(), b + 8);
    return out;
}

bool decodePosition(std::string_view text, Position& p) {
    const auto* b = reinterpret_cast<const uint8_t*>(text.data());
    if (text.size() < 8 || b[0] != 'P') {
        return false;
    }
    uint32_t n = format::get16(b + 6);
    if (text.size() - 8 < n || n > 504) {
        return false;
    }
    p.order = b[1] == 255 ? -1 : b[1];
    p.rid = format::getBig32(b + 2);
    p.key.assign(b + 8, b + 8 + n);
    return p.rid != 0;
}

} // namespace runtime::files
