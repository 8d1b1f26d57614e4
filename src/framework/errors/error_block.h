// Error tables travel as packed blocks so an application can hand the error
// manager a table of its own in the same form as the built-in one:
//
//   count    u16 little-endian   number of entries that follow
//   entry    Id u16 little-endian, Fatality u8,
//            title length u8 + title characters,
//            message length u8 + message characters
//
// Nothing stands between entries and nothing follows the last one. Example,
// one entry {Id 9, Fatality 1, "Hi", "Sure?"}:
//   01 00 | 09 00 01 02 'H' 'i' 05 'S' 'u' 'r' 'e' '?'
//
// Blocks are written from readable tables (ErrorDefinition) with packErrors,
// at compile time for static tables, so nobody counts bytes by hand.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/sys/interaction.h"

namespace framework {

using ErrorBlock = std::span<const uint8_t>;

namespace error_block {
// A length byte cannot say more.
inline constexpr size_t MaxText = 255;
inline constexpr size_t MaxEntries = 65535;
} // namespace error_block

// One row of a readable error table.
struct ErrorDefinition {
    uint16_t Id = 0;
    uint8_t Fatality = 0;
    std::string_view Title;
    std::string_view Message;
};

// One entry of the error manager's list. The texts are copies, so a block
// built on the fly may die as soon as it has been loaded.
struct ErrorEntry {
    uint16_t Id = 0;
    std::string Message;
    std::string Title;
    uint8_t Fatality = 0;

    bool operator==(const ErrorEntry&) const = default;
};

constexpr size_t packedSize(std::span<const ErrorDefinition> table) {
    size_t size = 2;
    for (const ErrorDefinition& e : table) {
        size += 2 + 1 + 1 + e.Title.size() + 1 + e.Message.size();
    }
    return size;
}

// Writes `table` as a block into `out`, which holds exactly packedSize(table)
// bytes. At compile time a text too long for its length byte stops the build.
constexpr void packInto(std::span<const ErrorDefinition> table, std::span<uint8_t> out) {
    RV_ASSERT(table.size() <= error_block::MaxEntries, "error table has too many entries for a block");
    RV_ASSERT(out.size() == packedSize(table), "error block buffer has the wrong size");
    size_t at = 0;
    auto putByte = [&](size_t value) { out[at++] = static_cast<uint8_t>(value); };
    auto putText = [&](std::string_view text) {
        RV_ASSERT(text.size() <= error_block::MaxText, "error text longer than 255 characters");
        putByte(text.size());
        for (char c : text) {
            putByte(static_cast<unsigned char>(c));
        }
    };
    putByte(table.size() & 0xFF);
    putByte(table.size() >> 8);
    for (const ErrorDefinition& e : table) {
        putByte(e.Id & 0xFF);
        putByte(e.Id >> 8);
        putByte(e.Fatality);
        putText(e.Title);
        putText(e.Message);
    }
}

// A static table packed at compile time:
//   constexpr std::array<ErrorDefinition, 2> kMine{{...}};
//   constexpr auto kMineBlock = packErrorTable<kMine>();
template <const auto& Table>
constexpr auto packErrorTable() {
    std::array<uint8_t, packedSize(Table)> out{};
    packInto(Table, out);
    return out;
}

// A table packed at run time.
std::vector<uint8_t> packErrors(std::span<const ErrorDefinition> table);

// The entries of a block in block order; nothing when the block is cut short
// or has bytes after its last entry (its count does not match its contents).
std::optional<std::vector<ErrorEntry>> readErrorBlock(ErrorBlock block);

} // namespace framework
