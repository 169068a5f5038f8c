#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {
namespace {

struct EnumSource {
    std::int32_t category;
    std::int32_t key;
    const char* english;
    const char* chinese;
};

// 73 rows, slot order.
constexpr EnumSource kRows[] = {
    {kEnumColour, -1, "None", "无"},
    {kEnumColour, 0, "Red", "红"},
    {kEnumColour, 1, "Yellow", "黄"},
    {kEnumColour, 2, "Green", "绿"},
    {kEnumColour, 3, "Blue", "蓝"},
    {kEnumColour, 4, "White", "白"},
    {kEnumColour, 5, "Black", "黑"},
    {kEnumColour, 6, "Purple", "紫"},
    {kEnumEquipSlot, -1, "NoLimit", "不限"},
    {kEnumEquipSlot, 1, "Weapon", "武器"},
    {kEnumEquipSlot, 2, "Clothing", "铠甲/女衣"},
    {kEnumEquipSlot, 3, "Head", "头盔"},
    {kEnumEquipSlot, 4, "Necklace", "项链"},
    {kEnumEquipSlot, 5, "Belt", "腰带"},
    {kEnumEquipSlot, 6, "Boot", "靴子"},
    {kEnumAttribute, 0, "NoAttr", "无"},
    {kEnumAttribute, 1, "Somatoplasm", "体质"},
    {kEnumAttribute, 2, "Maya", "魔力"},
    {kEnumAttribute, 3, "Force", "力量"},
    {kEnumAttribute, 4, "ToleRance", "耐力"},
    {kEnumAttribute, 5, "Celerity", "敏捷"},
    {kEnumStatus, 0, "NoStatus", "无"},
    {kEnumStatus, 1, "HP", "气血"},
    {kEnumStatus, 2, "MP", "魔法"},
    {kEnumStatus, 3, "Hit", "命中"},
    {kEnumStatus, 4, "Hurt", "伤害"},
    {kEnumStatus, 5, "Defence", "防御"},
    {kEnumStatus, 6, "Speed", "速度"},
    {kEnumStatus, 7, "Dodgery", "躲避"},
    {kEnumStatus, 8, "Anima", "灵力"},
    {kEnumStatus, 9, "Spell_Defence", "法力防御"},
    {kEnumStatus, 10, "Spell_Hurt", "法力伤害"},
    {kEnumStatus, 11, "Fixed_Hurt", "固定伤害"},
    {kEnumSchool, -1, "NoMartials", "无"},
    {kEnumSchool, 11, "DTGF", "大唐官府"},
    {kEnumSchool, 12, "HSS", "化生寺"},
    {kEnumSchool, 13, "FCS", "方寸山"},
    {kEnumSchool, 14, "NEC", "女儿村"},
    {kEnumSchool, 21, "TG", "天宫"},
    {kEnumSchool, 22, "LG", "龙宫"},
    {kEnumSchool, 23, "WZG", "五庄观"},
    {kEnumSchool, 24, "PTS", "普陀寺"},
    {kEnumSchool, 31, "STL", "狮驼岭"},
    {kEnumSchool, 32, "MWZ", "魔王寨"},
    {kEnumSchool, 33, "YCDF", "阴曹地府"},
    {kEnumSchool, 34, "PSD", "盘丝洞"},
    {kEnumStuntKind, -1, "NoStunt", "五"},
    {kEnumStuntKind, 1, "Recovery", "恢复"},
    {kEnumStuntKind, 2, "Attack", "攻击"},
    {kEnumStuntKind, 3, "Gain", "增益"},
    {kEnumStuntKind, 4, "Debuff", "减益无"},
    {kEnumStuntKind, 5, "Special", "特殊"},
    {kEnumFurnitureKind, 1, "Curtains", "窗帘"},
    {kEnumFurnitureKind, 2, "Table", "桌子"},
    {kEnumFurnitureKind, 3, "Chest", "柜子"},
    {kEnumFurnitureKind, 4, "Carpet", "地毯"},
    {kEnumFurnitureKind, 5, "Stool", "椅凳"},
    {kEnumFurnitureKind, 6, "Bed", "床"},
    {kEnumFurnitureKind, 7, "Screen", "屏风"},
    {kEnumFurnitureKind, 8, "Debris", "杂物"},
    {kEnumFurnitureKind, 9, "Murals", "壁画"},
    {kEnumFurnitureKind, 10, "Floor", "地板"},
    {kEnumNumeral, 0, "Zero", "零"},
    {kEnumNumeral, 1, "One", "一"},
    {kEnumNumeral, 2, "Two", "二"},
    {kEnumNumeral, 3, "Three", "三"},
    {kEnumNumeral, 4, "Four", "四"},
    {kEnumNumeral, 5, "Five", "五"},
    {kEnumNumeral, 6, "Six", "六"},
    {kEnumNumeral, 7, "Seven", "七"},
    {kEnumNumeral, 8, "Eight", "八"},
    {kEnumNumeral, 9, "Nine", "九"},
    {kEnumNumeral, 10, "Ten", "十"},
};

static_assert(sizeof kRows / sizeof kRows[0] == 73);

}  // namespace

void Catalogue::buildEnumerations() {
    int slot = 0;
    for (const EnumSource& r : kRows)
        enums[slot++] = {r.category, r.key, r.key, r.english, r.chinese};
}

}  // namespace kalvix
