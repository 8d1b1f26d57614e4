#include "help/store/tip_record.h"

namespace help {

TipKey tipKey(std::string_view procedure, std::string_view control, std::string_view type) {
    return {procedure, control, type};
}

TipKey keyOf(const TipRecord& record) {
    return {record.PROCEDURENAME, record.CONTROLNAME, record.CONTROLTYPE};
}

void setKey(TipRecord& record, const TipKey& key) {
    record.PROCEDURENAME = key.procedure;
    record.CONTROLNAME = key.control;
    record.CONTROLTYPE = key.type;
}

void clearTip(Tip& tip) {
    tip = Tip{};
}

int16_t tipWidth(const Tip& tip) {
    runtime::text::Short width;
    width.bytes = {static_cast<unsigned char>(tip.OTHER.bytes[0]),
                   static_cast<unsigned char>(tip.OTHER.bytes[1])};
    return width.get();
}

void setTipWidth(Tip& tip, int16_t width) {
    runtime::text::Short stored(width);
    tip.OTHER.bytes[0] = static_cast<char>(stored.bytes[0]);
    tip.OTHER.bytes[1] = static_cast<char>(stored.bytes[1]);
}

std::string_view memoText(std::string_view fixedText) {
    size_t end = fixedText.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : fixedText.substr(0, end + 1);
}

} // namespace help
