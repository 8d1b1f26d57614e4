// The markup parser reads a tip as its text box lays it out, line by line;
// this is what it needs of the box. The tip window implements it over its real
// text box, EmulatedTextBox (text_box_layout.h) over a computed layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace help {

// The most characters the runtime hands over for one line of a text box.
inline constexpr size_t MaxLineText = 511;

class LineSource {
public:
    virtual ~LineSource() = default;

    // Returns once the box has laid out the text it was just given.
    virtual void settle() = 0;
    virtual int32_t lineCount() = 0;
    // Line n (1-based) as laid out, without its line end.
    virtual std::string line(int32_t n) = 0;
};

// The wait a real text box needs before its lines can be read: calls `yield`
// (which processes pending window messages) until the runtime's clock has
// advanced by more than `hundredths` of a second. Passing midnight does not
// make it wait for a day.
void yieldUntilClockAdvances(const std::function<void()>& yield, int32_t hundredths = 5);

} // namespace help
