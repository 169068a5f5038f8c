#pragma once
// Drives a page model as a user (and kalvix-calc) would, through the one action layer.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kalvix/core/page/page_actions.h"
#include "kalvix/core/page/page_model.h"

namespace calc_test {

inline const kalvix::Control& control(const kalvix::PageModel& page, const std::string& caption) {
    const kalvix::Control* c = page.find(caption);
    if (!c)
        ADD_FAILURE() << "no control " << caption;
    static const kalvix::Control none;
    return c ? *c : none;
}

// A missing control fails the test; a disabled or hidden one is refused as in the window.
inline kalvix::ActionResult checked(const kalvix::PageModel& page, const std::string& caption,
                                    kalvix::ActionResult r) {
    if (!page.find(caption))
        ADD_FAILURE() << "no control " << caption;
    return r;
}

inline kalvix::ActionResult type(kalvix::PageModel& page, const std::string& caption,
                                 const std::string& text) {
    return checked(page, caption, kalvix::PageActions(page).type(caption, text));
}

inline kalvix::ActionResult press(kalvix::PageModel& page, const std::string& caption) {
    return checked(page, caption, kalvix::PageActions(page).click(caption));
}

inline kalvix::ActionResult choose(kalvix::PageModel& page, const std::string& caption, int index) {
    return checked(page, caption, kalvix::PageActions(page).choose(caption, index));
}

inline kalvix::ActionResult chooseItem(kalvix::PageModel& page, const std::string& caption,
                                       const std::string& value) {
    return checked(page, caption, kalvix::PageActions(page).chooseItem(caption, value));
}

// Sets a check box; for a radio button, on clicks it.
inline kalvix::ActionResult check(kalvix::PageModel& page, const std::string& caption, bool on) {
    return checked(page, caption, kalvix::PageActions(page).setChecked(caption, on));
}

inline void tick(kalvix::PageModel& page, std::int64_t n = 1) {
    kalvix::PageActions(page).tick(n);
}

inline std::string text(const kalvix::PageModel& page, const std::string& caption) {
    const kalvix::Control& c = control(page, caption);
    return c.text ? c.text() : std::string();
}

// The texts of the messages shown since the last call, as "where:text".
inline std::vector<std::string> messages(kalvix::PageModel& page) {
    std::vector<std::string> out;
    for (const auto& m : page.takeMessages()) {
        const char* where = "box:";
        switch (m.where) {
            case kalvix::MessageWhere::Status:
                where = "status:";
                break;
            case kalvix::MessageWhere::Sound:
                where = "sound:";
                break;
            case kalvix::MessageWhere::Open:
                where = "open:";
                break;
            default:
                break;
        }
        out.push_back(where + m.text);
    }
    return out;
}

}  // namespace calc_test
