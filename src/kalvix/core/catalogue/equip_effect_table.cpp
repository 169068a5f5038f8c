#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

// Equipment effects in position order from position 1: the part-specific effects (weapon,
// clothing, head, necklace, belt, boot) first, then the general ones (slot -1). Positions 0
// and 19 stay empty.
void Catalogue::buildEquipEffects() {
    // clang-format off
    static const EquipEffectInfo kRows[] = {
        {"神佑", 1, 1, "战斗时当HP为0时，20%的几率出现神佑复活效果"},
        {"必中", 1, 2, "物理攻击命中率100%"},
        {"绝杀", 1, 3, "普通物理攻击时有20%几率将当前气血小于攻击者等级×20的普通怪物直接击飞。<br>（只对NPC起效，若为鬼魂生物则直接击倒。）"},
        {"伪装", 2, 1, "当别人对你使用火眼金睛时，有50%几率会失败。"},
        {"再生", 3, 1, "佩戴者每回合可以回复装备等级/3的气血。"},
        {"神农", 4, 1, "战斗中使用药品恢复HP、MP的效果增加10%"},
        {"专注", 4, 2, "战斗中使用法术时有15%几率不消耗魔法，不与神农同时出现。"},
        {"愤怒", 5, 1, "使用法宝特技所消耗的愤怒值为正常的80%"},
        {"暴怒", 5, 2, "因气血损失而增加愤怒时，会额外获得20%的愤怒。"},
        {"迷踪", 6, 1, "逃跑成功率增加"},
        {"狩猎", 6, 2, "捕捉召唤兽宝宝时成功率提升20%。（仅在捕捉宝宝时有效。）"},
        {"简易", -1, 1, "佩带装备的人物等级要求降低5级"},
        {"无级别限制", -1, 2, "佩带时没有角色等级的限制"},
        {"永不磨损", -1, 3, "使用不会消耗装备的耐久度。"},
        {"坚固", -1, 4, "装备的耐久度消耗速度减半。（不与永不磨损同时出现。）"},
        {"易修理", -1, 5, "该装备修理时提升10%成功率及成功率上限"},
        {"精致", -1, 6, "有该特效的装备宝石镶嵌等级上限加一级。"},
        {"珍宝", -1, 7, "出售给装备收购商，获得的金钱是正常价值的5倍"},
    };
    // clang-format on
    static_assert(sizeof kRows / sizeof kRows[0] == kLastEquipEffect);
    int position = kFirstEquipEffect;
    for (const EquipEffectInfo& row : kRows)
        equipEffects[position++] = row;
}

}  // namespace kalvix
