// Icons, cursors and pictures named the way window definitions and programs
// name them:
//   ""                    none
//   "\xFF\x01" + id       a system icon or cursor by its 16-bit resource number,
//                         little-endian (32516 information, 32649 hand, ...)
//   "~name.ico"           linked into the program: a resource of that name, else
//                         a file of that name beside the program
//   "name.ico", "dir\x.bmp" a file, looked for in the current folder and then
//                         beside the program; a resource of that name as a
//                         last resort
// Pictures in other formats than .bmp (.jpg, .gif, .ico) are read by the
// picture loader (pictures.h), so a background can be any of them.
// A hand cursor ("hand.cur", "~hand2.cur", ...) that exists nowhere is the
// system's hand cursor, so links look right without shipping the file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/ui/handles.h"

namespace runtime::ui {

// An icon or cursor that is either owned (loaded from a file) or shared (a
// system or resource one that must not be destroyed).
template <typename Handle, typename OwnedHandle>
class ImageRef {
public:
    ImageRef() = default;
    static ImageRef owned(Handle handle) {
        ImageRef ref;
        ref.owned_.reset(handle);
        ref.handle_ = handle;
        return ref;
    }
    static ImageRef shared(Handle handle) {
        ImageRef ref;
        ref.handle_ = handle;
        return ref;
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    OwnedHandle owned_;
    Handle handle_ = nullptr;
};

using IconRef = ImageRef<HICON, OwnedIcon>;
using CursorRef = ImageRef<HCURSOR, OwnedCursor>;

// The file a name stands for (the current folder, then beside the program),
// or "" when there is none.
std::string findFile(std::string_view name);

// `size` 0 is the system's large icon size.
IconRef loadIcon(std::string_view name, int size = 0);
CursorRef loadCursor(std::string_view name);
Bitmap loadBitmap(std::string_view name);

// The "\xFF\x01" + id form of a system resource number.
std::string systemResourceName(int id);

} // namespace runtime::ui
