// Pictures for image controls, window backgrounds and toolbars, from .bmp,
// .jpg, .gif and .ico files, named as resources.h names them ("~name" also
// finds a picture linked into the program as RCDATA). A picture is either a
// bitmap or an icon; icons keep their transparent parts when drawn.
#pragma once

#include <windows.h>

#include <string_view>

#include "runtime/ui/handles.h"

namespace runtime::ui {

class Picture {
public:
    Picture() = default;
    Picture(Bitmap bitmap, SIZE size) : bitmap_(std::move(bitmap)), size_(size) {}
    Picture(OwnedIcon icon, SIZE size) : icon_(std::move(icon)), size_(size) {}

    explicit operator bool() const { return bitmap_ || icon_; }
    // In pixels; {0, 0} for no picture.
    SIZE size() const { return size_; }
    bool isIcon() const { return static_cast<bool>(icon_); }

    // Draws the picture scaled into `target`.
    void draw(HDC dc, const RECT& target) const;
    // The picture as a bitmap of its own size, transparent parts in `background`.
    Bitmap toBitmap(COLORREF background) const;

private:
    Bitmap bitmap_;
    OwnedIcon icon_;
    SIZE size_{0, 0};
};

// An empty picture when the name is empty, the file is missing or cannot be read.
Picture loadPicture(std::string_view name);

} // namespace runtime::ui
