#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {
namespace {

// Stunt kinds (enumeration 106).
constexpr std::int32_t kStuntNone = -1;
constexpr std::int32_t kStuntRecovery = 1;
constexpr std::int32_t kStuntAttack = 2;
constexpr std::int32_t kStuntGain = 3;
constexpr std::int32_t kStuntDebuff = 4;
constexpr std::int32_t kStuntSpecial = 5;

}  // namespace

// Stunts in index order; row 0 is "no stunt". Row 24's description ends in a blank.
void Catalogue::buildStunts() {
    // clang-format off
    static const StuntInfo kRows[] = {
        {0, "无", kStuntNone, "", 0},
        {1, "气疗术", kStuntRecovery, "恢复（上限3%+200）的气血，对单人使用", 30},
        {2, "心疗术", kStuntRecovery, "恢复（上限6%+400）的气血", 60},
        {3, "命疗术", kStuntRecovery, "恢复（上限9%+600）的气血，对单人使用", 90},
        {4, "凝气决", kStuntRecovery, "恢复自身一定的MP，效果受自己等级影响", 60},
        {5, "凝神决", kStuntRecovery, "恢复自身大量的MP，效果受自己等级影响", 90},
        {6, "气归术", kStuntRecovery, "恢复自身1/4的气血（最高不超过人物等级×12）", 60},
        {7, "命归术", kStuntRecovery, "恢复自身1/2的气血（最高不超过人物等级×20）", 90},
        {8, "四海升平", kStuntRecovery, "恢复全体队友1/4的气血（最高不超过被恢复人的等级×12），<br>对有低级鬼魂术的召唤兽无效", 135},
        {9, "回魂咒", kStuntRecovery, "复活并恢复HP150点，只能对倒地状态的人物使用<br>（如果之前无伤则救起无伤，如果之前有伤救起不恢复伤势）", 100},
        {10, "起死回生", kStuntRecovery, "复活并恢复1/2的气血（最高不超过人物等级×20）<br>，只能对倒地状态的人物使用（如果之前无伤则救起无伤，<br>如果之前有伤则救起的气血量是之前的上限/2）", 120},
        {11, "慈航普度", kStuntRecovery, "复活所有队友并恢复全部气血，使用后自己的气血及气血上限<br>将变为最大气血的10%，魔法变为0，不能复活鬼魂类的召唤兽<br>（救起恢复气血最大值，即恢复伤势）", 150},
        {12, "水清诀", kStuntRecovery, "解除各种异常状态，如被封物理、魔法、中毒、混乱等", 50},
        {13, "冰清诀", kStuntRecovery, "解除各种异常状态，并恢复1/4的气血<br>（最高不超过人物等级×12）", 100},
        {14, "玉清诀", kStuntRecovery, "解除全体队友的各种异常状态", 120},
        {15, "晶清诀", kStuntRecovery, "解除全体队友的各种异常状态，并恢复每人15%的气血", 150},
        {16, "诅咒之伤", kStuntAttack, "减少敌方单人当前20%的HP (不可以对怪物BOSS使用)", 40},
        {17, "诅咒之亡", kStuntAttack, "减少敌方单人当前20%的MP(不可以对怪物BOSS使用)", 40},
        {18, "破血狂攻", kStuntAttack, "狂性大发，可以连续攻击两次", 80},
        {19, "弱点击破", kStuntAttack, "以临时提高伤害力攻击对手,适于对付防御高者", 50},
        {20, "冥王暴杀", kStuntAttack, "减少对方HP，最小伤害为50(在同一场战斗中为固定伤害,无浮动)", 60},
        {21, "乾坤斩", kStuntAttack, "可以攻击对方多人，最小伤害为50<br>(在同一场战斗中为固定伤害,无浮动)", 110},
        {22, "破碎无双", kStuntAttack, "物理攻击敌人，并减少对方和HP损失相同的MP", 80},
        {23, "帝释无双", kStuntAttack, "减少对方一定量的HP及MP，效果受对方魔法属性影响<br>(打掉和对方魔力点一样多的HP及MP)", 70},
        {24, "伽罗无双", kStuntAttack, "减少对方全体一定量的HP及MP，效果受对方魔法属性影响<br>(打掉和对方魔力点/2一样多的HP及MP) ", 100},
        {25, "虚空之刃", kStuntAttack, "减少对方一定量的HP及MP，效果受自己力量属性影响<br>(打掉和自己力量点一样多的HP及MP)", 90},
        {26, "亡灵之刃", kStuntAttack, "减少对方全体一定量的HP及MP，效果受对方力量属性影响<br>(打掉和对方力量点/2一样多的HP及MP)", 110},
        {27, "野兽之力", kStuntGain, "提升队友的伤害力，效果持续到战斗结束(增加10%伤害)", 40},
        {28, "魔兽之印", kStuntGain, "全体队友伤害力上升，效果持续到战斗结束(增加5%伤害)", 70},
        {29, "光辉之甲", kStuntGain, "提升队友的防御力，效果持续到战斗结束(增加10%防御)", 40},
        {30, "圣灵之甲", kStuntGain, "全体队友物理防御力上升，效果持续到战斗结束(增加5%防御)", 80},
        {31, "流云诀", kStuntGain, "提升队友的速度，效果持续到战斗结束(增加10%速度)", 40},
        {32, "啸风诀", kStuntGain, "全体队友速度上升，效果持续到战斗结束(增加5%速度)", 80},
        {33, "太极护法", kStuntGain, "受到的法术伤害减半，效果为3回合<br>(从释放当前回合计算3回合,画面效果为4回合最后一回合无效果)", 90},
        {34, "罗汉金钟", kStuntGain, "全体队友受到的法术伤害减半，效果为3回合<br>(从释放当前回合计算3回合,画面效果为4回合最后一回合无效果)", 150},
        {35, "天衣无缝", kStuntGain, "5回合内敌人对自己使用的法术有一定几率失效<br>(可以和TG师门特色重叠但最终躲避率不超过25%)", 80},
        {36, "心如明镜", kStuntGain, "抵御一切异常类、辅助类附加效果，效果持续四回合<br>(画面最后一回合无效果,心如状态时无法使用WZ灯,PT灯,<br>黄帝内经等辅助法术,但是不抵御TG的天神护体)", 100},
        {37, "放下屠刀", kStuntDebuff, "降低敌人的物理伤害力，效果持续到战斗结束<br>(降低10%伤害)", 30},
        {38, "河东狮吼", kStuntDebuff, "降低敌方全体的伤害力，效果持续到战斗结束<br>(降低5%伤害)", 100},
        {39, "破甲术", kStuntDebuff, "降低敌人的物理防御力，效果持续到战斗结束<br>(降低10%防御)", 35},
        {40, "碎甲术", kStuntDebuff, "降低敌方全体的物理防御力，效果持续到战斗结束<br>(降低5%防御)", 80},
        {41, "凝滞术", kStuntDebuff, "降低敌人的速度，效果持续到战斗结束<br>(降低10%速度)", 35},
        {42, "停陷术", kStuntDebuff, "降低敌方全体的速度，效果持续到战斗结束<br>(降低5%速度)", 80},
        {43, "死亡之音", kStuntDebuff, "令敌全体队员各有一定几率处于某种异常状态", 90},
        {44, "笑里藏刀", kStuntDebuff, "减少敌方单人70点愤怒值", 40},
        {45, "绝幻魔音", kStuntDebuff, "一定几率令对手在5回合内使用特技时消耗为原来的1.5倍，<br>使用法术时消耗增加为原来的2倍<br>(成功率与双方的等级及修炼有关)", 60},
        {46, "吸血", kStuntSpecial, "吸取对方当前20%的HP，不能对怪物BOSS使用", 70},
        {47, "残月", kStuntSpecial, "吸取对方当前30%的MP，不能对怪物BOSS使用", 100},
        {48, "修罗咒", kStuntSpecial, "受到伤害时，将伤害的一半反作用给对方<br>（作用于多人的法术除外），效果为5回合", 120},
        {49, "身似菩提", kStuntSpecial, "将自己受到的法术反作用给施法者<br>（针对某些特殊情况下无效），效果持续两回合", 130},
        {50, "移形换影", kStuntSpecial, "和对方交换状态，HP、MP、异常状态、辅助状态等，<br>只能对玩家使用，使用后需要休息1回合，<br>如果自身气血低于20%，或对方气血在80%上时不能使用", 150},
        {51, "凝心决", kStuntSpecial, "给己方指定目标回复20%上限的MP。<br>最高不超过目标等级*8。", 90},
        {52, "聚精会神", kStuntSpecial, "给己方全体单位回复20%上限的MP。<br>最高不超过目标等级*8。", 150},
        {53, "先发制人", kStuntSpecial, "给目标在接下来的回合中提升20%的速度，持续3回合。", 90},
        {54, "燃烧之光", kStuntSpecial, "减少敌单体同等于自己“魔力”属性的HP及MP。", 90},
        {55, "毁灭之光", kStuntSpecial, "减少敌全体同等于自己“魔力”属性/3的HP及MP。<br>依次判断每一个敌人。", 120},
        {56, "金刚不坏", kStuntSpecial, "给己方指定目标笼罩一个可抵御目标等级×6伤害的护甲，持续2个回合。<br>（即笼罩该状态的目标在回合内所受的伤害会先被抵挡，回合到状态自动消失。）", 110},
        {57, "菩提心佑", kStuntSpecial, "给己方所有目标增加一个临时屏障，可抵御目标等级×5伤害，持续2个回合。<br>（即笼罩该状态的目标在回合内所受的伤害会先被抵挡，回合到状态自动消失。）", 150},
    };
    // clang-format on
    static_assert(sizeof kRows / sizeof kRows[0] == kStuntSlots);
    int index = 0;
    for (const StuntInfo& row : kRows)
        stunts[index++] = row;
}

}  // namespace kalvix
