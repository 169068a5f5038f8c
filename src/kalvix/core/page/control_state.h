#pragma once
// What a control shows, read from its page model: the text, the check mark, whether it is
// enabled and shown, and a list's items and chosen position. kalvix-calc --controls prints it
// and the window tests hold the real widgets against it.

#include <string>
#include <vector>

#include "kalvix/core/page/page_model.h"

namespace kalvix {

struct ControlState {
    std::string text;  // a list's chosen item; a button's or a box's label
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    std::vector<std::string> items;  // lists: every item; tables: the first column of each row
    int current = -1;                // lists: the chosen position, -1 when none
    TableRows rows;                  // tables: every cell
    std::int32_t picture = -1;       // the picture a control shows instead of a text

    bool operator==(const ControlState&) const = default;
};

ControlState controlState(const Control& c);

// The label a button, check box or radio button shows: its own text when the page gives one,
// else its caption without the group part ("体质.+1" shows "+1").
std::string buttonLabel(const Control& c);

}  // namespace kalvix
