#include "kalvix/core/guides/zhuo_gui_page.h"

namespace kalvix {
namespace {

const char* const kLevel = "队伍平均等级";

}  // namespace

ZhuoGuiPage::ZhuoGuiPage(PageContext&) {
    addEdit(
        kLevel, "editLevel", [this] { return levelText_; },
        [this](const std::string& t) { editLevel(t); });
    addList(
        "环数", "comboRing",
        [] {
            return std::vector<std::string>{"第一环", "第二环", "第三环", "第四环", "第五环",
                                            "第六环", "第七环", "第八环", "第九环", "第十环"};
        },
        [this] { return ring_; }, [this](int i) { chooseRing(i); });
    addCheck(
        "开双倍(默认开5门)", "checkDouble", [this] { return double_; },
        [this](bool on) { checkDouble(on); });
    addResult("队长奖励经验", "editLeaderExp", [this] { return std::to_string(leaderExp_); });
    addResult("队长奖励金币", "editLeaderCoins", [this] { return std::to_string(leaderCoins_); });
    addResult("队员奖励经验", "editMemberExp", [this] { return std::to_string(memberExp_); });
    addResult("队员奖励金币", "editMemberCoins", [this] { return std::to_string(memberCoins_); });
    // Both close the window; the page has nothing to confirm or to take back.
    addButton("确定", "buttonOk", [] {});
    addButton("取消", "buttonCancel", [] {});
    fields().addInt64(kLevel, levelText_, level_);
    moveFocus(kLevel);
}

void ZhuoGuiPage::editLevel(const std::string& text) {
    levelText_ = text;
    recompute();
}

void ZhuoGuiPage::chooseRing(int index) {
    if (index < 0 || index >= kRings)
        return;
    ring_ = index;
    recompute();
}

void ZhuoGuiPage::checkDouble(bool on) {
    double_ = on;
    recompute();
}

void ZhuoGuiPage::recompute() {
    readFields();
    if (level_ > kMaxLevel || level_ < 0) {
        level_ = kMaxLevel;
        selectField(kLevel, false);
    }
    const std::int64_t L = level_;
    const std::int64_t r = ring_;
    leaderExp_ = (r + 652) * L;
    memberExp_ = (r + 593) * L;
    if (!double_) {
        leaderExp_ /= 2;
        memberExp_ /= 2;
    }
    leaderCoins_ = (r + 91) * L;
    memberCoins_ = (r + 76) * L;
    writeFields();
}

}  // namespace kalvix
