#include "runtime/ui/kinds.h"

#include <map>
#include <mutex>

namespace runtime::ui {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<int32_t, ControlFactory> factories;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

thread_local bool registeringCore = false;

// The runtime's own kinds go in first, so that a program can replace them.
// Other threads wait until they are in.
void ensureCore() {
    static std::once_flag once;
    if (registeringCore) {
        return;
    }
    std::call_once(once, [] {
        registeringCore = true;
        registerCoreKinds();
        registeringCore = false;
    });
}

} // namespace

void registerKind(int32_t kind, ControlFactory factory) {
    ensureCore();
    Registry& kinds = registry();
    std::lock_guard lock(kinds.mutex);
    kinds.factories[kind] = std::move(factory);
}

bool knownKind(int32_t kind) {
    ensureCore();
    Registry& kinds = registry();
    std::lock_guard lock(kinds.mutex);
    return kinds.factories.count(kind) != 0;
}

std::unique_ptr<Control> makeControl(Window& window, const ControlDefinition& definition, const Rect& area) {
    ensureCore();
    ControlFactory factory;
    {
        Registry& kinds = registry();
        std::lock_guard lock(kinds.mutex);
        auto found = kinds.factories.find(definition.kind);
        if (found == kinds.factories.end()) {
            return nullptr;
        }
        factory = found->second;
    }
    return factory(window, definition, area);
}

} // namespace runtime::ui
