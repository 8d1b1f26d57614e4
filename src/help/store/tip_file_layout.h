// How the tip file is declared to the keyed-file driver: the record layouts,
// memos and keys of its three views. The RVH and LIN views describe one layout
// under two prefixes, so they open the same file; RVG is the old layout.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "runtime/files/declaration.h"

namespace help {

// The keys of every view, in declaration order (the driver numbers them so).
namespace tip_key {
inline constexpr int ProcedureName = 0; // procedure name, control name
inline constexpr int ControlType = 1;   // control type
inline constexpr int ControlName = 2;   // control name, procedure name
} // namespace tip_key

// The memos of the RVH and LIN views, in declaration order.
namespace tip_memo {
inline constexpr size_t HelpTip = 0;
inline constexpr size_t Settings = 1;
inline constexpr size_t Other = 2;
} // namespace tip_memo

// The current layout under `prefix` ("RVH" or "LIN"), its physical name read
// from `name` whenever the file is opened.
runtime::files::Declaration tipDeclaration(std::string_view prefix, std::function<std::string()> name);
runtime::files::Declaration tipDeclaration(std::string_view prefix, const std::string& fileName);
// The old layout (prefix "RVG").
runtime::files::Declaration oldTipDeclaration(std::function<std::string()> name);
runtime::files::Declaration oldTipDeclaration(const std::string& fileName);

} // namespace help
