// Property numbers of controls. Every control answers the common ones; a kind
// answers its own on top (a multi-line text its lines, an option its choice).
// Positions and sizes are in the window's current units (dialog units or
// pixels), relative to the window's content. Numbers are fixed once given:
// programs store them in tables, new kinds add theirs at the end.
#pragma once

#include <cstdint>

namespace runtime::ui {

enum class Prop : int32_t {
    Text = 1,
    X,
    Y,
    Width,
    Height,
    FontName,
    FontSize,
    FontColour,       // 0x00BBGGRR, DefaultColour when the control has none of its own
    FontStyle,        // weight plus italic / underline / strikeout bits (fonts.h)
    Colour,           // background colour, DefaultColour for the system's
    Cursor,           // a cursor name (resources.h); "" for the window's
    Icon,             // an icon name (resources.h)
    Tooltip,          // CR LF separates lines
    Hidden,           // the control's own hidden flag; see Visible
    Disabled,         // the control's own disabled flag; see Enabled
    Type,             // the control kind (runtime/sys/events.h)
    Parent,           // the number of the group, panel or option it belongs to, 0 for none
    Handle,           // the Win32 window of the control, as a number
    Positional,       // 1 when the control is not placed relative to the window's content
    Use,              // the use name, e.g. "?CUS:NAME"
    Visible,          // read only: shown, and every parent shown
    Enabled,          // read only: not disabled, and every parent enabled
    Default,          // buttons: the window's default button
    StandardClose,    // buttons: pressing it closes the window
    TrackMouse,       // sends mouse in, mouse out and mouse move events
    ReadOnly,         // entries and texts
    Picture,          // display picture of entries and variable strings
    LineCount,        // multi-line text: lines as laid out by its word wrap
    Line,             // multi-line text: the text of line n (index, 1-based), at most 511 characters
    SelStart,         // entries and texts: 1-based position of the selection start (the cursor)
    SelEnd,           // entries and texts: 1-based position after the selection
    Checked,          // check boxes, radio buttons and menu items
    Choice,           // 1-based, 0 for none: the chosen radio button of an option box, the
                      // selected row of a list or combo, the current tab of a sheet
    Value,            // radio buttons: the value the option's variable takes when it is chosen
    AutoSize,         // labels: the size follows the text
    Message,          // menus, menu items, toolbar buttons: the status bar's line while pointed at
    Thumb,            // lists: the scroll thumb, 0 (top) to 100 (bottom)
    Items,            // lists: how many whole rows the list shows (read only)
    Column,           // lists: the current column (the one last clicked), 1-based
    ColumnUnderMouse, // lists: the column under the mouse, 0 for none (read only)
    RowUnderMouse,    // lists: the row under the mouse, 0 for none (read only)
    Columns,          // lists: how many columns there are (read only)
    ColumnWidth,      // lists, column n (index): width in the window's units
    ColumnHeader,     // lists, column n: the header's text
    ColumnAlign,      // lists, column n: 0 left, 1 centre, 2 right
    ColumnPicture,    // lists, column n: display picture
    ColumnStyle,      // lists, column n: the list style it is drawn in, 0 for none
    ColumnColour,     // lists, column n: text colour, DefaultColour for the style's or the list's
    StyleFontStyle,   // lists, style n (index): font style (fonts.h), 0 for the list's
    StyleFontColour,  // lists, style n: text colour, DefaultColour for the list's
    StyleColour,      // lists, style n: background, DefaultColour for the list's
    Progress,         // progress bars: the position in the range
    RangeLow,         // spins and progress bars: the range
    RangeHigh,
    Step, // spins: what one click adds
};

} // namespace runtime::ui
