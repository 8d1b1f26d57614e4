#include "runtime/sys/errors.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>
#include <utility>

namespace runtime {
namespace {

// Fixed buffers, so the per-thread state needs no destructor: the MinGW
// runtime has been seen to run thread_local destructors on freed storage.
template <size_t N>
struct Text {
    char bytes[N];
    uint16_t length;

    Text& operator=(std::string_view value) {
        length = static_cast<uint16_t>(std::min(value.size(), N));
        std::memcpy(bytes, value.data(), length);
        return *this;
    }
    std::string str() const { return std::string(bytes, length); }
};

struct ErrorState {
    int32_t code;
    Text<255> text;
    Text<255> driverCode;
    Text<255> driverText;
};
static_assert(std::is_trivially_destructible_v<ErrorState>);

ErrorState& state() {
    thread_local ErrorState s{};
    return s;
}

constexpr std::array<std::pair<int32_t, std::string_view>, 17> kTexts{{
    {err::FileNotFound, "File Not Found"},
    {err::PathNotFound, "Path Not Found"},
    {err::TooManyFiles, "Too Many Open Files"},
    {err::AccessDenied, "Access Denied"},
    {err::InvalidHandle, "Invalid File Handle"},
    {err::FileLocked, "File Is Already Locked"},
    {err::NoRecord, "Record Not Available"},
    {err::RecordNotFound, "Record Not Found"},
    {err::FileNotOpen, "File Not Open"},
    {err::DuplicateKey, "Creates Duplicate Key"},
    {err::RecordHeld, "Record Is Already Held"},
    {err::KeysMustBeRebuilt, "Key File Must Be Rebuilt"},
    {err::InvalidDeclaration, "Invalid Record Declaration"},
    {err::AlreadyOpen, "File Already Open"},
    {err::ChangedByOther, "Record Changed By Another Station"},
    {err::DriverError, "File System Error"},
    {err::InvalidExpression, "Invalid Expression"},
}};

} // namespace

std::string_view errorText(int32_t code) {
    if (code == err::None) {
        return "";
    }
    for (const auto& [number, text] : kTexts) {
        if (number == code) {
            return text;
        }
    }
    return "Unknown Error";
}

void setError(int32_t code) {
    setError(code, errorText(code));
}

void setError(int32_t code, std::string_view text) {
    ErrorState& s = state();
    s.code = code;
    s.text = text;
    if (code != err::DriverError) {
        s.driverCode = "";
        s.driverText = "";
    }
}

void setDriverError(std::string_view driverCode, std::string_view driverText) {
    ErrorState& s = state();
    s.code = err::DriverError;
    s.text = errorText(err::DriverError);
    s.driverCode = driverCode;
    s.driverText = driverText;
}

void clearError() {
    state() = ErrorState{};
}

int32_t errorcode() {
    return state().code;
}
std::string error() {
    return state().text.str();
}
std::string fileerrorcode() {
    return state().driverCode.str();
}
std::string fileerror() {
    return state().driverText.str();
}

} // namespace runtime
