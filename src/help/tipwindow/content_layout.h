// The content controls of a tip: one run-time control for each entry of the
// control list, placed by a pen that moves along the rows, with the look the
// entry's kind and its settings rows give it.
//
//   kind      control                     placed at         pen afterwards
//   String    label, FONT setting         (X, Y)            X + its width
//   Line      horizontal line, 85% wide   (X, Y + 3)        X = 17, Y + 8
//   BULLET    Wingdings square, black     (X, Y)            X + its width + 4
//   BUTTON    9 x 9 button, hand cursor   (X + 3, Y)        X + its width + 6
//   HTTP/LNK  blue underlined label, 16   (X + 3, Y)        X + 3
//   REGION    click area over the label   label, 10 high    X + its width
// The pen starts at (17, 8); an entry on another text-box line than the one
// before it starts a new row 14 further down, at X = 17. Entry k (from 1) is
// control 299 + k.
#pragma once

#include <cstdint>

#include "help/markup/control_list.h"
#include "help/markup/settings_list.h"
#include "runtime/ui/definition.h"

namespace help {

inline constexpr int32_t FirstContentControl = 300;

// Where the window's controls come from: creates one (hidden) and answers its
// width in pixels, which moves the pen.
class ContentSink {
public:
    virtual ~ContentSink() = default;
    virtual int32_t create(const runtime::ui::ControlDefinition& control) = 0;
};

struct ContentStyle {
    int32_t tipWidth = 0;
    int32_t tipColour = 0;
};

// Creates the controls of `entries` through `sink` and returns the pen's Y
// after the last row, the bottom margin included.
int32_t layOutContent(const ControlList& entries, const SettingsList& settings, const ContentStyle& style,
                      ContentSink& sink);

// The content control number of entry k (from 1), and back.
inline int32_t contentControl(int32_t entryNumber) {
    return FirstContentControl - 1 + entryNumber;
}
inline int32_t contentEntry(int32_t control) {
    return control - (FirstContentControl - 1);
}

// A tip that is one hyperlink and nothing else: it opens the link rather than
// showing itself.
bool isSingleHyperlink(const ControlList& entries);

} // namespace help
