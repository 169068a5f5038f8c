#include "kalvix/core/guides/old_friend_page.h"

namespace kalvix {
namespace {

const char* const kTooLow = "最小等级为60";

}  // namespace

std::string OldFriendPage::groupName(Group g) {
    return g == Bound ? "被绑定人" : "绑定人";
}

const std::string& OldFriendPage::note() {
    static const std::string text = [] {
        static const char* const lines[] = {
            "一共可以领15次,",    "所需时间：",         "第一次需要0小时",    "第二次需要3小时",
            "第三次需要6小时",    "第四次需要9小时",    "第五次需要12小时",   "第六次需要18小时",
            "第七次需要24小时",   "第八次需要30小时",   "第九次需要36小时",   "第十次需要42小时",
            "第十一次需要48小时", "第十二次需要54小时", "第十三次需要60小时", "第十四次需要66小时",
            "第十五次需要72小时",
        };
        std::string t;
        for (const char* l : lines)
            t += std::string(l) + "\r\n";
        return t;
    }();
    return text;
}

OldFriendPage::OldFriendPage(PageContext&) {
    static const char* const ids[2][8] = {
        {"editLevelBound", "comboCountBound", "editExpBound", "editMoneyBound", "editTotalExpBound",
         "editTotalMoneyBound", "buttonCalcBound", ""},
        {"editLevelBinder", "comboCountBinder", "editExpBinder", "editMoneyBinder",
         "editTotalExpBinder", "editTotalMoneyBinder", "buttonCalcBinder", ""},
    };
    for (Group g : {Bound, Binder}) {
        const std::string prefix = groupName(g) + ".";
        Side& s = sides_[g];
        addEdit(
            prefix + "人物等级", ids[g][0], [&s] { return s.levelText; },
            [this, g](const std::string& t) { editLevel(g, t); });
        addList(
            prefix + "领取次数", ids[g][1], [] { return numberItems(1, kCollections); },
            [&s] { return s.count; }, [this, g](int i) { chooseCount(g, i); });
        addResult(prefix + "经验", ids[g][2], [&s] { return std::to_string(s.exp); });
        addResult(prefix + "储备金", ids[g][3], [&s] { return std::to_string(s.money); });
        addResult(prefix + "奖励合计经验", ids[g][4], [&s] { return std::to_string(s.totalExp); });
        addResult(prefix + "奖励合计储备金", ids[g][5],
                  [&s] { return std::to_string(s.totalMoney); });
        addButton(prefix + "计算", ids[g][6], [this, g] { calculate(g); });
    }
    addLabel("老玩家回流奖励详情", "textNote", [] { return note(); });

    for (Group g : {Bound, Binder}) {
        Side& s = sides_[g];
        // A refused value is not kept: the computation goes on with the last accepted level.
        // Any level below 60 gets "最小等级为60" at the computation, a negative one too, so
        // only the top of the range is checked here.
        fields()
            .addInt(groupName(g) + ".人物等级", s.levelText, s.level)
            .within(INT32_MIN, kMaxLevel, OutOfRange::RefuseUnstored)
            .rangeMessage(common::rangeMessage(0, kMaxLevel));
    }
}

void OldFriendPage::editLevel(Group g, const std::string& text) {
    sides_[g].levelText = text;
}

void OldFriendPage::chooseCount(Group g, int index) {
    if (index >= 0 && index < kCollections)
        sides_[g].count = index;
}

void OldFriendPage::calculate(Group g) {
    computeExp(g);
    computeMoney(g);
}

void OldFriendPage::computeExp(Group g) {
    readFields();
    Side& s = sides_[g];
    const std::int32_t L = s.level;
    if (L < kMinLevel)
        return showBox(kTooLow);
    const std::int32_t n = s.count + 1;
    std::int32_t exp = 0;
    if (n == 1)
        exp = (L * L + 500) * 100;
    else if (n <= 5)
        exp = 20 * L * (L + 200 * (n - 1));
    else
        exp = 20 * L * (L + 400 * (n - 3));
    if (g == Bound) {
        s.exp = exp;
        s.totalExp = (380 * L + 640000) * L + 50000;
    } else {
        s.exp = exp / 5;
        s.totalExp = (76 * L + 128000) * L + 10000;
    }
    writeFields();
}

void OldFriendPage::computeMoney(Group g) {
    readFields();
    Side& s = sides_[g];
    const std::int32_t L = s.level;
    if (L < kMinLevel)
        return showBox(kTooLow);
    const std::int32_t n = s.count + 1;
    const std::int32_t money = n == 1 ? (L * L + 1000) * 50 : 80000 * n;
    if (g == Bound) {
        s.money = money;
        s.totalMoney = (L * L + 191400) * 50;
    } else {
        s.money = money / 5;
        s.totalMoney = (L * L + 191400) * 10;
    }
    writeFields();
}

}  // namespace kalvix
