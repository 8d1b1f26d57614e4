#include "runtime/files/declaration.h"

#include <cstring>

#include "runtime/text/packed_decimal.h"
#include "runtime/text/strings.h"

namespace runtime::files {
namespace {

size_t partWidth(const Field& field) {
    switch (field.type) {
    case FieldType::String:
        return field.width;
    case FieldType::Decimal:
        return 8;
    default:
        return naturalWidth(field.type);
    }
}

void putBigEndian(uint8_t* out, uint64_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) {
        out[i] = static_cast<uint8_t>(value >> (8 * (width - 1 - i)));
    }
}

// Writes one field's ordered bytes; returns their count.
size_t encodePart(const Field& field, bool noCase, const uint8_t* record, uint8_t* out) {
    const uint8_t* at = record + field.offset;
    switch (field.type) {
    case FieldType::String:
        for (uint32_t i = 0; i < field.width; ++i) {
            char c = static_cast<char>(at[i]);
            if (c == '\0') {
                c = ' ';
            }
            out[i] = static_cast<uint8_t>(noCase ? text::upper(c) : c);
        }
        return field.width;
    case FieldType::Byte:
        out[0] = at[0];
        return 1;
    case FieldType::UShort:
        putBigEndian(out, static_cast<uint64_t>(readNumber(field, record)), 2);
        return 2;
    case FieldType::ULong:
        putBigEndian(out, static_cast<uint64_t>(readNumber(field, record)), 4);
        return 4;
    case FieldType::Short:
        putBigEndian(out, static_cast<uint64_t>(readNumber(field, record)) ^ 0x8000u, 2);
        return 2;
    case FieldType::Long:
    case FieldType::Date:
        putBigEndian(out, static_cast<uint64_t>(readNumber(field, record)) ^ 0x80000000u, 4);
        return 4;
    case FieldType::Decimal:
        putBigEndian(out, static_cast<uint64_t>(readNumber(field, record)) ^ (1ull << 63), 8);
        return 8;
    }
    return 0;
}

class Writer {
public:
    void u8(uint32_t v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) {
        u8(v & 0xFF);
        u8(v >> 8);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void name(const std::string& s) {
        size_t n = std::min<size_t>(s.size(), 255);
        u8(static_cast<uint32_t>(n));
        bytes.insert(bytes.end(), s.begin(), s.begin() + static_cast<long>(n));
    }
    std::vector<uint8_t> bytes;
};

// The layout without names, for comparing two declarations.
std::vector<uint8_t> encode(const Declaration& decl, bool withNames) {
    Writer w;
    w.u32(decl.recordSize);
    w.u16(static_cast<uint32_t>(decl.fields.size()));
    for (const Field& f : decl.fields) {
        w.u8(static_cast<uint32_t>(f.type));
        w.u32(f.offset);
        w.u32(f.width);
        w.u8(f.digits);
        w.u8(f.places);
        if (withNames) {
            w.name(f.name);
        }
    }
    w.u16(static_cast<uint32_t>(decl.memos.size()));
    for (const MemoDecl& m : decl.memos) {
        w.u32(m.maxSize);
        if (withNames) {
            w.name(m.name);
        }
    }
    w.u16(static_cast<uint32_t>(decl.keys.size()));
    for (const KeyDecl& k : decl.keys) {
        w.u8((k.duplicates ? 1u : 0u) | (k.noCase ? 2u : 0u) | (k.optional ? 4u : 0u) |
             (k.primary ? 8u : 0u));
        w.u8(static_cast<uint32_t>(k.parts.size()));
        for (const KeyPart& p : k.parts) {
            w.u16(p.field);
            w.u8(p.descending ? 1 : 0);
        }
        if (withNames) {
            w.name(k.name);
        }
    }
    return w.bytes;
}

// Reads a stored layout back into a declaration without names; false when the
// bytes do not parse.
bool decode(const std::vector<uint8_t>& bytes, Declaration& out) {
    size_t at = 0;
    bool ok = true;
    auto need = [&](size_t n) {
        if (at + n > bytes.size()) {
            ok = false;
        }
        return ok;
    };
    auto u8 = [&]() -> uint32_t { return need(1) ? bytes[at++] : 0; };
    auto u16 = [&]() -> uint32_t {
        uint32_t lo = u8();
        return lo | (u8() << 8);
    };
    auto u32 = [&]() -> uint32_t {
        uint32_t lo = u16();
        return lo | (u16() << 16);
    };
    auto skipName = [&]() {
        uint32_t n = u8();
        if (need(n)) {
            at += n;
        }
    };
    out.recordSize = u32();
    uint32_t fields = u16();
    for (uint32_t i = 0; ok && i < fields; ++i) {
        Field f;
        f.type = static_cast<FieldType>(u8());
        f.offset = u32();
        f.width = u32();
        f.digits = static_cast<uint8_t>(u8());
        f.places = static_cast<uint8_t>(u8());
        skipName();
        out.fields.push_back(f);
    }
    uint32_t memos = u16();
    for (uint32_t i = 0; ok && i < memos; ++i) {
        MemoDecl m;
        m.maxSize = u32();
        skipName();
        out.memos.push_back(m);
    }
    uint32_t keys = u16();
    for (uint32_t i = 0; ok && i < keys; ++i) {
        KeyDecl k;
        uint32_t flags = u8();
        k.duplicates = flags & 1;
        k.noCase = flags & 2;
        k.optional = flags & 4;
        k.primary = flags & 8;
        uint32_t parts = u8();
        for (uint32_t p = 0; ok && p < parts; ++p) {
            KeyPart part;
            part.field = static_cast<uint16_t>(u16());
            part.descending = u8() != 0;
            k.parts.push_back(part);
        }
        skipName();
        out.keys.push_back(k);
    }
    return ok && at == bytes.size();
}

} // namespace

std::string checkDeclaration(const Declaration& decl) {
    if (decl.recordSize == 0 || decl.recordSize > MaxRecordSize) {
        return "record size out of range";
    }
    if (decl.fields.size() > 0xFFFF || decl.memos.size() > 0xFFFF) {
        return "too many fields";
    }
    for (const Field& f : decl.fields) {
        if (!wellFormed(f) || f.offset > decl.recordSize || f.width > decl.recordSize - f.offset) {
            return "field " + f.name + " does not fit the record";
        }
    }
    for (const MemoDecl& m : decl.memos) {
        if (m.maxSize == 0 || m.maxSize > MaxMemoSize) {
            return "memo " + m.name + " has no usable size";
        }
    }
    if (decl.keys.size() > MaxKeys) {
        return "too many keys";
    }
    size_t primaries = 0;
    for (const KeyDecl& k : decl.keys) {
        if (k.parts.empty() || k.parts.size() > 255) {
            return "key " + k.name + " has no parts";
        }
        for (const KeyPart& p : k.parts) {
            if (p.field >= decl.fields.size()) {
                return "key " + k.name + " names a missing field";
            }
        }
        if (keyWidth(decl, k) > MaxKeyBytes) {
            return "key " + k.name + " is too long";
        }
        if (k.primary) {
            ++primaries;
            if (k.duplicates) {
                return "primary key " + k.name + " allows duplicates";
            }
        }
    }
    if (primaries > 1) {
        return "more than one primary key";
    }
    return {};
}

std::vector<uint8_t> encodeLayout(const Declaration& decl) {
    return encode(decl, true);
}

bool sameLayout(const std::vector<uint8_t>& stored, const Declaration& decl) {
    Declaration parsed;
    if (!decode(stored, parsed)) {
        return false;
    }
    return encode(parsed, false) == encode(decl, false);
}

size_t keyWidth(const Declaration& decl, const KeyDecl& key) {
    size_t width = 0;
    for (const KeyPart& p : key.parts) {
        width += partWidth(decl.fields[p.field]);
    }
    return width;
}

void encodeKey(const Declaration& decl, const KeyDecl& key, const void* record, uint8_t* out) {
    encodeKeyPrefix(decl, key, key.parts.size(), record, out);
}

size_t encodeKeyPrefix(const Declaration& decl, const KeyDecl& key, size_t parts, const void* record,
                       uint8_t* out) {
    size_t at = 0;
    for (size_t i = 0; i < parts && i < key.parts.size(); ++i) {
        const KeyPart& p = key.parts[i];
        size_t n =
            encodePart(decl.fields[p.field], key.noCase, static_cast<const uint8_t*>(record), out + at);
        if (p.descending) {
            for (size_t b = 0; b < n; ++b) {
                out[at + b] = static_cast<uint8_t>(~out[at + b]);
            }
        }
        at += n;
    }
    return at;
}

bool keyIsEmpty(const Declaration& decl, const KeyDecl& key, const void* record) {
    for (const KeyPart& p : key.parts) {
        const Field& f = decl.fields[p.field];
        if (f.isText()) {
            if (!text::isBlank(readText(f, record))) {
                return false;
            }
        } else if (readNumber(f, record) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace runtime::files
