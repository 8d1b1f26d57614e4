#include "help/engine/engine_state.h"

#include <mutex>

namespace help {
namespace {

struct State {
    std::mutex mutex;
    EngineSettings settings;
    HandOver handOver;
    HoverState hover;
};

State& state() {
    static State instance;
    return instance;
}

} // namespace

EngineSettings engineSettings() {
    std::lock_guard lock(state().mutex);
    return state().settings;
}

void changeEngineSettings(const std::function<void(EngineSettings&)>& change) {
    std::lock_guard lock(state().mutex);
    change(state().settings);
}

HandOver handOver() {
    std::lock_guard lock(state().mutex);
    return state().handOver;
}

void changeHandOver(const std::function<void(HandOver&)>& change) {
    std::lock_guard lock(state().mutex);
    change(state().handOver);
}

HoverState hoverState() {
    std::lock_guard lock(state().mutex);
    return state().hover;
}

void changeHoverState(const std::function<void(HoverState&)>& change) {
    std::lock_guard lock(state().mutex);
    change(state().hover);
}

void resetEngineState() {
    std::lock_guard lock(state().mutex);
    state().settings = EngineSettings{};
    state().handOver = HandOver{};
    state().hover = HoverState{};
}

} // namespace help
