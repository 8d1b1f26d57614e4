#include "help/file_errors/guarded_open.h"

#include <string>

#include "help/file_errors/file_error_report.h"
#include "runtime/sys/errors.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

constexpr std::string_view kRecoverLocks = "Recover=10";

bool isOpen() {
    int32_t code = runtime::errorcode();
    return code == runtime::err::None || code == runtime::err::AlreadyOpen;
}

} // namespace

void guardedOpen(GuardedFile& file, uint8_t createFlag, uint8_t keepMissing, uint8_t openMode,
                 uint8_t shared) {
    const uint8_t mode = shared != 0 ? open_mode::SharedReadWrite : openMode;
    const std::string name(runtime::text::clip(file.name()));

    file.open(mode);
    if (runtime::errorcode() == runtime::err::FileLocked) {
        file.send(kRecoverLocks);
        file.open(mode);
    }
    if (isOpen()) {
        return;
    }

    switch (runtime::errorcode()) {
    case runtime::err::FileNotFound:
        if (keepMissing != 0) {
            return;
        }
        if (createFlag != 1) {
            reportFileError(file_message::CreationError, name);
            return;
        }
        file.create();
        if (runtime::errorcode() != runtime::err::None) {
            reportFileError(file_message::CreationError, name);
            return;
        }
        file.open(mode);
        if (!isOpen()) {
            reportFileError(file_message::OpenCreatedError, name);
        }
        return;
    case runtime::err::InvalidDeclaration:
        reportFileError(file_message::InvalidFile, name);
        return;
    case runtime::err::KeysMustBeRebuilt:
        reportFileError(file_message::InvalidKey, name);
        file.buildKeys();
        if (runtime::errorcode() != runtime::err::None) {
            reportFileError(file_message::KeyRebuildError, name);
            return;
        }
        file.open(mode);
        break;
    default:
        break;
    }

    if (!isOpen() && reportFileError(file_message::AccessError, name) != 0) {
        runtime::halt(0, "Disk Error");
    }
}

} // namespace help
