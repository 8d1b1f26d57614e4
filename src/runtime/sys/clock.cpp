#include "runtime/sys/clock.h"

#include <mutex>

#include "runtime/sys/platform.h"
#include "runtime/text/dates.h"

namespace runtime {
namespace {

struct Fixed {
    std::mutex mutex;
    ScopedFixedTime* innermost = nullptr;
};

Fixed& fixed() {
    static Fixed instance;
    return instance;
}

} // namespace

int32_t today() {
    {
        std::lock_guard lock(fixed().mutex);
        if (fixed().innermost != nullptr) {
            return fixed().innermost->day_;
        }
    }
    platform::LocalTime now = platform::localTime();
    return text::dayNumber(now.year, now.month, now.day).value_or(text::NoDate);
}

int32_t clock() {
    {
        std::lock_guard lock(fixed().mutex);
        if (fixed().innermost != nullptr) {
            return fixed().innermost->hundredths_;
        }
    }
    return platform::localTime().hundredths;
}

ScopedFixedTime::ScopedFixedTime(int32_t day, int32_t hundredths) : day_(day), hundredths_(hundredths) {
    std::lock_guard lock(fixed().mutex);
    previous_ = fixed().innermost;
    fixed().innermost = this;
}

ScopedFixedTime::~ScopedFixedTime() {
    std::lock_guard lock(fixed().mutex);
    fixed().innermost = previous_;
}

void ScopedFixedTime::set(int32_t day, int32_t hundredths) {
    std::lock_guard lock(fixed().mutex);
    day_ = day;
    hundredths_ = hundredths;
}

} // namespace runtime
