#include "page_runner.h"

#include "common/number_text.h"
#include "kalvix/core/page/page_actions.h"
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

// One argument as a user's action; an empty text when it was taken.
std::string apply(PageActions& actions, const std::string& arg) {
    PageModel& page = actions.page();
    if (arg.rfind("@focus=", 0) == 0) {
        const ActionResult r = actions.focus(arg.substr(7));
        return r.ok() ? std::string() : r.error;
    }
    if (arg.rfind("@tick=", 0) == 0) {
        auto n = common::parseInteger(arg.substr(6), 0, 1000000);
        if (!n)
            return "bad tick count: " + arg;
        actions.tick(*n);
        return {};
    }
    if (arg.rfind("@answer=", 0) == 0) {
        const std::string a = arg.substr(8);
        if (a != "ok" && a != "cancel")
            return "expected @answer=ok or @answer=cancel";
        actions.answerNext(a == "ok");
        return {};
    }
    if (const Control* b = page.find(arg); b && b->kind == ControlKind::Button) {
        const ActionResult r = actions.click(arg);
        // A disabled or hidden button is refused like an unknown argument.
        return r.ok() ? std::string() : "unknown argument: " + arg;
    }
    std::string value;
    const Control* c = matchAssignment(page, arg, value);
    if (!c)
        return "unknown argument: " + arg;
    const ActionResult r = actions.assign(c->caption, value);
    if (r.status == ActionResult::Status::Unavailable)
        return "unknown argument: " + arg;
    return r.ok() ? std::string() : r.error;
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
    PageActions actions(page);
    collect(page, messages);  // shown while opening
    for (const std::string& arg : args) {
        const std::string error = apply(actions, arg);
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
