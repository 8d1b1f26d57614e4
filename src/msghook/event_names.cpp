#include "msghook/event_names.h"

#include <algorithm>
#include <array>

#include "runtime/sys/events.h"

namespace msghook {
namespace {

struct NamedEvent {
    int32_t event;
    std::string_view name;
};

// Ascending by event number.
constexpr std::array<NamedEvent, 62> Names{{
    {1, " Accepted or MouseDown "},
    {2, " NewSelection Choice()="},
    {3, " ScrollUp "},
    {4, " ScrollDown "},
    {5, " PageUp"},
    {6, " PageDown "},
    {7, " ScrollTop "},
    {8, " ScrollBottom "},
    {9, " Locate "},
    {10, " MouseUp "},
    {11, " MouseIn "},
    {12, " MouseOut "},
    {13, " MouseMove "},
    {14, " VBXevent "},
    {15, " AlertKey "},
    {16, " PreAlertKey "},
    {17, " Dragging "},
    {18, " Drag "},
    {19, " Drop "},
    {20, " ScrollDrag "},
    {21, " TabChanging Choice()="},
    {22, " Expanding "},
    {23, " Contracting "},
    {24, " Expanded "},
    {25, " Contracted "},
    {26, " Rejected "},
    {27, " DroppingDown "},
    {28, " DroppedDown "},
    {29, " ScrollTrack "},
    {30, " ColumnResize "},
    {257, " Selected "},
    {513, " CloseWindow"},
    {514, " CloseDown"},
    {515, " OpenWindow"},
    {516, " OpenFailed"},
    {517, " LoseFocus"},
    {518, " GainFocus"},
    {520, " Suspend"},
    {521, " Resume"},
    {523, " Timer"},
    {524, " DDErequest"},
    {525, " DDEadvise"},
    {526, " DDEdata"},
    {527, " DDEcommand"},
    {528, " DDEpoke"},
    {529, " DDEclosed"},
    {544, " Move "},
    {545, " Size"},
    {546, " Restore"},
    {547, " Maximize"},
    {548, " Iconize"},
    {549, " Completed"},
    {560, " Moved"},
    {561, " Sized"},
    {562, " Restored"},
    {563, " Maximized"},
    {564, " Iconized"},
    {565, " Docked"},
    {566, " Undocked"},
    {576, " BuildFile"},
    {577, " BuildKey"},
    {578, " BuildDone"},
}};

static_assert(std::is_sorted(Names.begin(), Names.end(),
                             [](const NamedEvent& a, const NamedEvent& b) { return a.event < b.event; }));

} // namespace

std::string_view eventName(int32_t event) {
    auto found =
        std::lower_bound(Names.begin(), Names.end(), event,
                         [](const NamedEvent& named, int32_t wanted) { return named.event < wanted; });
    if (found == Names.end() || found->event != event) {
        return {};
    }
    return found->name;
}

bool eventShowsSelection(int32_t event) {
    return event == runtime::event::NewSelection || event == runtime::event::TabChanging;
}

} // namespace msghook
