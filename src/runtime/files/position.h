// Positions: opaque text naming a record in an order, at most 512 bytes.
//   byte 0      'P'
//   byte 1      the order: 255 physical, else the key number
//   bytes 2-5   record id, big-endian
//   bytes 6-7   length n of the key value, little-endian
//   bytes 8..   the key's ordered bytes (declaration.h encodeKey)
// Anything after them (padding of a fixed-length field) is ignored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace runtime::files {

struct Position {
    int order = -1; // PhysicalOrder or a key number
    uint32_t rid = 0;
    std::vector<uint8_t> key;
};

std::string encodePosition(const Position& p);
bool decodePosition(std::string_view text, Position& p);

} // namespace runtime::files
