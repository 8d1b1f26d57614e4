#include "tip_file_session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "help/file_errors/file_error_report.h"
#include "help/store/stored_tips.h"
#include "runtime/sys/errors.h"
#include "runtime/text/dates.h"

namespace rvtips {

void StoreSession::ToolInteraction::halt(int32_t, std::string_view text) {
    if (!text.empty()) {
        std::fprintf(stderr, "Halt: %.*s\n", static_cast<int>(text.size()), text.data());
    }
    std::fflush(nullptr);
    std::exit(exit_code::FileError);
}

StoreSession::StoreSession() : use_(interaction_) {}

bool usableTipFile(const std::string& path, std::ostream& err) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        runtime::setError(std::filesystem::exists(path, ignored) ? runtime::err::AccessDenied
                                                                 : runtime::err::FileNotFound);
        fileError(path);
        return false;
    }
    if (help::isTipFile(path)) {
        return true;
    }
    const int32_t code = runtime::errorcode();
    const std::string driverCode = runtime::fileerrorcode();
    const std::string driverText = runtime::fileerror();
    if (code == runtime::err::InvalidDeclaration && help::isOldTipFile(path)) {
        err << "rvtips: " << path << " is a tip file of the old layout; convert it with: rvtips upgrade "
            << path << '\n';
        return false;
    }
    if (code == runtime::err::DriverError) {
        runtime::setDriverError(driverCode, driverText);
    } else {
        runtime::setError(code);
    }
    fileError(path);
    return false;
}

int fileError(const std::string& path) {
    help::reportFileError(help::file_message::AccessError, path);
    return exit_code::FileError;
}

int usageError(const Command& command, std::string_view problem, std::ostream& err) {
    err << "rvtips " << command.name << ": " << problem << '\n';
    printUsage(command, err);
    return exit_code::Usage;
}

std::string tipText(std::string text, bool fromFile) {
    if (fromFile && !text.empty() && text.back() == '\n') {
        text.pop_back();
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
    }
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            result.push_back('\r');
        }
        result.push_back(text[i]);
    }
    return result;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::ostream& err) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err << "rvtips: cannot read '" << path << "'\n";
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return true;
}

std::string dateText(int32_t day) {
    auto date = runtime::text::civilDate(day);
    if (!date) {
        return day == runtime::text::NoDate ? "" : std::to_string(day);
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date->year, date->month, date->day);
    return buffer;
}

} // namespace rvtips
