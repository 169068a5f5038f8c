#include "kalvix/core/guides/guide_text_page.h"

namespace kalvix {

const std::vector<std::string>& GuideTextPage::entries(Kind kind) {
    static const std::vector<std::string> story = {
        "请选择剧情任务", "商人的鬼魂", "枯萎的金莲", "玄奘的身世", "寻找四琉璃", "大战心魔",
        "含冤的小白龙",   "八戒悟空",   "三打白骨精", "真假美猴王", "智取芭蕉扇", "无名鬼城",
        "女娲神迹",       "小西天",     "飞升剧情",   "三才无量",   "问药朱紫国", "蓬莱仙岛",
        "墨家村剧情",     "西凉女国",   "宝象国",
    };
    static const std::vector<std::string> dungeon = {
        "请选择副本任务",     "上古秘宝副本攻略",     "前世今生副本攻略",  "泾河龙王副本攻略",
        "天火之殇上副本攻略", "泾河龙王2副本攻略",    "四门绝阵副本攻略",  "猴王出世副本攻略",
        "乌鸡国副本攻略",     "四季副本攻略",         "前世今生2副本攻略", "车迟斗法副本攻略",
        "五庄观副本攻略",     "侠士副本水陆大会攻略", "平顶山副本攻略",    "七绝山副本攻略",
        "Tarvel副本攻略",     "侠士副本黑风山",       "红孩儿副本攻略",
    };
    return kind == Story ? story : dungeon;
}

const char* GuideTextPage::section(Kind kind) {
    return kind == Story ? "剧情任务" : "副本攻略";
}

const char* GuideTextPage::listCaption(Kind kind) {
    return kind == Story ? "剧情任务" : "副本任务";
}

GuideTextPage::GuideTextPage(PageContext&, Kind kind, GuideFile file)
    : kind_(kind), file_(std::move(file)) {
    const bool story = kind == Story;
    addList(
        listCaption(kind), story ? "comboStory" : "comboDungeon", [kind] { return entries(kind); },
        [this] { return selected_; }, [this](int i) { choose(i); });
    addResult("攻略", story ? "editStory" : "editDungeon", [this] { return guide_; });
    // The list takes the focus when the page opens; the text stays empty until a choice.
    moveFocus(listCaption(kind));
}

void GuideTextPage::choose(int index) {
    const auto& items = entries(kind_);
    if (index < 0 || index >= static_cast<int>(items.size()))
        return;
    selected_ = index;
    // The prompt is looked up like any entry: a key named like it shows its text.
    guide_ = file_.guide(section(kind_), items[static_cast<std::size_t>(index)]);
}

}  // namespace kalvix
