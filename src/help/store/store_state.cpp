#include "help/store/store_state.h"

#include <mutex>

#include "runtime/text/strings.h"

namespace help {
namespace {

struct StoreState {
    std::mutex mutex;
    Fixed<255> tipFileName;
    Fixed<255> oldTipFileName;
    TipKey current;
    Fixed<255> noHelpText;
    int32_t tipFileOpens = 0;
    int32_t linkViewOpens = 0;
};

StoreState& state() {
    static StoreState instance;
    return instance;
}

template <typename Value>
Value read(Value StoreState::*member) {
    StoreState& s = state();
    std::lock_guard lock(s.mutex);
    return s.*member;
}

} // namespace

void setTipFileName(std::string_view name) {
    StoreState& s = state();
    std::lock_guard lock(s.mutex);
    s.tipFileName = runtime::text::isBlank(name) ? DefaultTipFileName : name;
}

Fixed<255> tipFileName() {
    return read(&StoreState::tipFileName);
}

void setOldTipFileName(std::string_view name) {
    StoreState& s = state();
    std::lock_guard lock(s.mutex);
    s.oldTipFileName = name;
}

Fixed<255> oldTipFileName() {
    return read(&StoreState::oldTipFileName);
}

void setCurrentTip(std::string_view procedure, std::string_view control, std::string_view type) {
    StoreState& s = state();
    std::lock_guard lock(s.mutex);
    s.current = {procedure, control, type};
}

TipKey currentTip() {
    return read(&StoreState::current);
}

void setNoHelpText(std::string_view text) {
    StoreState& s = state();
    std::lock_guard lock(s.mutex);
    s.noHelpText = text;
}

Fixed<255> noHelpText() {
    return read(&StoreState::noHelpText);
}

int32_t tipFileOpenCount() {
    return read(&StoreState::tipFileOpens);
}

int32_t linkViewOpenCount() {
    return read(&StoreState::linkViewOpens);
}

void resetStoreState() {
    StoreState& s = state();
    std::lock_guard lock(s.mutex);
    s.tipFileName.clear();
    s.oldTipFileName.clear();
    s.current = {};
    s.noHelpText.clear();
}

namespace detail {
void setOpenCounts(int32_t tipFile, int32_t linkView) {
    StoreState& s = state();
    std::lock_guard lock(s.mutex);
    s.tipFileOpens = tipFile;
    s.linkViewOpens = linkView;
}
} // namespace detail

} // namespace help
