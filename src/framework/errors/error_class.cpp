#include "framework/errors/error_class.h"

#include <algorithm>
#include <array>
#include <utility>

#include "framework/errors/default_errors.h"
#include "runtime/sys/errors.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"

namespace framework {
namespace {

constexpr std::string_view kPrevious = "%Previous";
constexpr std::string_view kFatalTail = "  Press OK to end this application";

void cutToMessageLimit(std::string& text) {
    if (text.size() > error_limits::Message) {
        text.resize(error_limits::Message);
    }
}

} // namespace

void ErrorClass::Init() {
    Errors.emplace();
    current_ = 0;
    AddErrors(DefaultErrors);
}

void ErrorClass::Kill() {
    Errors.reset();
    current_ = 0;
}

void ErrorClass::AddErrors(ErrorBlock block) {
    RV_ASSERT(Errors.has_value(), "error list used before Init");
    std::optional<std::vector<ErrorEntry>> entries = readErrorBlock(block);
    RV_ASSERT(entries.has_value(), "error block does not match its count");
    Errors->insert(Errors->end(), std::make_move_iterator(entries->begin()),
                   std::make_move_iterator(entries->end()));
}

size_t ErrorClass::findBackwards(uint16_t id, size_t from) const {
    for (size_t position = std::min(from, Errors->size()); position > 0; --position) {
        if ((*Errors)[position - 1].Id == id) {
            return position;
        }
    }
    return 0;
}

void ErrorClass::SetId(uint16_t id) {
    RV_ASSERT(Errors.has_value(), "error list used before Init");
    size_t position = findBackwards(id, Errors->size());
    RV_ASSERT(position != 0, "error " + std::to_string(id) + " is not in the error list");
    current_ = position;
}

Level ErrorClass::SetId(uint16_t id, size_t startPosition) {
    RV_ASSERT(Errors.has_value(), "error list used before Init");
    size_t position = findBackwards(id, startPosition);
    if (position == 0) {
        return level::Notify;
    }
    current_ = position;
    return level::Benign;
}

const ErrorEntry& ErrorClass::currentEntry() const {
    RV_ASSERT(Errors.has_value() && current_ != 0 && current_ <= Errors->size(), "no current error entry");
    return (*Errors)[current_ - 1];
}

void ErrorClass::SetErrors() {
    SaveErrorCode = runtime::errorcode();
    SaveError = runtime::error();
    SaveFileErrorCode = runtime::fileerrorcode();
    SaveFileError = runtime::fileerror();
}

void ErrorClass::SetFile(std::string_view name) {
    FileName = name;
}

// Each earlier entry with the same Id is one more level down: its own
// "%Previous" reaches the entry below it, and its placeholders are filled in
// like the rest of the text rather than shown raw to the user.
std::string ErrorClass::expandPrevious(std::string text) const {
    const uint16_t id = currentEntry().Id;
    size_t position = current_;
    while (text.find(kPrevious) != std::string::npos) {
        size_t earlier = findBackwards(id, position - 1);
        Replace(kPrevious, earlier == 0 ? std::string_view{} : (*Errors)[earlier - 1].Message, text);
        cutToMessageLimit(text);
        if (earlier == 0) {
            break;
        }
        position = earlier;
    }
    return text;
}

// One pass over the template: a value put in is never searched again, so a
// file name or error text that happens to contain "%Field" stays as it is.
// Longer placeholders come before the shorter ones they begin with.
std::string ErrorClass::SubsString() const {
    const std::string errorText =
        SaveErrorCode == runtime::err::DriverError
            ? std::string(SaveFileError.clipped()) + " (" + std::string(SaveFileErrorCode.clipped()) + ")"
            : std::string(SaveError.clipped()) + " (" + std::to_string(SaveErrorCode) + ")";
    const std::array<std::pair<std::string_view, std::string>, 8> substitutions{{
        {"%FileErrorCode", std::string(SaveFileErrorCode.clipped())},
        {"%FileError", std::string(SaveFileError.clipped())},
        {"%File", std::string(FileName.clipped())},
        {"%ErrorCode", std::to_string(SaveErrorCode)},
        {"%ErrorText", errorText},
        {"%Error", std::string(SaveError.clipped())},
        {"%Message", std::string(MessageText.clipped())},
        {"%Field", std::string(FieldName.clipped())},
    }};

    std::string text = currentEntry().Message;
    cutToMessageLimit(text);
    text = expandPrevious(std::move(text));

    std::string result;
    size_t at = 0;
    while (at < text.size() && result.size() < error_limits::Message) {
        size_t mark = text.find('%', at);
        if (mark == std::string::npos) {
            result.append(text, at);
            break;
        }
        result.append(text, at, mark - at);
        auto match = std::find_if(substitutions.begin(), substitutions.end(), [&](const auto& s) {
            return text.compare(mark, s.first.size(), s.first) == 0;
        });
        if (match == substitutions.end()) {
            result += '%';
            at = mark + 1;
        } else {
            result += match->second;
            at = mark + match->first.size();
        }
    }
    cutToMessageLimit(result);
    return result;
}

Level ErrorClass::Throw(uint16_t id) {
    SetErrors();
    return TakeError(id);
}

Level ErrorClass::ThrowMessage(uint16_t id, std::string_view text) {
    MessageText = text;
    return Throw(id);
}

Level ErrorClass::TakeError(uint16_t id) {
    SetId(id);
    switch (currentEntry().Fatality) {
    case level::Benign:
        return TakeBenign();
    case level::User:
    case level::Cancel:
        return TakeUser();
    case level::Program:
        return TakeProgram();
    case level::Fatal:
        return TakeFatal();
    case level::Notify:
        TakeNotify();
        return level::Notify;
    default:
        return TakeOther();
    }
}

Level ErrorClass::TakeBenign() {
    return level::Benign;
}

Level ErrorClass::TakeUser() {
    int32_t answer = runtime::message(SubsString(), currentEntry().Title, runtime::Icon::Exclamation,
                                      runtime::button::Yes | runtime::button::No, runtime::button::Yes);
    return answer == runtime::button::Yes ? level::Benign : level::Cancel;
}

void ErrorClass::TakeNotify() {
    runtime::message(SubsString(), currentEntry().Title, runtime::Icon::Information, runtime::button::Ok,
                     runtime::button::Ok);
}

Level ErrorClass::TakeFatal() {
    const ErrorEntry& entry = currentEntry();
    runtime::message(SubsString() + std::string(kFatalTail), entry.Title, runtime::Icon::Information,
                     runtime::button::Ok, runtime::button::Ok);
    runtime::halt(0, entry.Title);
}

Level ErrorClass::TakeProgram() {
    return TakeFatal();
}

Level ErrorClass::TakeOther() {
    return TakeProgram();
}

int32_t ErrorClass::Message(uint16_t id, int32_t buttons, int32_t defaultButton) {
    SetId(id);
    return runtime::message(SubsString(), currentEntry().Title, runtime::Icon::Exclamation, buttons,
                            defaultButton);
}

void Replace(std::string_view find, std::string_view replacement, std::string& into) {
    into = runtime::text::replaceAll(into, find, replacement);
}

} // namespace framework
