#include "help/markup/line_source.h"

#include "runtime/sys/clock.h"

namespace help {
namespace {

constexpr int64_t HundredthsPerDay = 24 * 60 * 60 * 100;

} // namespace

void yieldUntilClockAdvances(const std::function<void()>& yield, int32_t hundredths) {
    const int64_t start = runtime::clock();
    auto elapsed = [&] {
        int64_t difference = (int64_t{runtime::clock()} - start) % HundredthsPerDay;
        return difference < 0 ? difference + HundredthsPerDay : difference;
    };
    while (elapsed() <= hundredths) {
        yield();
    }
}

} // namespace help
