// The intent record of a transaction over several keyed files (format.h
// section 10). Its complete, checksummed presence on disk is the moment the
// transaction commits: before it, every file keeps its previous state; after
// it, every file's prepared meta counts, whether or not the committer lived to
// make it final.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace runtime::files::intent {

struct Participant {
    std::string path; // relative to the intent record's folder
    uint64_t txn = 0; // the transaction it prepared
};

struct Record {
    uint64_t group = 0;
    std::vector<Participant> participants;
};

enum class Found { Committed, Absent, Incomplete, Unreadable };

// A fresh group number, never 0 and not repeated by this or another process
// in practice (random bits with the clock).
uint64_t newGroup();
// Where the record of `group` lives: beside `firstFile`.
std::string recordPath(const std::string& firstFile, uint64_t group);
// True when `path` is named as a record of `group` is: a damaged meta must
// never lead to removing any other file.
bool namedFor(const std::string& path, uint64_t group);
// `target` as a path from the folder of `from` (both absolute); empty when the
// two share no root.
std::string relativeFrom(const std::string& from, const std::string& target);
// `relative` resolved from the folder of `from`.
std::string resolveFrom(const std::string& from, const std::string& relative);

// Writes the record; with `durable` it and its folder entry reach the disk
// before this returns. Throws Failure.
void write(const std::string& path, const Record& record, bool durable);
// Committed when the file holds a complete record of `group`.
Found check(const std::string& path, uint64_t group, Record* record = nullptr);
// Removes the record once no participant still holds a prepared meta of its
// group; a participant that no longer exists holds none.
void removeIfSettled(const std::string& path, uint64_t group);
// Removes the settled records kept beside `firstFile`: a committer that died
// after making every meta final leaves its record behind.
void removeSettledBeside(const std::string& firstFile);

} // namespace runtime::files::intent
