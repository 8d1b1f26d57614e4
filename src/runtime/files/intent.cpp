#include "runtime/files/intent.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <random>

#include "runtime/files/failure.h"
#include "runtime/files/format.h"
#include "runtime/files/io.h"
#include "runtime/sys/errors.h"

namespace runtime::files::intent {
namespace {

constexpr char Magic[8] = {'R', 'V', 'K', 'F', 'I', 'N', 'T', 0x1A};
constexpr size_t MaxRecordBytes = 1 << 20;

void check(const IoError& e) {
    if (e) {
        failIo(e);
    }
}

std::vector<uint8_t> encode(const Record& r) {
    std::vector<uint8_t> out(20);
    std::memcpy(out.data(), Magic, 8);
    format::put64(out.data() + 8, r.group);
    format::put32(out.data() + 16, static_cast<uint32_t>(r.participants.size()));
    for (const Participant& p : r.participants) {
        size_t at = out.size();
        out.resize(at + 10 + p.path.size());
        format::put64(out.data() + at, p.txn);
        format::put16(out.data() + at + 8, static_cast<uint32_t>(p.path.size()));
        std::memcpy(out.data() + at + 10, p.path.data(), p.path.size());
    }
    size_t at = out.size();
    out.resize(at + 8);
    format::put64(out.data() + at, format::checksum(out.data(), at));
    return out;
}

bool decode(const std::vector<uint8_t>& in, uint64_t group, Record& r) {
    if (in.size() < 28 || std::memcmp(in.data(), Magic, 8) != 0 ||
        format::get64(in.data() + in.size() - 8) != format::checksum(in.data(), in.size() - 8)) {
        return false;
    }
    r.group = format::get64(in.data() + 8);
    uint32_t n = format::get32(in.data() + 16);
    size_t at = 20, end = in.size() - 8;
    r.participants.clear();
    for (uint32_t i = 0; i < n; ++i) {
        if (end - at < 10) {
            return false;
        }
        Participant p;
        p.txn = format::get64(in.data() + at);
        size_t length = format::get16(in.data() + at + 8);
        at += 10;
        if (end - at < length) {
            return false;
        }
        p.path.assign(reinterpret_cast<const char*>(in.data() + at), length);
        at += length;
        r.participants.push_back(std::move(p));
    }
    return at == end && r.group == group;
}

// True while the file at `path` has a meta slot prepared for `group`.
bool holdsPrepared(const std::string& path, uint64_t group) {
    IoError e;
    auto h = fileSystem().open(path, OpenHow::Existing, false, e);
    if (!h) {
        return e.code != err::FileNotFound && e.code != err::PathNotFound;
    }
    uint8_t bytes[2 * format::MetaSize];
    size_t got = 0;
    if (h->read(format::MetaOffset[0], bytes, sizeof bytes, got) || got < sizeof bytes) {
        return true;
    }
    for (int slot = 0; slot < 2; ++slot) {
        format::Meta m;
        if (format::decodeMeta(bytes + slot * format::MetaSize, m) && m.group == group) {
            return true;
        }
    }
    return false;
}

} // namespace

uint64_t newGroup() {
    static std::mt19937_64 random{
        std::random_device{}() ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    static std::mutex guard;
    std::lock_guard lock(guard);
    uint64_t g = 0;
    while (g == 0) {
        g = random() ^ static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    }
    return g;
}

std::string recordPath(const std::string& firstFile, uint64_t group) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(group));
    return firstFile + "." + hex + ".txn";
}

bool namedFor(const std::string& path, uint64_t group) {
    std::string suffix = recordPath("", group);
    std::string name = std::filesystem::path(path).filename().string();
    return name.size() > suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string relativeFrom(const std::string& from, const std::string& target) {
    std::filesystem::path folder = std::filesystem::path(from).parent_path().lexically_normal();
    std::filesystem::path rel = std::filesystem::path(target).lexically_normal().lexically_relative(folder);
    return rel.empty() ? std::string() : rel.generic_string();
}

std::string resolveFrom(const std::string& from, const std::string& relative) {
    return (std::filesystem::path(from).parent_path() / std::filesystem::path(relative))
        .lexically_normal()
        .string();
}

void write(const std::string& path, const Record& record, bool durable) {
    std::vector<uint8_t> bytes = encode(record);
    IoError e;
    auto h = fileSystem().open(path, OpenHow::CreateOrTruncate, true, e);
    check(e);
    if (!h) {
        failDriver(driver::Damaged, "The transaction's intent record could not be created");
    }
    check(h->write(0, bytes.data(), bytes.size()));
    if (durable) {
        check(h->sync());
        check(fileSystem().syncFolder(path));
    }
}

Found check(const std::string& path, uint64_t group, Record* record) {
    IoError e;
    auto h = fileSystem().open(path, OpenHow::Existing, false, e);
    if (!h) {
        return e.code == err::FileNotFound || e.code == err::PathNotFound ? Found::Absent : Found::Unreadable;
    }
    uint64_t size = 0;
    if (h->size(size)) {
        return Found::Unreadable;
    }
    if (size > MaxRecordBytes) {
        return Found::Incomplete;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    size_t got = 0;
    if (h->read(0, bytes.data(), bytes.size(), got)) {
        return Found::Unreadable;
    }
    bytes.resize(got);
    Record r;
    if (!decode(bytes, group, r)) {
        return Found::Incomplete;
    }
    if (record) {
        *record = std::move(r);
    }
    return Found::Committed;
}

void removeIfSettled(const std::string& path, uint64_t group) {
    Record r;
    if (!namedFor(path, group) || check(path, group, &r) != Found::Committed) {
        return;
    }
    for (const Participant& p : r.participants) {
        if (holdsPrepared(resolveFrom(path, p.path), group)) {
            return;
        }
    }
    fileSystem().remove(path);
}

void removeSettledBeside(const std::string& firstFile) {
    namespace fs = std::filesystem;
    fs::path file(firstFile);
    std::string prefix = file.filename().string() + ".";
    std::error_code e;
    for (fs::directory_iterator it(file.parent_path(), e), end; !e && it != end; it.increment(e)) {
        std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 20 || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - 4, 4, ".txn") != 0) {
            continue;
        }
        std::string hex = name.substr(prefix.size(), 16);
        if (hex.find_first_not_of("0123456789abcdef") != std::string::npos) {
            continue;
        }
        removeIfSettled(it->path().string(), std::stoull(hex, nullptr, 16));
    }
}

} // namespace runtime::files::intent
