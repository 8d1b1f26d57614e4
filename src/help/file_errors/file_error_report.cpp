#include "help/file_errors/file_error_report.h"

#include <algorithm>
#include <array>

#include "runtime/sys/errors.h"
#include "runtime/sys/interaction.h"
#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::Icon;
namespace button = runtime::button;

constexpr std::string_view kEndApplication = ".  Press OK to end this application.";

struct MessageKind {
    int32_t number;
    std::string_view title;
    Icon icon;
    int32_t buttons;
    std::string_view haltText; // empty: the message returns
    int32_t goOnButton;        // the answer that returns instead of halting; 0 for none
};

constexpr std::array<MessageKind, 8> kKinds{{
    {file_message::InvalidFile, "Invalid File", Icon::Information, button::Ok, "Invalid File!", 0},
    {file_message::InvalidKey, "Invalid Key", Icon::Exclamation, button::Yes | button::No, "Invalid Key!",
     button::Yes},
    {file_message::KeyRebuildError, "Key Rebuild Error", Icon::Information, button::Ok,
     "Error Rebuilding Key!", 0},
    {file_message::CreationError, "File Creation Error", Icon::Information, button::Ok,
     "File Creation Error!", 0},
    {file_message::OpenCreatedError, "File Creation Error", Icon::Information, button::Ok,
     "File Creation Error!", 0},
    {file_message::AccessError, "File Access Error", Icon::Information, button::Ok, "", 0},
    {file_message::RecordRetrievalError, "Record Retrieval Error", Icon::Information, button::Ok, "", 0},
    {file_message::ViewOpenError, "View Open Error", Icon::Information, button::Ok, "", 0},
}};

std::string join(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces) {
        text += piece;
    }
    return text;
}

std::string messageText(int32_t number, std::string_view info, std::string_view error) {
    switch (number) {
    case file_message::InvalidFile:
        return join({"Error: (", error, ") accessing ", info, kEndApplication});
    case file_message::InvalidKey:
        return join({info, " key file is invalid.  Do you want to rebuild the key?"});
    case file_message::KeyRebuildError:
        return join({"Error: (", error, ") repairing key for ", info, kEndApplication});
    case file_message::CreationError:
        return join({"Error: (", error, ") creating ", info, kEndApplication});
    case file_message::OpenCreatedError:
        return join({"Error: (", error, ") opening created file:", info, kEndApplication});
    case file_message::AccessError:
        return join({"File (", info, ") could not be opened.  Error: ", error, "."});
    case file_message::RecordRetrievalError:
        return join({"Error: (", error, ") attempting to access a record from the ", info,
                     " file.  Returning to previous window."});
    default:
        return join(
            {"Error: (", error, ") attempting to open the current VIEW. Filter and Range Limits ignored."});
    }
}

} // namespace

std::string currentErrorText() {
    using runtime::text::trim;
    std::string text = runtime::errorcode() == runtime::err::DriverError
                           ? join({trim(runtime::fileerror()), " (", trim(runtime::fileerrorcode()), ")"})
                           : join({trim(runtime::error()), " (", std::to_string(runtime::errorcode()), ")"});
    return std::string(trim(text));
}

int32_t reportFileError(int32_t number, std::string_view info) {
    const auto* kind =
        std::find_if(kKinds.begin(), kKinds.end(), [&](const MessageKind& k) { return k.number == number; });
    RV_ASSERT(kind != kKinds.end(), "file error message " + std::to_string(number) + " does not exist");
    const int32_t defaultButton = kind->goOnButton != 0 ? kind->goOnButton : button::Ok;
    int32_t pressed = runtime::message(messageText(number, info, currentErrorText()), kind->title, kind->icon,
                                       kind->buttons, defaultButton);
    if (!kind->haltText.empty() && pressed != kind->goOnButton) {
        runtime::halt(0, kind->haltText);
    }
    return pressed;
}

} // namespace help
