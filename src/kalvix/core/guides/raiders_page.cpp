#include "kalvix/core/guides/raiders_page.h"

#include "kalvix/core/guides/furniture_recipe_page.h"
#include "kalvix/core/guides/guide_text_page.h"
#include "kalvix/core/guides/junto_practice_page.h"
#include "kalvix/core/guides/old_friend_page.h"
#include "kalvix/core/guides/other_guides_page.h"

namespace kalvix {

RaidersPage::RaidersPage(PageContext& context, GuideFile file) {
    pages_[Story] = std::make_unique<GuideTextPage>(context, GuideTextPage::Story, file);
    pages_[Dungeon] = std::make_unique<GuideTextPage>(context, GuideTextPage::Dungeon, file);
    pages_[FurnitureRecipe] = std::make_unique<FurnitureRecipePage>(context);
    pages_[JuntoPractice] = std::make_unique<JuntoPracticePage>(context);
    pages_[OldFriend] = std::make_unique<OldFriendPage>(context);
    pages_[OtherGuides] = std::make_unique<OtherGuidesPage>(context);
    for (const auto& p : pages_)
        captions_.push_back(p->title());

    addList(
        "子页", "tabRaiders", [this] { return captions_; }, [this] { return current_; },
        [this](int i) { chooseTab(i); });
    for (int i = 0; i < kTabs; ++i)
        adopt(i);
}

void RaidersPage::chooseTab(int index) {
    if (index >= 0 && index < kTabs)
        current_ = index;
}

void RaidersPage::adopt(int index) {
    PageModel& sub = subPage(index);
    sub.opener = [this](const std::string& window) { open(window); };
    sub.asker = [this](const std::string& text, const std::string& caption) {
        return ask(text, caption);
    };
    const std::string prefix = captions_[static_cast<std::size_t>(index)] + ".";
    for (Control c : sub.controls()) {
        c.caption = prefix + c.caption;
        // Every action on a sub-page's control hands on what the sub-page showed.
        if (c.edit)
            c.edit = [this, index, f = c.edit](const std::string& t) {
                f(t);
                absorb(index);
            };
        if (c.choose)
            c.choose = [this, index, f = c.choose](int i) {
                f(i);
                absorb(index);
            };
        if (c.check)
            c.check = [this, index, f = c.check](bool on) {
                f(on);
                absorb(index);
            };
        if (c.press)
            c.press = [this, index, f = c.press] {
                f();
                absorb(index);
            };
        add(std::move(c));
    }
    absorb(index);  // shown while opening
}

void RaidersPage::absorb(int index) {
    PageModel& sub = subPage(index);
    const std::string prefix = captions_[static_cast<std::size_t>(index)] + ".";
    auto outer = [&prefix](const std::string& field) {
        return field.empty() ? field : prefix + field;
    };
    for (PageMessage& m : sub.takeMessages()) {
        switch (m.where) {
            case MessageWhere::Status:
                showStatus(std::move(m.text));
                break;
            case MessageWhere::Sound:
                playSound(std::move(m.text));
                break;
            case MessageWhere::Open:
                openAddress(std::move(m.text));
                break;
            case MessageWhere::Box:
            case MessageWhere::Field:
                showBox(std::move(m.text), outer(m.field));
                break;
        }
    }
    for (const FieldRequest& r : sub.takeFieldRequests()) {
        if (r.selectAll)
            selectField(outer(r.field), r.focus);
        if (r.caretToEnd)
            caretToEnd(outer(r.field));
    }
}

int RaidersPage::owner(const std::string& caption, std::string& rest) const {
    for (int i = 0; i < kTabs; ++i) {
        const std::string& cap = captions_[static_cast<std::size_t>(i)];
        if (caption.size() > cap.size() + 1 && caption.compare(0, cap.size(), cap) == 0 &&
            caption[cap.size()] == '.') {
            rest = caption.substr(cap.size() + 1);
            return i;
        }
    }
    return -1;
}

void RaidersPage::focusEntered(const std::string& caption) {
    std::string rest;
    if (const int i = owner(caption, rest); i >= 0) {
        subPage(i).moveFocus(rest);
        absorb(i);
    }
}

}  // namespace kalvix
