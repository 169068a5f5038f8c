#include "kalvix/core/page/page_model.h"

namespace kalvix {

std::vector<std::string> numberItems(int from, int to) {
    std::vector<std::string> items;
    for (int i = from; i <= to; ++i)
        items.push_back(std::to_string(i));
    return items;
}

const Control* PageModel::find(const std::string& caption) const {
    for (const auto& c : controls_)
        if (c.caption == caption)
            return &c;
    return nullptr;
}

const Control* PageModel::findById(const std::string& id) const {
    for (const auto& c : controls_)
        if (c.id == id)
            return &c;
    return nullptr;
}

std::vector<PageMessage> PageModel::takeMessages() {
    std::vector<PageMessage> out;
    out.swap(messages_);
    return out;
}

std::vector<FieldRequest> PageModel::takeFieldRequests() {
    std::vector<FieldRequest> out;
    out.swap(requests_);
    return out;
}

void PageModel::selectField(const std::string& caption, bool takeFocus) {
    const bool focus = takeFocus && moveFocus(caption);
    requests_.push_back({caption, focus, true, false});
}

void PageModel::caretToEnd(const std::string& caption) {
    requests_.push_back({caption, false, false, true});
}

void PageModel::focusField(const std::string& caption) {
    if (focus_ == caption)
        for (const FieldRequest& r : requests_)
            if (r.field == caption && r.focus && r.selectAll)
                return;
    selectField(caption, true);
}

bool PageModel::focusLeaving(const std::string&) {
    return true;
}
void PageModel::focusEntered(const std::string&) {}

bool PageModel::moveFocus(const std::string& caption) {
    if (caption == focus_)
        return true;
    if (!focus_.empty() && !focusLeaving(focus_))
        return false;
    focus_ = caption;
    focusEntered(caption);
    return true;
}

Control& PageModel::add(Control c) {
    controls_.push_back(std::move(c));
    return controls_.back();
}

Control& PageModel::addEdit(std::string caption, std::string id, std::function<std::string()> text,
                            std::function<void(const std::string&)> edit) {
    Control c;
    c.caption = std::move(caption);
    c.id = std::move(id);
    c.kind = ControlKind::Edit;
    c.text = std::move(text);
    c.edit = std::move(edit);
    return add(std::move(c));
}

Control& PageModel::addResult(std::string caption, std::string id,
                              std::function<std::string()> text) {
    Control c;
    c.caption = std::move(caption);
    c.id = std::move(id);
    c.kind = ControlKind::Result;
    c.output = true;
    c.text = std::move(text);
    return add(std::move(c));
}

Control& PageModel::addList(std::string caption, std::string id,
                            std::function<std::vector<std::string>()> items,
                            std::function<int()> selected, std::function<void(int)> choose) {
    Control c;
    c.caption = std::move(caption);
    c.id = std::move(id);
    c.kind = ControlKind::List;
    c.items = std::move(items);
    c.selected = std::move(selected);
    c.choose = std::move(choose);
    return add(std::move(c));
}

Control& PageModel::addButton(std::string caption, std::string id, std::function<void()> press) {
    Control c;
    c.caption = std::move(caption);
    c.id = std::move(id);
    c.kind = ControlKind::Button;
    c.press = std::move(press);
    return add(std::move(c));
}

Control& PageModel::addLink(std::string caption, std::string id, std::function<void()> press) {
    Control& c = addButton(std::move(caption), std::move(id), std::move(press));
    c.takesFocus = false;
    return c;
}

Control& PageModel::addCheck(std::string caption, std::string id, std::function<bool()> checked,
                             std::function<void(bool)> check) {
    Control c;
    c.caption = std::move(caption);
    c.id = std::move(id);
    c.kind = ControlKind::Check;
    c.checked = std::move(checked);
    c.check = std::move(check);
    return add(std::move(c));
}

Control& PageModel::addRadio(std::string caption, std::string id, std::function<bool()> checked,
                             std::function<void()> press) {
    Control c;
    c.caption = std::move(caption);
    c.id = std::move(id);
    c.kind = ControlKind::Radio;
    c.checked = std::move(checked);
    c.check = [press = std::move(press)](bool on) {
        if (on)
            press();
    };
    return add(std::move(c));
}

Control& PageModel::addLabel(std::string caption, std::string id,
                             std::function<std::string()> text) {
    Control c;
    c.caption = std::move(caption);
    c.id = std::move(id);
    c.kind = ControlKind::Label;
    c.text = std::move(text);
    return add(std::move(c));
}

void PageModel::wrapHandlers(const ActionWrapper& around) {
    for (Control& c : controls_) {
        const std::string caption = c.caption;
        const ControlKind kind = c.kind;
        if (auto f = c.edit)
            c.edit = [around, caption, kind, f](const std::string& t) {
                around(caption, kind, [&] { f(t); });
            };
        if (auto f = c.choose)
            c.choose = [around, caption, kind, f](int i) { around(caption, kind, [&] { f(i); }); };
        if (auto f = c.check)
            c.check = [around, caption, kind, f](bool on) {
                around(caption, kind, [&] { f(on); });
            };
        if (auto f = c.press)
            c.press = [around, caption, kind, f] { around(caption, kind, f); };
    }
}

void PageModel::showStatus(std::string text) {
    messages_.push_back({MessageWhere::Status, std::move(text), {}});
}

void PageModel::showBox(std::string text, std::string field) {
    messages_.push_back({MessageWhere::Box, std::move(text), std::move(field)});
}

bool PageModel::readFields() {
    if (const std::optional<common::FieldFailure> f = fields_.read()) {
        showBox(f->text, f->field);
        return false;
    }
    return true;
}

std::vector<std::string> PageModel::writeFields() {
    return fields_.write();
}

bool PageModel::ask(const std::string& text, const std::string& caption) {
    return asker ? asker(text, caption) : true;
}

void PageModel::playSound(std::string text) {
    messages_.push_back({MessageWhere::Sound, std::move(text), {}});
}

void PageModel::openAddress(std::string address) {
    messages_.push_back({MessageWhere::Open, std::move(address), {}});
}

void PageModel::open(const std::string& window) {
    if (opener)
        opener(window);
}

}  // namespace kalvix
