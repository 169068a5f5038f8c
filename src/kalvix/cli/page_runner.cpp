#include "page_runner.h"

#include <deque>

#include "common/field_reader.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {
namespace {

const char* whereName(MessageWhere w) {
    switch (w) {
        case MessageWhere::Status:
            return "status";
        case MessageWhere::Box:
            return "box";
        case MessageWhere::Field:
            return "field";
        case MessageWhere::Sound:
            return "sound";
        case MessageWhere::Open:
            return "open";
    }
    return "box";
}

void collect(PageModel& page, nlohmann::ordered_json& messages) {
    for (const PageMessage& m : page.takeMessages()) {
        if (m.where == MessageWhere::Status && m.text.empty())
            continue;  // a cleared status
        messages.push_back({{"where", whereName(m.where)}, {"text", m.text}});
    }
}

bool usable(const Control* c) {
    return c && c->isEnabled() && c->isVisible();
}

// The control whose caption is the longest one the argument begins with, followed by '='.
const Control* matchAssignment(const PageModel& page, const std::string& arg, std::string& value) {
    const Control* best = nullptr;
    for (const Control& c : page.controls()) {
        const std::string& cap = c.caption;
        if (arg.size() > cap.size() && arg.compare(0, cap.size(), cap) == 0 &&
            arg[cap.size()] == '=' && (!best || cap.size() > best->caption.size()))
            best = &c;
    }
    if (best)
        value = arg.substr(best->caption.size() + 1);
    return best;
}

std::string applyValue(PageModel& page, const Control& c, const std::string& value) {
    if (!page.moveFocus(c.caption))
        return {};  // the focus stays where it is, as in the window
    switch (c.kind) {
        case ControlKind::Edit:
            if (c.edit)
                c.edit(value);
            return {};
        case ControlKind::List: {
            std::vector<std::string> items = c.items ? c.items() : std::vector<std::string>{};
            int pos = -1;
            if (!value.empty() && value[0] == '#') {
                auto n =
                    common::parseInteger(value.substr(1), 0, static_cast<long>(items.size()) - 1);
                if (n)
                    pos = static_cast<int>(*n);
            } else {
                for (std::size_t i = 0; i < items.size(); ++i)
                    if (items[i] == value) {
                        pos = static_cast<int>(i);
                        break;
                    }
            }
            if (pos < 0)
                return "unknown value for " + c.caption + ": " + value;
            if (c.selected && c.selected() == pos)
                return {};  // not a change
            if (c.choose)
                c.choose(pos);
            return {};
        }
        case ControlKind::Check:
        case ControlKind::Radio:
            if (value != "0" && value != "1")
                return "expected 0 or 1 for " + c.caption;
            if (c.check && (!c.checked || c.checked() != (value == "1")))
                c.check(value == "1");
            return {};
        default:
            return "not an input: " + c.caption;
    }
}

}  // namespace

nlohmann::ordered_json pageOutput(const PageModel& page, const nlohmann::ordered_json& messages) {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const Control& c : page.controls()) {
        if (!c.output)
            continue;
        if (c.kind == ControlKind::Table) {
            nlohmann::ordered_json rows = nlohmann::ordered_json::array();
            if (c.rows)
                for (const auto& r : c.rows())
                    rows.push_back(r);
            out[c.caption] = rows;
        } else if (c.kind == ControlKind::List) {
            std::vector<std::string> items = c.items ? c.items() : std::vector<std::string>{};
            int sel = c.selected ? c.selected() : -1;
            out[c.caption] = sel >= 0 && sel < static_cast<int>(items.size()) ? items[sel] : "";
        } else if (c.kind == ControlKind::Check || c.kind == ControlKind::Radio) {
            out[c.caption] = c.checked && c.checked() ? "1" : "0";
        } else {
            out[c.caption] = c.text ? c.text() : "";
        }
    }
    out["messages"] = messages;
    return out;
}

RunResult runPage(PageModel& page, const std::vector<std::string>& args) {
    RunResult result;
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    std::deque<bool> answers;
    page.asker = [&answers](const std::string&) {
        if (answers.empty())
            return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    };
    collect(page, messages);  // shown while opening
    for (const std::string& arg : args) {
        std::string error;
        if (arg.rfind("@focus=", 0) == 0) {
            const Control* c = page.find(arg.substr(7));
            if (!usable(c))
                error = "unknown control: " + arg.substr(7);
            else
                page.moveFocus(c->caption);
        } else if (arg.rfind("@tick=", 0) == 0) {
            auto n = common::parseInteger(arg.substr(6), 0, 1000000);
            if (!n)
                error = "bad tick count: " + arg;
            else
                for (std::int64_t i = 0; i < *n; ++i)
                    page.tick();
        } else if (arg.rfind("@answer=", 0) == 0) {
            std::string a = arg.substr(8);
            if (a != "ok" && a != "cancel")
                error = "expected @answer=ok or @answer=cancel";
            else
                answers.push_back(a == "ok");
        } else if (const Control* b = page.find(arg); b && b->kind == ControlKind::Button) {
            if (!usable(b))
                error = "unknown control: " + arg;
            else if (page.moveFocus(b->caption) && b->press)
                b->press();
        } else {
            std::string value;
            const Control* c = matchAssignment(page, arg, value);
            if (!usable(c))
                error = "unknown argument: " + arg;
            else
                error = applyValue(page, *c, value);
        }
        if (!error.empty()) {
            result.ok = false;
            result.error = error;
            return result;
        }
        collect(page, messages);
    }
    result.output = pageOutput(page, messages);
    return result;
}

}  // namespace kalvix
