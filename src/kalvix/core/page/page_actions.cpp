#include "kalvix/core/page/page_actions.h"

#include "common/number_text.h"

namespace kalvix {
namespace {

ActionResult taken() {
    return {};
}

ActionResult status(ActionResult::Status s, std::string error = {}) {
    ActionResult r;
    r.status = s;
    r.error = std::move(error);
    return r;
}

}  // namespace

template <class Action>
ActionResult PageActions::act(Action&& action) {
    const std::size_t from = page_.pendingMessages().size();
    ++depth_;
    const ActionResult r = action();
    if (--depth_ == 0) {
        // As in the window: a box about a field puts the focus in that field, its text
        // selected, once the action is through.
        std::vector<std::string> fields;
        const auto& shown = page_.pendingMessages();
        for (std::size_t i = from; i < shown.size(); ++i)
            if (shown[i].where == MessageWhere::Box && !shown[i].field.empty())
                fields.push_back(shown[i].field);
        for (const std::string& f : fields)
            page_.focusField(f);
    }
    return r;
}

const Control* assignedControl(const PageModel& page, const std::string& argument,
                               std::string& value) {
    const Control* best = nullptr;
    for (const Control& c : page.controls()) {
        const std::string& cap = c.caption;
        if (argument.size() > cap.size() && argument.compare(0, cap.size(), cap) == 0 &&
            argument[cap.size()] == '=' && (!best || cap.size() > best->caption.size()))
            best = &c;
    }
    if (best)
        value = argument.substr(best->caption.size() + 1);
    return best;
}

ActionResult PageActions::perform(const std::string& argument) {
    return act([&]() -> ActionResult {
        if (argument.rfind("@focus=", 0) == 0)
            return focus(argument.substr(7));
        if (argument.rfind("@tick=", 0) == 0) {
            auto n = common::parseInteger(argument.substr(6), 0, 1000000);
            if (!n)
                return status(ActionResult::Status::BadValue, "bad tick count: " + argument);
            tick(*n);
            return taken();
        }
        if (argument.rfind("@answer=", 0) == 0) {
            const std::string a = argument.substr(8);
            if (a != "ok" && a != "cancel")
                return status(ActionResult::Status::BadValue,
                              "expected @answer=ok or @answer=cancel");
            answerNext(a == "ok");
            return taken();
        }
        const std::string unknown = "unknown argument: " + argument;
        if (const Control* b = page_.find(argument); b && b->kind == ControlKind::Button) {
            const ActionResult r = click(argument);
            return r.ok() ? r : status(ActionResult::Status::Unavailable, unknown);
        }
        std::string value;
        const Control* c = assignedControl(page_, argument, value);
        if (!c)
            return status(ActionResult::Status::Unavailable, unknown);
        const ActionResult r = assign(c->caption, value);
        return r.status == ActionResult::Status::Unavailable
                   ? status(ActionResult::Status::Unavailable, unknown)
                   : r;
    });
}

std::string PageActions::unavailableText(const std::string& caption) {
    return "unknown control: " + caption;
}

const Control* PageActions::usable(const std::string& caption, ActionResult& result) const {
    const Control* c = page_.find(caption);
    if (!c || !c->isEnabled() || !c->isVisible()) {
        result = status(ActionResult::Status::Unavailable, unavailableText(caption));
        return nullptr;
    }
    return c;
}

const Control* PageActions::usable(const std::string& caption, ControlKind kind,
                                   const char* otherKind, ActionResult& result) const {
    const Control* c = usable(caption, result);
    if (c && c->kind != kind) {
        result = status(ActionResult::Status::BadValue, otherKind + caption);
        return nullptr;
    }
    return c;
}

bool PageActions::takeFocus(const std::string& caption) {
    return page_.moveFocus(caption);
}

ActionResult PageActions::type(const std::string& caption, const std::string& text) {
    return act([&]() -> ActionResult {
        ActionResult r;
        const Control* c = usable(caption, ControlKind::Edit, "not a field to type in: ", r);
        if (!c)
            return r;
        if (!takeFocus(caption))
            return status(ActionResult::Status::FocusKept);
        if (c->edit)
            c->edit(text);
        return taken();
    });
}

ActionResult PageActions::choose(const std::string& caption, int position) {
    return act([&]() -> ActionResult {
        ActionResult r;
        const Control* c = usable(caption, ControlKind::List, "not a list: ", r);
        if (!c)
            return r;
        const std::size_t count = c->items ? c->items().size() : 0;
        if (position < 0 || static_cast<std::size_t>(position) >= count)
            return status(ActionResult::Status::BadValue,
                          "unknown value for " + caption + ": #" + std::to_string(position));
        if (!takeFocus(caption))
            return status(ActionResult::Status::FocusKept);
        // A drop-down list reports no change when the chosen item is chosen again.
        if (c->selected && c->selected() == position)
            return status(ActionResult::Status::NoChange);
        if (c->choose)
            c->choose(position);
        return taken();
    });
}

ActionResult PageActions::chooseItem(const std::string& caption, const std::string& value) {
    return act([&]() -> ActionResult {
        ActionResult r;
        const Control* c = usable(caption, ControlKind::List, "not a list: ", r);
        if (!c)
            return r;
        const std::vector<std::string> items = c->items ? c->items() : std::vector<std::string>{};
        int position = -1;
        if (!value.empty() && value[0] == '#') {
            if (auto n = common::parseInteger(value.substr(1), 0,
                                              static_cast<std::int64_t>(items.size()) - 1))
                position = static_cast<int>(*n);
        } else {
            for (std::size_t i = 0; i < items.size(); ++i)
                if (items[i] == value) {
                    position = static_cast<int>(i);
                    break;
                }
        }
        if (position < 0)
            return status(ActionResult::Status::BadValue,
                          "unknown value for " + caption + ": " + value);
        return choose(caption, position);
    });
}

ActionResult PageActions::setChecked(const std::string& caption, bool on) {
    return act([&]() -> ActionResult {
        ActionResult r;
        const Control* c = usable(caption, r);
        if (!c)
            return r;
        if (c->kind == ControlKind::Radio) {
            if (!on)
                return status(ActionResult::Status::BadValue,
                              "a radio button is only ever clicked on: " + caption);
            return click(caption);
        }
        if (c->kind != ControlKind::Check)
            return status(ActionResult::Status::BadValue, "not a check box: " + caption);
        if (c->checked && c->checked() == on) {
            // The box shows this state already, so a user would not click it.
            return takeFocus(caption) ? status(ActionResult::Status::NoChange)
                                      : status(ActionResult::Status::FocusKept);
        }
        return click(caption);
    });
}

ActionResult PageActions::click(const std::string& caption) {
    return act([&]() -> ActionResult {
        ActionResult r;
        const Control* c = usable(caption, r);
        if (!c)
            return r;
        switch (c->kind) {
            case ControlKind::Button:
                if (c->takesFocus && !takeFocus(caption))
                    return status(ActionResult::Status::FocusKept);
                if (c->press)
                    c->press();
                return taken();
            case ControlKind::Radio:
                // A click on a selected radio button is still a click: its handler runs again.
                if (!takeFocus(caption))
                    return status(ActionResult::Status::FocusKept);
                if (c->check)
                    c->check(true);
                return taken();
            case ControlKind::Check: {
                if (!takeFocus(caption))
                    return status(ActionResult::Status::FocusKept);
                const bool on = !(c->checked && c->checked());
                if (c->check)
                    c->check(on);
                return taken();
            }
            default:
                return status(ActionResult::Status::BadValue, "not a button: " + caption);
        }
    });
}

ActionResult PageActions::focus(const std::string& caption) {
    return act([&]() -> ActionResult {
        ActionResult r;
        if (!usable(caption, r))
            return r;
        return takeFocus(caption) ? taken() : status(ActionResult::Status::FocusKept);
    });
}

void PageActions::tick(std::int64_t n) {
    act([&] {
        for (std::int64_t i = 0; i < n; ++i)
            page_.tick();
        return taken();
    });
}

void PageActions::answerNext(bool ok) {
    answers_.push_back(ok);
    installAsker();
}

void PageActions::installAsker() {
    if (askerInstalled_)
        return;
    askerInstalled_ = true;
    auto previous = page_.asker;
    page_.asker = [this, previous](const std::string& text, const std::string& caption) {
        if (answers_.empty())
            return previous ? previous(text, caption) : true;
        const bool a = answers_.front();
        answers_.pop_front();
        return a;
    };
}

ActionResult PageActions::assign(const std::string& caption, const std::string& value) {
    return act([&]() -> ActionResult {
        ActionResult r;
        const Control* c = usable(caption, r);
        if (!c)
            return r;
        switch (c->kind) {
            case ControlKind::Edit:
                return type(caption, value);
            case ControlKind::List:
                return chooseItem(caption, value);
            case ControlKind::Check:
            case ControlKind::Radio:
                if (value != "0" && value != "1")
                    return status(ActionResult::Status::BadValue, "expected 0 or 1 for " + caption);
                return setChecked(caption, value == "1");
            default:
                return status(ActionResult::Status::BadValue, "not an input: " + caption);
        }
    });
}

}  // namespace kalvix
