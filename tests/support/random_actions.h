#pragma once
// Seeded random actions of a player on a page model: what the window–model agreement test and
// the undo walk of the simulator give their pages. A step names a control by caption, so the
// same step can be taken on a bare model and on the real widgets.

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "kalvix/core/page/page_actions.h"
#include "kalvix/core/page/page_model.h"

namespace random_actions {

// Texts a player may type: numbers in and out of every page's limits, reals, words, nothing.
inline const std::vector<std::string>& typedTexts() {
    static const std::vector<std::string> texts = {
        "",           "0",          "1",     "2",    "3",     "5",     "8",      "9",      "10",
        "12",         "15",         "20",    "30",   "40",    "50",    "59",     "60",     "69",
        "70",         "80",         "89",    "99",   "100",   "109",   "120",    "129",    "144",
        "150",        "155",        "159",   "160",  "175",   "176",   "180",    "200",    "255",
        "400",        "999",        "1000",  "5000", "12345", "99999", "100000", "114500", "200000",
        "2147483647", "2147483648", "-1",    "-50",  "0.5",   "1.25",  "3.75",   "abc",    "1a",
        "床前",       "李白",       "cqmyg", "dt",   " 7"};
    return texts;
}

struct Step {
    std::string caption;
    std::string what;  // "type", "choose", "click", "focus", "tick"
    std::string value;
    int position = -1;

    std::string describe() const {
        if (what == "tick")
            return "@tick";
        if (what == "type")
            return caption + "=" + value;
        if (what == "choose")
            return caption + "=#" + std::to_string(position);
        return what + " " + caption;
    }
};

// A random step among the controls the model offers now (enabled, shown, and passing take);
// nullopt when there is none.
inline std::optional<Step> randomStep(const kalvix::PageModel& page, std::mt19937& rng,
                                      const std::function<bool(const kalvix::Control&)>& take) {
    using kalvix::ControlKind;
    std::vector<const kalvix::Control*> usable;
    for (const kalvix::Control& c : page.controls())
        if (c.isEnabled() && c.isVisible() && c.kind != ControlKind::Result &&
            c.kind != ControlKind::Label && c.kind != ControlKind::Table && take(c))
            usable.push_back(&c);
    if (usable.empty())
        return std::nullopt;
    if (rng() % 40 == 0)
        return Step{{}, "tick", {}, -1};
    const kalvix::Control& c = *usable[rng() % usable.size()];
    Step s{c.caption, "click", {}, -1};
    if (c.kind == ControlKind::Edit) {
        if (rng() % 8 == 0) {
            s.what = "focus";
        } else {
            s.what = "type";
            const auto& texts = typedTexts();
            s.value = rng() % 3 == 0 ? std::to_string(rng() % 200) : texts[rng() % texts.size()];
        }
    } else if (c.kind == ControlKind::List) {
        const std::size_t n = c.items ? c.items().size() : 0;
        if (n == 0)
            return std::nullopt;
        s.what = "choose";
        s.position = static_cast<int>(rng() % n);
    }
    return s;
}

// Takes the step on the model; the refusal as a line, or empty.
inline std::string apply(kalvix::PageActions& actions, const Step& s) {
    kalvix::ActionResult r;
    if (s.what == "tick") {
        actions.tick();
        return {};
    }
    if (s.what == "type")
        r = actions.type(s.caption, s.value);
    else if (s.what == "choose")
        r = actions.choose(s.caption, s.position);
    else if (s.what == "focus")
        r = actions.focus(s.caption);
    else
        r = actions.click(s.caption);
    return r.ok() ? std::string() : "the model refused " + s.describe() + ": " + r.error;
}

}  // namespace random_actions
