// The control kinds a window can hold, by kind number: each kind registers a
// factory that makes its Control from a definition. The kinds of the runtime
// are registered on first use; a new kind plugs in with registerKind().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "runtime/ui/control.h"
#include "runtime/ui/definition.h"

namespace runtime::ui {

// Makes the control; `area` is the definition's place in pixels.
using ControlFactory = std::function<std::unique_ptr<Control>(
    Window& window, const ControlDefinition& definition, const Rect& area)>;

// Registers or replaces the factory of a kind.
void registerKind(int32_t kind, ControlFactory factory);
bool knownKind(int32_t kind);
// nullptr for a kind nobody registered.
std::unique_ptr<Control> makeControl(Window& window, const ControlDefinition& definition, const Rect& area);

// Registers the kinds built into the runtime (labels, entries, texts,
// buttons, check boxes, options, radios, groups, panels, lines, boxes,
// regions, lists, combos, spins, progress bars, images, sheets and tabs,
// menus and menu items, toolbars). Called by the registry itself on first use.
void registerCoreKinds();

} // namespace runtime::ui
