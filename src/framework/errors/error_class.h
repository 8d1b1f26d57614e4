// The one place where the framework turns a numbered error into a message for
// the user and a severity level the caller acts on. Callers name the error,
// set the file, field or free text it refers to, and get a level back; the
// Take... operations are virtual so an application can change how errors are
// shown.
//
// Message templates name what they refer to with placeholders: %FileErrorCode,
// %FileError, %File, %ErrorCode, %ErrorText, %Error, %Message, %Field, and
// %Previous (the template of the entry this one shadows).
//
// An ErrorClass is not shared between threads: its saved error state belongs
// to one caller's sequence of SetFile / Throw / Message calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/errors/error_block.h"
#include "runtime/text/fields.h"

namespace framework {

// Severity levels: what Throw and the Take... operations return.
using Level = uint8_t;
namespace level {
inline constexpr Level Benign = 0;  // nothing shown, go on
inline constexpr Level User = 1;    // the user was asked; yields Benign or Cancel
inline constexpr Level Program = 2; // a programming error, handled as fatal
inline constexpr Level Fatal = 3;   // the program stops
inline constexpr Level Cancel = 4;  // the user declined; cancel this action
inline constexpr Level Notify = 5;  // the user was told; the caller stays where it is
} // namespace level

namespace error_limits {
inline constexpr size_t Message = 2000; // a substituted message
} // namespace error_limits

class ErrorClass {
public:
    using Text = runtime::text::Fixed<255>;

    virtual ~ErrorClass() = default;

    // Creates the list and loads DefaultErrors into it; a second Init starts over.
    void Init();
    // Drops the list; a second Kill does nothing.
    void Kill();
    // Appends every entry of the block, in block order.
    virtual void AddErrors(ErrorBlock block);

    // Makes the last entry with this Id current. An unknown Id is a programming error.
    void SetId(uint16_t id);
    // Searches backwards from the 1-based position down to 1: Benign (and the
    // entry is current) when found, Notify when not.
    Level SetId(uint16_t id, size_t startPosition);

    // Captures the runtime's current error code and text and the file driver's own.
    void SetErrors();
    void SetFile(std::string_view name);

    // The current entry's template with every placeholder replaced.
    std::string SubsString() const;

    Level Throw(uint16_t id);
    Level ThrowMessage(uint16_t id, std::string_view text);
    // Shows the error with the state saved by the last Throw or SetErrors.
    Level TakeError(uint16_t id);

    virtual Level TakeBenign();
    virtual Level TakeFatal();
    virtual void TakeNotify();
    virtual Level TakeOther();
    virtual Level TakeProgram();
    virtual Level TakeUser();

    // Asks the question of an entry with buttons the caller chooses, whatever
    // the entry's Fatality; returns the pressed button.
    int32_t Message(uint16_t id, int32_t buttons, int32_t defaultButton);

    // The current entry, for Take... overrides.
    const ErrorEntry& currentEntry() const;

    std::optional<std::vector<ErrorEntry>> Errors;
    Text FieldName;
    Text FileName;
    Text MessageText;
    Text SaveError;
    int32_t SaveErrorCode = 0;
    Text SaveFileError;
    Text SaveFileErrorCode;

private:
    // The 1-based position of the last entry with this Id at or below `from`; 0 for none.
    size_t findBackwards(uint16_t id, size_t from) const;
    std::string expandPrevious(std::string text) const;

    size_t current_ = 0; // 1-based position in Errors, 0 for none
};

// Replaces every occurrence of `find` in `into` (case-sensitive).
void Replace(std::string_view find, std::string_view replacement, std::string& into);

} // namespace framework
