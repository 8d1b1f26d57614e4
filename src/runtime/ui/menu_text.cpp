#include "runtime/ui/menu_text.h"

namespace runtime::ui {
namespace {

class MenuReader {
public:
    explicit MenuReader(std::string_view text) : text_(text) {}

    std::vector<MenuItem> level(int depth) {
        std::vector<MenuItem> items;
        for (;;) {
            size_t start = at_;
            while (at_ < text_.size() && text_[at_] != '|' && text_[at_] != '{' && text_[at_] != '}') {
                ++at_;
            }
            std::string_view raw = text_.substr(start, at_ - start);
            if (at_ < text_.size() && text_[at_] == '{') {
                ++at_;
                MenuItem submenu = entry(raw, MenuItem::Type::Submenu);
                submenu.children = level(depth + 1);
                items.push_back(std::move(submenu));
                continue;
            }
            if (!raw.empty()) {
                items.push_back(entry(raw, raw == "-" ? MenuItem::Type::Separator : MenuItem::Type::Item));
            }
            if (at_ >= text_.size()) {
                return items;
            }
            char delimiter = text_[at_++];
            if (delimiter == '}' && depth > 0) {
                return items;
            }
        }
    }

private:
    MenuItem entry(std::string_view raw, MenuItem::Type type) {
        MenuItem item;
        item.type = type;
        if (type == MenuItem::Type::Separator) {
            return item;
        }
        while (!raw.empty()) {
            if (raw.front() == '~') {
                item.unavailable = true;
            } else if (raw.front() == '+') {
                item.check = 1;
            } else if (raw.front() == '-' && raw.size() > 1) {
                item.check = 2;
            } else {
                break;
            }
            raw.remove_prefix(1);
        }
        if (raw.starts_with('[')) {
            size_t close = raw.find(']');
            if (close != std::string_view::npos) {
                std::string_view inside = raw.substr(1, close - 1);
                size_t open = inside.find('(');
                size_t end = inside.rfind(')');
                if (open != std::string_view::npos && end != std::string_view::npos && end > open) {
                    item.icon = std::string(inside.substr(open + 1, end - open - 1));
                }
                raw.remove_prefix(close + 1);
            }
        }
        item.text = std::string(raw);
        if (type == MenuItem::Type::Item) {
            item.number = next_++;
        }
        return item;
    }

    std::string_view text_;
    size_t at_ = 0;
    int32_t next_ = 1;
};

} // namespace

std::vector<MenuItem> parseMenuText(std::string_view text) {
    return MenuReader(text).level(0);
}

} // namespace runtime::ui
