// The local date and time of day, as the runtime counts them: today as a day
// number (runtime/text/dates.h) and the clock as hundredths of a second since
// local midnight (0 to 8639999; it starts again at 0 at midnight, so callers
// that time an interval must allow for the wrap).
#pragma once

#include <cstdint>

namespace runtime {

int32_t today();
int32_t clock();

// For tests: today() and clock() answer these values while the object lives,
// so timing and dating code can be tested without waiting. Overrides nest.
class ScopedFixedTime {
public:
    ScopedFixedTime(int32_t day, int32_t hundredths);
    ~ScopedFixedTime();
    ScopedFixedTime(const ScopedFixedTime&) = delete;
    ScopedFixedTime& operator=(const ScopedFixedTime&) = delete;

    void set(int32_t day, int32_t hundredths);

private:
    friend int32_t today();
    friend int32_t clock();
    int32_t day_; // guarded by the override's mutex
    int32_t hundredths_;
    ScopedFixedTime* previous_;
};

} // namespace runtime
