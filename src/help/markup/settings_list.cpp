#include "help/markup/settings_list.h"

#include "runtime/text/strings.h"

namespace help {
namespace {

using runtime::text::clip;

constexpr char RowEnd = '\xAB';

enum class Field { ControlName, Property, Value };

class SettingsReader {
public:
    explicit SettingsReader(SettingsList& list) : list_(list) {}

    void read(std::string_view stored) {
        for (char c : stored) {
            if (field_ == Field::Value && c != RowEnd) {
                // Inside a value only the row end has a meaning, so tooltips
                // and command lines may hold brackets and semicolons.
                take(c);
            } else if (c == '[') {
                store();
                name_.clear();
                field_ = Field::ControlName;
            } else if (c == ']' || c == RowEnd) {
                store();
                field_ = Field::Property;
            } else if (c == ';') {
                field_ = Field::Value;
            } else {
                take(c);
            }
        }
        store();
    }

private:
    void take(char c) {
        switch (field_) {
        case Field::ControlName:
            append(name_, c, 20);
            break;
        case Field::Property:
            append(property_, c, 20);
            break;
        case Field::Value:
            append(value_, c, 60);
            break;
        }
    }

    static void append(std::string& field, char c, size_t limit) {
        if (field.size() < limit) {
            field.push_back(c);
        }
    }

    // Stores the pending row when it has a value, then starts the next row of
    // the same control.
    void store() {
        if (!runtime::text::isBlank(value_)) {
            list_.put(name_, property_, value_);
        }
        property_.clear();
        value_.clear();
    }

    SettingsList& list_;
    // A text that does not start with a bracketed name has rows of no name.
    Field field_ = Field::Property;
    std::string name_;
    std::string property_;
    std::string value_;
};

} // namespace

void SettingsList::put(std::string_view controlName, std::string_view property, std::string_view value,
                       std::string_view text) {
    for (SettingsRow& row : rows_) {
        if (row.CONTROLNAME == controlName && row.PROP == property) {
            row.SETTING = value;
            row.TEXT = text;
            return;
        }
    }
    SettingsRow& row = rows_.emplace_back();
    row.CONTROLNAME = controlName;
    row.PROP = property;
    row.SETTING = value;
    row.TEXT = text;
}

const SettingsRow* SettingsList::find(std::string_view controlName, std::string_view property) const {
    for (const SettingsRow& row : rows_) {
        if (row.CONTROLNAME == controlName && row.PROP == property) {
            return &row;
        }
    }
    return nullptr;
}

void loadSettings(std::string_view stored, SettingsList& list) {
    list.clear();
    SettingsReader(list).read(stored);
}

std::string storedSettings(const SettingsList& list) {
    std::string stored;
    const SettingsRow* previous = nullptr;
    for (const SettingsRow& row : list) {
        std::string piece;
        if (previous == nullptr || !(previous->CONTROLNAME == row.CONTROLNAME)) {
            piece.append("[").append(clip(row.CONTROLNAME.view())).append("]");
        }
        piece.append(clip(row.PROP.view())).append(";").append(clip(row.SETTING.view())).push_back(RowEnd);
        if (stored.size() + piece.size() > MaxStoredSettings) {
            break;
        }
        stored += piece;
        previous = &row;
    }
    return stored;
}

} // namespace help
