#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

// Material classes of the furniture recipes by index; index 0 means no material.
void Catalogue::buildMaterials() {
    // clang-format off
    static const char* const kNames[] = {
        "无",
        "普通木材类",
        "普通布料类",
        "普通金属类",
        "闲杂材料一",
        "闲杂材料二",
        "闲杂材料三",
        "陶瓷类",
        "宝石类",
        "普通手艺",
        "灵巧手艺",
        "印染工艺",
        "印花工艺",
        "装饰工艺",
        "绘画工艺",
        "雕花工艺",
        "珍稀木材类",
        "高级布料类",
        "贵重金属类",
    };
    // clang-format on
    static_assert(sizeof kNames / sizeof kNames[0] == kMaterialCount);
    int index = 0;
    for (const char* name : kNames)
        materialNames[index++] = name;
}

}  // namespace kalvix
