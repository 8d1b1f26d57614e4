// What a keyed file holds: its physical name, the caller's record layout, the
// memo fields and the keys. The layout (not the names) is stored in the file's
// header, so opening a file with a declaration of another layout is refused.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/files/field.h"

namespace runtime::files {

struct MemoDecl {
    std::string name; // e.g. "RVH:HELPTIP"
    uint32_t maxSize = 0;
};

struct KeyPart {
    uint16_t field = 0; // index into Declaration::fields
    bool descending = false;
};

struct KeyDecl {
    std::string name; // e.g. "CUS:BYNAME"
    std::vector<KeyPart> parts;
    bool duplicates = false;
    bool noCase = false;
    // Rows whose key fields are all blank or zero are left out of the key.
    bool optional = false;
    bool primary = false;
};

struct Declaration {
    // The physical name: `nameSource` (read at open time) when set, else `fileName`.
    std::string fileName;
    std::function<std::string()> nameSource;
    uint32_t recordSize = 0;
    std::vector<Field> fields;
    std::vector<MemoDecl> memos;
    std::vector<KeyDecl> keys;
};

// Limits that keep every key entry and position within a page and 512 bytes.
inline constexpr size_t MaxKeys = 32;
inline constexpr size_t MaxKeyBytes = 400;
inline constexpr uint32_t MaxRecordSize = 65000;
inline constexpr uint32_t MaxMemoSize = 1u << 24;

// An empty text when the declaration is usable, else what is wrong with it.
std::string checkDeclaration(const Declaration& decl);

// The stored form of the layout (field names included, for readers of the file).
std::vector<uint8_t> encodeLayout(const Declaration& decl);
// True when the stored layout describes the same record, memos and keys as
// `decl` (names are not compared: one file may be declared under two prefixes).
bool sameLayout(const std::vector<uint8_t>& stored, const Declaration& decl);

// The number of bytes a key's entry takes (without the record id).
size_t keyWidth(const Declaration& decl, const KeyDecl& key);
// Builds the memcmp-ordered bytes of `key` from `record`: text upper-cased for
// no-case keys (NULs read as spaces), integers big-endian with the sign bit
// flipped, packed decimals as 64-bit integers, descending parts inverted.
void encodeKey(const Declaration& decl, const KeyDecl& key, const void* record, uint8_t* out);
// The key bytes of the first `parts` parts only.
size_t encodeKeyPrefix(const Declaration& decl, const KeyDecl& key, size_t parts, const void* record,
                       uint8_t* out);
// True when every field of the key is blank (text) or zero (numbers).
bool keyIsEmpty(const Declaration& decl, const KeyDecl& key, const void* record);

} // namespace runtime::files
