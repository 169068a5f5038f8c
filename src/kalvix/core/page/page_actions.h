#pragma once
// A user's actions on a page model, with the window's own rules: the focus moves to a control
// before it is used, choosing the item already chosen is no change, a click on a selected radio
// button is still a click, and disabled or hidden controls refuse. The widget binder,
// kalvix-calc and the tests all act through this one layer.

#include <cstdint>
#include <deque>
#include <string>

#include "kalvix/core/page/page_model.h"

namespace kalvix {

struct ActionResult {
    enum class Status {
        Taken,        // the action ran
        NoChange,     // nothing to do (the item or state was already chosen)
        FocusKept,    // the field being left kept the focus, so nothing reached the control
        Unavailable,  // no such control, or it is disabled or hidden
        BadValue,     // the control exists but cannot take this value
    };
    Status status = Status::Taken;
    std::string error;  // one line, for Unavailable and BadValue

    bool ok() const { return status != Status::Unavailable && status != Status::BadValue; }
};

// The control "<caption>=<value>" names: the longest caption of the page that the argument
// begins with, followed by '=' (so captions holding '=' work); value gets the rest. Null when
// no caption fits.
const Control* assignedControl(const PageModel& page, const std::string& argument,
                               std::string& value);

class PageActions {
  public:
    explicit PageActions(PageModel& page) : page_(page) {}

    PageModel& page() { return page_; }

    // Types the whole text into an edit field.
    ActionResult type(const std::string& caption, const std::string& text);
    // Chooses position n of a list.
    ActionResult choose(const std::string& caption, int position);
    // Chooses by the item's text, or by "#n" for position n.
    ActionResult chooseItem(const std::string& caption, const std::string& value);
    // Sets a check box by clicking it when its state differs; for a radio button, true clicks it
    // (even when it is selected already) and false is refused, as no click clears a radio.
    ActionResult setChecked(const std::string& caption, bool on);
    // Clicks a button, a radio button, or a check box (which then toggles).
    ActionResult click(const std::string& caption);
    // Moves the keyboard focus to a control.
    ActionResult focus(const std::string& caption);
    // Delivers n timer events.
    void tick(std::int64_t n = 1);
    // The next question box the page asks is answered with this (OK when true); without a
    // queued answer the page's own asker answers.
    void answerNext(bool ok);

    // "1" / "0" for check boxes and radio buttons, the item text or "#n" for lists, the text
    // for edit fields; a button takes no value.
    ActionResult assign(const std::string& caption, const std::string& value);

    // One argument in kalvix-calc's form: "<caption>=<value>", a button's caption alone,
    // "@focus=<caption>", "@tick=<n>" or "@answer=ok|cancel". A disabled or hidden control is
    // refused like an unknown argument.
    ActionResult perform(const std::string& argument);

    // The refusal text of a control that cannot be used.
    static std::string unavailableText(const std::string& caption);

  private:
    const Control* usable(const std::string& caption, ActionResult& result) const;
    // The same for a control of that kind; another kind is a bad value, otherKind + caption.
    const Control* usable(const std::string& caption, ControlKind kind, const char* otherKind,
                          ActionResult& result) const;
    bool takeFocus(const std::string& caption);
    void installAsker();
    // Runs one action of the user's; actions it makes on the way count as part of it.
    template <class Action>
    ActionResult act(Action&& action);

    PageModel& page_;
    std::deque<bool> answers_;
    bool askerInstalled_ = false;
    int depth_ = 0;
};

}  // namespace kalvix
