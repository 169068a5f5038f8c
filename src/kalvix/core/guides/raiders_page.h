#pragma once
// 常用攻略: six sub-pages behind a tab control of their own, created once with the page and
// kept for its life. Their controls are the page's, under "<tab caption>." (剧情攻略.剧情任务,
// 老朋友回流计算.被绑定人.计算 ...), so one model serves the window and kalvix-calc alike.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "kalvix/core/guides/guide_file.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class RaidersPage : public PageModel {
  public:
    enum Tab { Story = 0, Dungeon, FurnitureRecipe, JuntoPractice, OldFriend, OtherGuides };
    static constexpr int kTabs = 6;

    explicit RaidersPage(PageContext& context, GuideFile file = GuideFile());
    std::string title() const override { return "常用攻略"; }

    void focusEntered(const std::string& caption) override;

    // The sub-tab captions, in tab order.
    const std::vector<std::string>& tabCaptions() const { return captions_; }
    int current() const { return current_; }
    void chooseTab(int index);
    PageModel& subPage(int index) { return *pages_[static_cast<std::size_t>(index)]; }

  private:
    // Takes the sub-page's controls under its prefix.
    void adopt(int index);
    // Moves what the sub-page showed or asked for into this page's messages and requests.
    void absorb(int index);
    // The sub-page a caption belongs to, or -1; rest is the caption on the sub-page.
    int owner(const std::string& caption, std::string& rest) const;

    std::array<std::unique_ptr<PageModel>, kTabs> pages_;
    std::vector<std::string> captions_;
    int current_ = 0;
};

}  // namespace kalvix
