// The runtime's numbering: event numbers, key codes and control kinds.
// These numbers are part of the contract with every window procedure, the help
// engine and stored tips, so they never change once given.
#pragma once

#include <cstdint>

namespace runtime {

namespace event {
inline constexpr int32_t None = 0;
inline constexpr int32_t Accepted = 1; // also "mouse down" when translated by the hook
inline constexpr int32_t NewSelection = 2;
inline constexpr int32_t ScrollUp = 3;
inline constexpr int32_t ScrollDown = 4;
inline constexpr int32_t PageUp = 5;
inline constexpr int32_t PageDown = 6;
inline constexpr int32_t ScrollTop = 7;
inline constexpr int32_t ScrollBottom = 8;
inline constexpr int32_t Locate = 9;
inline constexpr int32_t MouseUp = 10;
inline constexpr int32_t MouseIn = 11;
inline constexpr int32_t MouseOut = 12;
inline constexpr int32_t MouseMove = 13;
inline constexpr int32_t AlertKey = 15;
inline constexpr int32_t ScrollDrag = 20;
inline constexpr int32_t TabChanging = 21;
inline constexpr int32_t Rejected = 26;
inline constexpr int32_t Selected = 257;
inline constexpr int32_t CloseWindow = 513;
inline constexpr int32_t CloseDown = 514;
inline constexpr int32_t OpenWindow = 515;
inline constexpr int32_t LoseFocus = 517;
inline constexpr int32_t GainFocus = 518;
inline constexpr int32_t Timer = 523;
inline constexpr int32_t Completed = 549;
inline constexpr int32_t Sized = 561;
inline constexpr int32_t User = 1024;  // first user event
inline constexpr int32_t Alert = 1280; // the window-message hook's alert event
} // namespace event

// Key codes: the Windows virtual-key code plus modifier bits; mouse buttons have
// codes of their own below 0x100 that never collide with keys a user can press.
namespace key {
inline constexpr int32_t Shift = 0x100;
inline constexpr int32_t Ctrl = 0x200;
inline constexpr int32_t Alt = 0x400;

inline constexpr int32_t MouseLeft = 1;
inline constexpr int32_t MouseRight = 2;
inline constexpr int32_t MouseLeftDouble = 5;
inline constexpr int32_t MouseRightUp = 130;

inline constexpr int32_t Tab = 9;
inline constexpr int32_t Enter = 13;
inline constexpr int32_t Escape = 27;
inline constexpr int32_t Up = 38;
inline constexpr int32_t Down = 40;
inline constexpr int32_t Insert = 45;
inline constexpr int32_t Delete = 46;
inline constexpr int32_t F1 = 112;
inline constexpr int32_t F2 = 113;
inline constexpr int32_t F3 = 114;

inline constexpr int32_t ShiftTab = Shift + Tab;   // 265
inline constexpr int32_t CtrlEnter = Ctrl + Enter; // 525

constexpr int32_t ctrl(char letter) {
    return Ctrl + static_cast<int32_t>(letter);
}
} // namespace key

// Control kinds ("type numbers"). The numbers that other parts of the system
// compare against are fixed; the rest are our own choice, picked so that the
// help engine's hover categories below line up with the numbers tips were
// written for (progress 18, image 32).
namespace kind {
inline constexpr int32_t String = 1;         // label with constant text
inline constexpr int32_t VariableString = 2; // label showing a bound variable
inline constexpr int32_t Region = 4;         // invisible click area
inline constexpr int32_t Line = 5;
inline constexpr int32_t Box = 6;
inline constexpr int32_t Group = 7;
inline constexpr int32_t Entry = 8;
inline constexpr int32_t Button = 9;
inline constexpr int32_t Prompt = 10;
inline constexpr int32_t Option = 11;
inline constexpr int32_t Check = 12;
inline constexpr int32_t Panel = 13;
inline constexpr int32_t List = 14;
inline constexpr int32_t Combo = 15;
inline constexpr int32_t Spin = 16;
inline constexpr int32_t Text = 17; // multi-line, word-wrapping text box
inline constexpr int32_t Progress = 18;
inline constexpr int32_t Radio = 20;
inline constexpr int32_t Menu = 22;
inline constexpr int32_t MenuItem = 23;
inline constexpr int32_t Tab = 36; // one page of a sheet
inline constexpr int32_t Sheet = 37;
inline constexpr int32_t Toolbar = 38; // the strip of buttons along the top of a frame
inline constexpr int32_t Image = 32;

constexpr bool isTextLike(int32_t k) {
    return k == String || k == VariableString || k == Prompt;
}

// The hover ("cue card") category bit of a control kind; 0 means no hover tip.
constexpr int32_t cueCardCategory(int32_t k) {
    switch (k) {
    case Entry:
    case Check:
    case Spin:
    case Text:
        return 1;
    case Button: // toolbar buttons are buttons too
        return 2;
    case List:
        return 4;
    case Combo:
        return 8;
    case Progress:
        return 16;
    case Image:
        return 32;
    default:
        return 0;
    }
}
} // namespace kind

} // namespace runtime
