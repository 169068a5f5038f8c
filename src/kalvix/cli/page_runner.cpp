#include "page_runner.h"

#include "kalvix/core/page/control_state.h"
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

nlohmann::ordered_json controlsOutput(const PageModel& page) {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const Control& c : page.controls()) {
        const ControlState s = controlState(c);
        nlohmann::ordered_json one = {{"text", s.text},
                                      {"checked", s.checked},
                                      {"enabled", s.enabled},
                                      {"visible", s.visible}};
        if (c.kind == ControlKind::List) {
            one["items"] = s.items;
            one["current"] = s.current;
        } else if (c.kind == ControlKind::Table) {
            one["items"] = s.rows;
        }
        if (c.picture)
            one["picture"] = s.picture;
        out[c.caption] = std::move(one);
    }
    return out;
}

RunResult runPage(PageModel& page, const std::vector<std::string>& args, bool withControls) {
    RunResult result;
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    PageActions actions(page);
    collect(page, messages);  // shown while opening
    for (const std::string& arg : args) {
        const ActionResult r = actions.perform(arg);
        if (!r.ok()) {
            result.ok = false;
            result.error = r.error;
            return result;
        }
        collect(page, messages);
    }
    result.output = pageOutput(page, messages);
    if (withControls)
        result.output["controls"] = controlsOutput(page);
    return result;
}

}  // namespace kalvix
