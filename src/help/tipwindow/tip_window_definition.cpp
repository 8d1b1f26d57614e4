#include "help/tipwindow/tip_window_definition.h"

#include "runtime/sys/events.h"

namespace help {
namespace {

using runtime::ui::ControlDefinition;
namespace attr = runtime::ui::attr;
namespace wattr = runtime::ui::wattr;
namespace kind = runtime::kind;
namespace control = tip_control;

// Linked into the program ("~"): found without looking through folders first.
constexpr const char* HandCursor = "~hand.cur";

ControlDefinition markupButton(int32_t number, const char* text) {
    const int32_t row = number - control::FirstMarkupButton;
    return {.number = number,
            .kind = kind::Button,
            .at = {172, 5 + 14 * row, 80, 12},
            .text = text,
            .parent = control::EditorPanel};
}

} // namespace

runtime::ui::WindowDefinition tipWindowDefinition() {
    return {
        .caption = "",
        .font = {"MS Sans Serif", 8, -1, 0},
        .at = {0, 0, 132, 60},
        .flags = wattr::NoCaption | wattr::ToolWindow | wattr::Hidden,
        .controls = {
            {.number = control::Background, .kind = kind::Panel, .use = "?Background", .at = {0, 0, 132, 60}},
            {.number = control::Back,
             .kind = kind::Button,
             .use = "?Back",
             .at = {1, 1, 13, 10},
             .icon = "~back_tiny.ico",
             .cursor = HandCursor,
             .tooltip = "Click here to go to the previous Tip.",
             .flags = attr::Hidden | attr::Skip},
            {.number = control::Forward,
             .kind = kind::Button,
             .use = "?Forward",
             .at = {1, 12, 13, 10},
             .icon = "~forward_tiny.ico",
             .cursor = HandCursor,
             .tooltip = "Click here to go to the next Tip.",
             .flags = attr::Hidden | attr::Skip},
            {.number = control::ContentGroup,
             .kind = kind::Group,
             .use = "?Content",
             .at = {-2, -2, 136, 64}},
            {.number = control::EditorPanel,
             .kind = kind::Panel,
             .use = "?Editor",
             .at = {0, 0, 260, 160},
             .flags = attr::Hidden},
            {.number = control::TipText,
             .kind = kind::Text,
             .use = "?RVH:HelpTip",
             .at = {7, 5, 160, 84},
             .parent = control::EditorPanel},
            {.number = control::Close,
             .kind = kind::Button,
             .use = "?Close",
             .at = {118, 1, 13, 10},
             .icon = "~close.ico",
             .cursor = HandCursor,
             .tooltip = "Close",
             .flags = attr::Hidden | attr::Skip},
        }};
}

std::vector<runtime::ui::ControlDefinition> tipEditorControls() {
    return {
        markupButton(8, "Bullet <T>"),
        markupButton(9, "Line <HR>"),
        markupButton(10, "Button <Bn>"),
        markupButton(11, "HelpTip Link "),
        markupButton(12, "Hyper Link "),
        markupButton(13, "Hyper Link With Alias"),
        {.number = control::ProcedurePrompt,
         .kind = kind::Prompt,
         .at = {7, 95, 0, 0},
         .text = "&Procedure Name:",
         .parent = control::EditorPanel},
        {.number = control::Procedure,
         .kind = kind::Entry,
         .use = "?RVH:PROCEDURENAME",
         .at = {70, 93, 170, 12},
         .parent = control::EditorPanel,
         .picture = "@s50"},
        {.number = control::ControlPrompt,
         .kind = kind::Prompt,
         .at = {7, 109, 0, 0},
         .text = "&Control Name:",
         .parent = control::EditorPanel},
        {.number = control::Control,
         .kind = kind::Entry,
         .use = "?RVH:CONTROLNAME",
         .at = {70, 107, 170, 12},
         .parent = control::EditorPanel,
         .picture = "@s50"},
        {.number = control::TypePrompt,
         .kind = kind::Prompt,
         .at = {7, 123, 0, 0},
         .text = "Control &Type:",
         .parent = control::EditorPanel},
        {.number = control::Type,
         .kind = kind::Entry,
         .use = "?RVH:CONTROLTYPE",
         .at = {70, 121, 80, 12},
         .parent = control::EditorPanel,
         .picture = "@s20"},
        {.number = control::EditorOk,
         .kind = kind::Button,
         .at = {70, 140, 40, 14},
         .text = "&OK",
         .parent = control::EditorPanel},
        {.number = control::EditorOkFormat,
         .kind = kind::Button,
         .at = {114, 140, 86, 14},
         .text = "O&K && Goto Formatter",
         .parent = control::EditorPanel},
        {.number = control::EditorCancel,
         .kind = kind::Button,
         .at = {204, 140, 40, 14},
         .text = "&Cancel",
         .parent = control::EditorPanel},
    };
}

} // namespace help
