// The text of a popup menu, read into items.
//
//   "Open|Save|-|~Print|+Wrap lines|Recent{First|Second}Exit"
//
//   "|"      separates items
//   "-"      an item that is only "-" is a separator line
//   "{" "}"  the item before "{" opens a submenu holding the items up to "}";
//            after "}" the next item may follow with or without a "|"
//   "~"      leading: the item is shown but cannot be chosen
//   "+" "-"  leading: the item has a check mark, set ("+") or clear ("-")
//   "[...(icon)]"  leading, after those marks: the item shows the icon named
//            in parentheses (a name as resources.h reads it)
//   "&"      the next letter is the item's mnemonic, as in any menu
//
// Items are numbered 1, 2, 3, ... in the order they appear, submenu items
// included where they stand. Separators and the items that open a submenu are
// not numbered, since they cannot be chosen; unavailable items are numbered,
// so the numbers do not move when an item is made unavailable. A choice of a
// popup menu is the number of the item; 0 means nothing was chosen.
//
// Reading never fails: empty items are left out, a "}" with no submenu open is
// ignored and a submenu that is not closed ends with the text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace runtime::ui {

struct MenuItem {
    enum class Type { Item, Separator, Submenu };
    Type type = Type::Item;
    std::string text;
    bool unavailable = false;
    int check = 0; // 0 no check mark, 1 set, 2 clear
    std::string icon;
    int32_t number = 0; // of an item; 0 for separators and submenus
    std::vector<MenuItem> children;
};

std::vector<MenuItem> parseMenuText(std::string_view text);

} // namespace runtime::ui
