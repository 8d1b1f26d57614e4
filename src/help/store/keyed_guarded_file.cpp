#include "help/store/keyed_guarded_file.h"

#include "help/file_errors/guarded_open.h"

namespace help {

void guardedOpen(runtime::files::KeyedFile& file) {
    KeyedGuardedFile guarded(file);
    guardedOpen(guarded, 1, 0, 0, 1);
}

} // namespace help
