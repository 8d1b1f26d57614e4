// The error table every program starts with; an application's own blocks are
// added after it and shadow entries with the same Id.
#pragma once

#include <span>

#include "framework/errors/error_block.h"

namespace framework {

// The packed block, static data that lives as long as the program.
extern const ErrorBlock DefaultErrors;

// The readable table the block is packed from, in block order.
std::span<const ErrorDefinition> defaultErrorTable();

} // namespace framework
