// The handle and procedure types of the hook, kept free of <windows.h> so that
// everything but the subclassing itself builds and is tested on any system.
#pragma once

#include <cstdint>

namespace msghook {

// A window handle (HWND converts to it implicitly).
using Handle = void*;

// A window procedure's address as a pointer-width number (what
// SetWindowLongPtrA(GWLP_WNDPROC) takes and returns); 0 means "none".
using Procedure = intptr_t;

// The Windows messages the hook treats specially. Window procedures see
// message numbers as 32-bit signed values, as the alert table stores them.
namespace wm {
inline constexpr int32_t Close = 16;
inline constexpr int32_t QueryEndSession = 17;
inline constexpr int32_t EndSession = 22;
inline constexpr int32_t Help = 83;
inline constexpr int32_t NcDestroy = 130;
inline constexpr int32_t NcMouseMove = 160;
inline constexpr int32_t NcLButtonDown = 161;
inline constexpr int32_t NcLButtonUp = 162;
inline constexpr int32_t NcRButtonDown = 164;
inline constexpr int32_t NcRButtonUp = 165;
inline constexpr int32_t NcMButtonDown = 167;
inline constexpr int32_t NcMButtonUp = 168;
inline constexpr int32_t Timer = 275;
inline constexpr int32_t MouseMove = 512;
inline constexpr int32_t LButtonDown = 513;
inline constexpr int32_t LButtonUp = 514;
inline constexpr int32_t RButtonDown = 516;
inline constexpr int32_t RButtonUp = 517;
inline constexpr int32_t MButtonDown = 519;
inline constexpr int32_t MButtonUp = 520;
inline constexpr int32_t MouseWheel = 522;
} // namespace wm

} // namespace msghook
