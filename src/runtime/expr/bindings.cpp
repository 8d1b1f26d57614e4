#include "runtime/expr/bindings.h"

#include <mutex>
#include <string>
#include <unordered_map>

#include "runtime/text/strings.h"

namespace runtime::expr {
namespace {

// Names are kept under their trimmed capitals, so one lookup finds them
// however a filter spells them.
using Scope = std::unordered_map<std::string, Binding>;

std::string keyOf(std::string_view name) {
    return text::upper(text::trim(name));
}

// A thread's scopes die with the thread, so a window thread that ends without
// closing its scope leaves nothing behind.
std::vector<Scope>& threadScopes() {
    thread_local std::vector<Scope> scopes;
    return scopes;
}

struct ProcessScope {
    std::mutex mutex;
    Scope names;
};

ProcessScope& processScope() {
    static ProcessScope scope;
    return scope;
}

void bindIn(Scope& scope, const files::Field& field, const void* base) {
    scope.insert_or_assign(keyOf(field.name), Binding{field, base});
}

} // namespace

void openScope() {
    threadScopes().emplace_back();
}

void closeScope() {
    if (!threadScopes().empty()) {
        threadScopes().pop_back();
    }
}

size_t scopeDepth() {
    return threadScopes().size();
}

void bind(const files::Field& field, const void* base) {
    std::vector<Scope>& scopes = threadScopes();
    if (scopes.empty()) {
        bindGlobal(field, base);
    } else {
        bindIn(scopes.back(), field, base);
    }
}

void bindRecord(const std::vector<files::Field>& fields, const void* record) {
    for (const files::Field& field : fields) {
        bind(field, record);
    }
}

void bindGlobal(const files::Field& field, const void* base) {
    ProcessScope& global = processScope();
    std::lock_guard lock(global.mutex);
    bindIn(global.names, field, base);
}

std::optional<Binding> lookup(std::string_view name) {
    std::string key = keyOf(name);
    const std::vector<Scope>& scopes = threadScopes();
    for (auto scope = scopes.rbegin(); scope != scopes.rend(); ++scope) {
        if (auto found = scope->find(key); found != scope->end()) {
            return found->second;
        }
    }
    ProcessScope& global = processScope();
    std::lock_guard lock(global.mutex);
    if (auto found = global.names.find(key); found != global.names.end()) {
        return found->second;
    }
    return std::nullopt;
}

} // namespace runtime::expr
