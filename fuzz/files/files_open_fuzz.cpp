// Opens arbitrary bytes as a keyed file, reads every order both ways, checks
// and rebuilds the keys: nothing may crash or hang, whatever the bytes.
// The first input byte chooses how the rest is used: even, the rest is the
// whole file; odd, a small valid file is made and the rest flips its bytes
// (pairs of a 16-bit page offset and a value), which reaches the deeper code.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/files/keyed_file.h"
#include "runtime/text/fields.h"

namespace {

using namespace runtime::files;

struct Record {
    runtime::text::Long NUMBER;
    runtime::text::Fixed<20> NAME;
};

Declaration declaration(const std::string& path) {
    Declaration d;
    d.fileName = path;
    d.recordSize = sizeof(Record);
    d.fields = {{"F:NUMBER", FieldType::Long, 0, 4}, {"F:NAME", FieldType::String, 4, 20}};
    d.memos = {{"F:NOTE", 3000}};
    d.keys = {
        {.name = "F:BYNUMBER", .parts = {{0}}, .optional = true, .primary = true},
        {.name = "F:BYNAME", .parts = {{1, true}}, .duplicates = true, .noCase = true},
    };
    return d;
}

std::string path() {
    static const std::string p =
        (std::filesystem::temp_directory_path() / ("rv-files-fuzz-" + std::to_string(::getpid()) + ".dat"))
            .string();
    return p;
}

void makeValidFile(const std::string& p) {
    Record rec{};
    KeyedFile file(declaration(p), &rec);
    file.create();
    file.open(mode::ReadWrite | mode::DenyAll);
    file.send("Sync=off");
    for (int i = 1; i <= 120; ++i) {
        file.clear();
        rec.NUMBER = i;
        rec.NAME = "name " + std::to_string(i % 17);
        file.memo(0) = std::string(static_cast<size_t>(i * 23 % 2500), 'm');
        file.add();
    }
}

void exercise(const std::string& p) {
    Record rec{};
    KeyedFile file(declaration(p), &rec);
    if (!file.open(mode::ReadWrite | mode::DenyNone)) {
        file.buildKeys();
        if (!file.open(mode::ReadWrite | mode::DenyNone)) {
            return;
        }
    }
    file.records();
    for (int order : {PhysicalOrder, 0, 1}) {
        file.set(order);
        for (int n = 0; n < 400 && file.next(); ++n) {
        }
        file.set(order);
        for (int n = 0; n < 400 && file.previous(); ++n) {
        }
    }
    rec.NUMBER = 7;
    if (file.get(0)) {
        rec.NAME = "changed";
        file.put();
    }
    file.verify();
    file.buildKeys();
    file.verify();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string p = path();
    if (size > 0 && (data[0] & 1)) {
        static std::string valid;
        if (valid.empty()) {
            makeValidFile(p);
            std::ifstream in(p, std::ios::binary);
            valid.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        std::string bytes = valid;
        for (size_t i = 1; i + 2 < size; i += 3) {
            size_t at =
                (static_cast<size_t>(data[i]) | (static_cast<size_t>(data[i + 1]) << 8)) * 7 % bytes.size();
            bytes[at] = static_cast<char>(data[i + 2]);
        }
        std::ofstream(p, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    } else {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        if (size > 1) {
            out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
        }
    }
    exercise(p);
    std::filesystem::remove(p);
    return 0;
}
