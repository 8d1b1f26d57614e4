// Window definitions: the C++ tables a window is opened from.
//
//   WindowDefinition about{
//       .caption = "Ruvo Demo",
//       .font = {"Tahoma", 8},
//       .at = {-1, -1, 240, 180},          // dialog units; -1: centred
//       .controls = {
//           {.number = 1, .kind = kind::String, .use = "?String1", .at = {8, 6}, .text = "Welcome"},
//           {.number = 11, .kind = kind::Button, .use = "?Button1", .at = {180, 160, 50, 14},
//            .text = "OK", .flags = attr::Default},
//       }};
//
// Positions and sizes are in dialog units of the window's font. A width or
// height of 0 asks for the natural size (labels fit their text, buttons their
// text, entries a line of text).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/files/field.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/fields.h"
#include "runtime/text/packed_decimal.h"
#include "runtime/ui/list_format.h"

namespace runtime::ui {

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    int32_t right() const { return x + width; }
    int32_t bottom() const { return y + height; }
    bool contains(int32_t px, int32_t py) const {
        return px >= x && px < right() && py >= y && py < bottom();
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A program variable a control shows and changes: a field at an offset from a
// base address, so a record buffer's field and a single variable look alike.
struct Variable {
    files::Field field{};
    void* base = nullptr;

    bool bound() const { return base != nullptr; }

    template <size_t N>
    static Variable of(text::Fixed<N>& value) {
        return {{"", files::FieldType::String, 0, static_cast<uint32_t>(N)}, &value};
    }
    static Variable of(text::Long& value) { return {{"", files::FieldType::Long, 0, 4}, &value}; }
    static Variable of(int32_t& value) { return {{"", files::FieldType::Long, 0, 4}, &value}; }
    static Variable of(uint8_t& value) { return {{"", files::FieldType::Byte, 0, 1}, &value}; }
    template <int D, int P>
    static Variable of(text::Decimal<D, P>& value) {
        return {{"", files::FieldType::Decimal, 0, static_cast<uint32_t>(text::Decimal<D, P>::Bytes),
                 static_cast<uint8_t>(D), static_cast<uint8_t>(P)},
                &value};
    }
    // A field of a record buffer, as its declaration describes it.
    static Variable inRecord(const files::Field& field, void* record) { return {field, record}; }
};

// Control attributes (ControlDefinition::flags).
namespace attr {
inline constexpr uint32_t Hidden = 1u << 0;
inline constexpr uint32_t Disabled = 1u << 1;
inline constexpr uint32_t Default = 1u << 2;       // buttons: pressed by Enter
inline constexpr uint32_t StandardClose = 1u << 3; // buttons: closes the window; pressed by Esc
inline constexpr uint32_t ReadOnly = 1u << 4;      // entries and texts
inline constexpr uint32_t Positional = 1u << 5;    // see Prop::Positional
inline constexpr uint32_t TrackMouse = 1u << 6;    // mouse in / out / move events
inline constexpr uint32_t Border = 1u << 7;        // panels and labels: a sunken edge
inline constexpr uint32_t Password = 1u << 8;      // entries
inline constexpr uint32_t Upper = 1u << 9;         // entries: capitals only
inline constexpr uint32_t Right = 1u << 10;        // text alignment of labels and entries
inline constexpr uint32_t Centre = 1u << 11;
inline constexpr uint32_t NoFrame = 1u << 12;  // option boxes: radios without the surrounding box
inline constexpr uint32_t Skip = 1u << 13;     // not reached with Tab
inline constexpr uint32_t Paged = 1u << 14;    // lists: the program pages the rows (list_box.h)
inline constexpr uint32_t Editable = 1u << 15; // combo boxes: an entry with the list, not a list only
} // namespace attr

class RowQueue;

struct ControlDefinition {
    int32_t number = 0; // positive; unique in the window
    int32_t kind = 0;   // runtime::kind
    std::string use{};  // use name, "?CUS:NAME"
    Rect at{};
    std::string text{};
    int32_t parent = 0;          // group, panel or option that holds it
    FontSpec font{"", 0, -1, 0}; // unset parts are the window's
    int32_t colour = -1;         // background, -1 for the system's
    std::string icon{};
    std::string cursor{};
    std::string tooltip{};
    std::string picture{}; // entries and variable strings: "@s30", "@n-13", ...
    Variable variable{};   // entries, texts, variable strings, checks and options
    std::string value{};   // radio buttons: the option's value when chosen (default: the radio's text)
    std::string message{}; // menu items, toolbar buttons: the status bar's line while it is pointed at
    std::vector<ListColumn> columns{}; // lists: the columns; none shows a row's text
    RowQueue* rows = nullptr;          // lists and combos: the rows (row_queue.h)
    std::string from{};                // lists, combos and spins without rows: the items, "|" between
    int32_t low = 0;                   // spins and progress bars: the range
    int32_t high = 100;
    int32_t step = 1;   // spins: what one click adds
    uint32_t flags = 0; // attr::
};

// Window attributes (WindowDefinition::flags).
namespace wattr {
inline constexpr uint32_t SystemMenu = 1u << 0;
inline constexpr uint32_t MinimiseBox = 1u << 1;
inline constexpr uint32_t MaximiseBox = 1u << 2;
inline constexpr uint32_t Resizable = 1u << 3;
inline constexpr uint32_t Modal = 1u << 4;      // the thread's other windows wait until it closes
inline constexpr uint32_t NoCaption = 1u << 5;  // a thin frame, no title bar
inline constexpr uint32_t Hidden = 1u << 6;     // opened without being shown
inline constexpr uint32_t VScroll = 1u << 7;    // the content scrolls when taller than the window
inline constexpr uint32_t ToolWindow = 1u << 8; // small caption, not on the task bar
inline constexpr uint32_t Pixels = 1u << 9;     // the window starts in pixel units
inline constexpr uint32_t MdiFrame = 1u << 10;  // the program's frame: menu bar, toolbar, child windows
inline constexpr uint32_t MdiChild = 1u << 11;  // a child window inside the frame, when one is open
inline constexpr uint32_t StatusBar = 1u << 12; // a status bar along the bottom
} // namespace wattr

enum class WallpaperMode { Stretch, Tile, Centre };

struct WindowDefinition {
    std::string caption{};
    FontSpec font{"", 0, -1, 0}; // unset parts: "MS Shell Dlg" 8 point, system colour, normal
    std::string icon{};
    std::string wallpaper{}; // background picture
    WallpaperMode wallpaperMode = WallpaperMode::Stretch;
    Rect at{-1, -1, 200, 100}; // client area in dialog units; x or y -1: centred
    uint32_t flags = wattr::SystemMenu;
    int32_t timer = 0;   // hundredths of a second; 0 for none
    int32_t colour = -1; // background
    std::vector<ControlDefinition> controls{};
};

} // namespace runtime::ui
