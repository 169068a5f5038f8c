#include "kalvix/core/page/control_state.h"

namespace kalvix {

std::string buttonLabel(const Control& c) {
    if (c.text)
        return c.text();
    const std::size_t dot = c.caption.rfind('.');
    return dot == std::string::npos || dot + 1 == c.caption.size() ? c.caption
                                                                   : c.caption.substr(dot + 1);
}

ControlState controlState(const Control& c) {
    ControlState s;
    s.enabled = c.isEnabled();
    s.visible = c.isVisible();
    switch (c.kind) {
        case ControlKind::Edit:
        case ControlKind::Result:
        case ControlKind::Label:
            s.text = c.text ? c.text() : std::string();
            break;
        case ControlKind::List:
            s.items = c.items ? c.items() : std::vector<std::string>{};
            s.current = c.selected ? c.selected() : -1;
            if (s.current < 0 || s.current >= static_cast<int>(s.items.size()))
                s.current = -1;
            else
                s.text = s.items[static_cast<std::size_t>(s.current)];
            break;
        case ControlKind::Check:
        case ControlKind::Radio:
            s.checked = c.checked && c.checked();
            s.text = buttonLabel(c);
            break;
        case ControlKind::Button:
            s.text = buttonLabel(c);
            break;
        case ControlKind::Table:
            s.rows = c.rows ? c.rows() : TableRows{};
            for (const auto& r : s.rows)
                s.items.push_back(r.empty() ? std::string() : r.front());
            break;
    }
    if (c.picture) {
        // The picture takes the text's place; the text stays the control's value.
        s.picture = c.picture();
        s.text.clear();
    }
    return s;
}

}  // namespace kalvix
