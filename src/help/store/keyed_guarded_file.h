// The guarded open over a real keyed file: each operation is the driver's
// own, which leaves its result in the runtime's error state as the guarded
// open expects.
#pragma once

#include "help/file_errors/guarded_file.h"
#include "runtime/files/keyed_file.h"

namespace help {

class KeyedGuardedFile : public GuardedFile {
public:
    explicit KeyedGuardedFile(runtime::files::KeyedFile& file) : file_(file) {}

    void open(uint8_t mode) override { file_.open(mode); }
    void create() override { file_.create(); }
    void send(std::string_view option) override { file_.send(option); }
    void buildKeys() override { file_.buildKeys(); }
    std::string name() const override { return file_.name(); }

private:
    runtime::files::KeyedFile& file_;
};

// The engine's guarded open of a keyed file: created when missing, opened
// read/write with sharing allowed.
void guardedOpen(runtime::files::KeyedFile& file);

} // namespace help
