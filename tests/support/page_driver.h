#pragma once
// Drives a page model through its controls as a user (and kalvix-calc) would: the focus
// moves to a control before it is used.

#include <gtest/gtest.h>

#include <string>

#include "kalvix/core/page/page_model.h"

namespace calc_test {

inline const kalvix::Control& control(const kalvix::PageModel& page, const std::string& caption) {
    const kalvix::Control* c = page.find(caption);
    if (!c)
        ADD_FAILURE() << "no control " << caption;
    static const kalvix::Control none;
    return c ? *c : none;
}

inline void type(kalvix::PageModel& page, const std::string& caption, const std::string& text) {
    const kalvix::Control& c = control(page, caption);
    if (page.moveFocus(caption) && c.edit)
        c.edit(text);
}

// A disabled button cannot be pressed.
inline void press(kalvix::PageModel& page, const std::string& caption) {
    const kalvix::Control& c = control(page, caption);
    if (c.isEnabled() && page.moveFocus(caption) && c.press)
        c.press();
}

inline void choose(kalvix::PageModel& page, const std::string& caption, int index) {
    const kalvix::Control& c = control(page, caption);
    if (page.moveFocus(caption) && c.choose)
        c.choose(index);
}

inline void check(kalvix::PageModel& page, const std::string& caption, bool on) {
    const kalvix::Control& c = control(page, caption);
    if (page.moveFocus(caption) && c.check)
        c.check(on);
}

inline std::string text(const kalvix::PageModel& page, const std::string& caption) {
    const kalvix::Control& c = control(page, caption);
    return c.text ? c.text() : std::string();
}

// The texts of the messages shown since the last call, as "where:text".
inline std::vector<std::string> messages(kalvix::PageModel& page) {
    std::vector<std::string> out;
    for (const auto& m : page.takeMessages()) {
        const char* where = m.where == kalvix::MessageWhere::Status ? "status:" : "box:";
        out.push_back(where + m.text);
    }
    return out;
}

}  // namespace calc_test
