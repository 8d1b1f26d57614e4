#include "runtime/sys/events.h"
#include "runtime/ui/buttons.h"
#include "runtime/ui/combo.h"
#include "runtime/ui/entries.h"
#include "runtime/ui/image.h"
#include "runtime/ui/kinds.h"
#include "runtime/ui/labels.h"
#include "runtime/ui/list_box.h"
#include "runtime/ui/menus.h"
#include "runtime/ui/progress.h"
#include "runtime/ui/shapes.h"
#include "runtime/ui/sheet.h"
#include "runtime/ui/spin.h"
#include "runtime/ui/toolbar.h"

namespace runtime::ui {
namespace {

template <typename Kind>
ControlFactory factoryOf() {
    return [](Window& window, const ControlDefinition& definition,
              const Rect& area) -> std::unique_ptr<Control> {
        return std::make_unique<Kind>(window, definition, area);
    };
}

} // namespace

void registerCoreKinds() {
    registerKind(kind::String, factoryOf<Label>());
    registerKind(kind::Prompt, factoryOf<Label>());
    registerKind(kind::VariableString, factoryOf<VariableString>());
    registerKind(kind::Entry, factoryOf<Entry>());
    registerKind(kind::Text, factoryOf<TextBox>());
    registerKind(kind::Button, factoryOf<PushButton>());
    registerKind(kind::Check, factoryOf<CheckBox>());
    registerKind(kind::Option, factoryOf<OptionBox>());
    registerKind(kind::Radio, factoryOf<RadioButton>());
    registerKind(kind::Group, factoryOf<GroupBox>());
    registerKind(kind::Panel, factoryOf<Panel>());
    registerKind(kind::Line, factoryOf<Shape>());
    registerKind(kind::Box, factoryOf<Shape>());
    registerKind(kind::Region, factoryOf<Region>());
    registerKind(kind::List, factoryOf<ListBox>());
    registerKind(kind::Combo, factoryOf<Combo>());
    registerKind(kind::Spin, factoryOf<Spin>());
    registerKind(kind::Progress, factoryOf<ProgressBar>());
    registerKind(kind::Image, factoryOf<Image>());
    registerKind(kind::Sheet, factoryOf<Sheet>());
    registerKind(kind::Tab, factoryOf<Tab>());
    registerKind(kind::Menu, factoryOf<MenuControl>());
    registerKind(kind::MenuItem, factoryOf<MenuControl>());
    registerKind(kind::Toolbar, factoryOf<Toolbar>());
}

} // namespace runtime::ui
