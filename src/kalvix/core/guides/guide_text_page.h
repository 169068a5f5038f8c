#pragma once
// 剧情攻略 and 副本攻略: a list of story quests or dungeons, and the guide of the chosen one read
// from the guide file.

#include <string>
#include <vector>

#include "kalvix/core/guides/guide_file.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class GuideTextPage : public PageModel {
  public:
    enum Kind { Story, Dungeon };

    GuideTextPage(PageContext& context, Kind kind, GuideFile file = GuideFile());
    std::string title() const override { return kind_ == Story ? "剧情攻略" : "副本攻略"; }

    // The list's entries: the prompt, then the quests or dungeons.
    static const std::vector<std::string>& entries(Kind kind);
    // The section of the guide file that holds this kind's guides.
    static const char* section(Kind kind);
    // The caption of the list ("剧情任务" or "副本任务").
    static const char* listCaption(Kind kind);

    void choose(int index);
    int selected() const { return selected_; }
    const std::string& guide() const { return guide_; }

  private:
    Kind kind_;
    GuideFile file_;
    int selected_ = 0;
    std::string guide_;
};

}  // namespace kalvix
