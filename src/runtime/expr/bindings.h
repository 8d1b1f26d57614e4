// Names bound to variables, for run-time expressions (view filters and the
// like). A binding names a field inside some buffer: a record buffer, or a
// single variable described as a field at offset 0.
//
// Scopes: each thread has a stack of scopes (a window procedure opens one when
// it starts and closes it when it ends); below them all lies one process-wide
// scope. A lookup searches the thread's innermost scope first, then the outer
// ones, then the process-wide scope. Names compare case-insensitively.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "runtime/files/field.h"

namespace runtime::expr {

struct Binding {
    files::Field field; // field.name is the bound name
    const void* base = nullptr;
};

void openScope();
// Closes the innermost scope of the calling thread; does nothing when none is open.
void closeScope();
// The number of scopes the calling thread has open.
size_t scopeDepth();

// Binds in the calling thread's innermost scope, or in the process-wide scope
// when the thread has none open. A name bound again in the same scope is rebound.
void bind(const files::Field& field, const void* base);
// Binds every field of a record under its own name.
void bindRecord(const std::vector<files::Field>& fields, const void* record);
void bindGlobal(const files::Field& field, const void* base);

std::optional<Binding> lookup(std::string_view name);

// Opens a scope for its own lifetime.
class ScopedNames {
public:
    ScopedNames() { openScope(); }
    ~ScopedNames() { closeScope(); }
    ScopedNames(const ScopedNames&) = delete;
    ScopedNames& operator=(const ScopedNames&) = delete;
};

} // namespace runtime::expr
