#include "runtime/expr/bindings.h"

#include <pthread.h>

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "runtime/sys/interaction.h"
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
// closing its scope leaves nothing behind. They hang on a thread key rather
// than a thread_local object: with the MinGW runtime a thread_local destructor
// runs after the thread's storage has been freed, and would free it again.
using ThreadScopes = std::vector<Scope>;

pthread_key_t threadKey() {
    static const pthread_key_t key = [] {
        pthread_key_t created{};
        int failed = pthread_key_create(&created, [](void* scopes) {
            std::unique_ptr<ThreadScopes> owned(static_cast<ThreadScopes*>(scopes));
        });
        RV_ASSERT(!failed, "no thread key left for the scopes of bound names");
        return created;
    }();
    return key;
}

// Nothing for a thread that never opened a scope.
ThreadScopes* existingScopes() {
    return static_cast<ThreadScopes*>(pthread_getspecific(threadKey()));
}

ThreadScopes& threadScopes() {
    if (ThreadScopes* scopes = existingScopes()) {
        return *scopes;
    }
    auto owned = std::make_unique<ThreadScopes>();
    pthread_setspecific(threadKey(), owned.get());
    return *owned.release(); // the key owns it from here on
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
    if (ThreadScopes* scopes = existingScopes(); scopes && !scopes->empty()) {
        scopes->pop_back();
    }
}

size_t scopeDepth() {
    ThreadScopes* scopes = existingScopes();
    return scopes ? scopes->size() : 0;
}

void bind(const files::Field& field, const void* base) {
    ThreadScopes* scopes = existingScopes();
    if (!scopes || scopes->empty()) {
        bindGlobal(field, base);
    } else {
        bindIn(scopes->back(), field, base);
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
    if (const ThreadScopes* scopes = existingScopes()) {
        for (auto scope = scopes->rbegin(); scope != scopes->rend(); ++scope) {
            if (auto found = scope->find(key); found != scope->end()) {
                return found->second;
            }
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
