// The tip window as designed: its controls and their numbers, which the
// window's logic, the editor and the formatter refer to.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/ui/definition.h"

namespace help {

namespace tip_control {
inline constexpr int32_t Background = 1; // panel in the tip colour, behind the content
inline constexpr int32_t Back = 2;
inline constexpr int32_t Forward = 3;
inline constexpr int32_t ContentGroup = 4;
inline constexpr int32_t EditorPanel = 6; // holds 7 to 22; shown only while editing
inline constexpr int32_t TipText = 7;     // the markup is read from here, as this box wraps it
inline constexpr int32_t FirstMarkupButton = 8;
inline constexpr int32_t LastMarkupButton = 13;
inline constexpr int32_t ProcedurePrompt = 14;
inline constexpr int32_t Procedure = 15;
inline constexpr int32_t ControlPrompt = 16;
inline constexpr int32_t Control = 17;
inline constexpr int32_t TypePrompt = 18;
inline constexpr int32_t Type = 19;
inline constexpr int32_t EditorOk = 20;
inline constexpr int32_t EditorOkFormat = 21;
inline constexpr int32_t EditorCancel = 22;
inline constexpr int32_t Close = 23; // for a window without a caption
inline constexpr int32_t FormattingOverlay = 200;
inline constexpr int32_t ClickArea = 201; // a click on the tip outside its links and buttons
} // namespace tip_control

// The width, in pixels, that the text box wraps a tip's lines at.
inline constexpr int32_t TipWrapWidth = 160;

// The window as it opens: everything a tip is shown with, and of the
// editor only its panel and the text box the markup is read from.
runtime::ui::WindowDefinition tipWindowDefinition();

// The rest of the editor (8 to 22), in dialog units, made when the window
// first enters edit mode: most tips are only read, and every control adds to
// the time a tip takes to appear.
std::vector<runtime::ui::ControlDefinition> tipEditorControls();

} // namespace help
