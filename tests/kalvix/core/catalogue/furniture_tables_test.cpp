#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <string>

#include "content_test_helpers.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace {

using content_test::cat;
using content_test::onlyBreakTags;
using kalvix::FurnitureInfo;

TEST(Furniture, TableStructure) {
    const int perKind[] = {6, 9, 8, 6, 10, 7, 8, 18, 6, 4};
    std::set<int> ids;
    int previousKind = 1;
    int counted[10] = {};
    for (int slot = 0; slot < kalvix::kFurnitureItems; ++slot) {
        const FurnitureInfo& f = cat().furniture[slot];
        EXPECT_TRUE(ids.insert(f.id).second) << slot;
        EXPECT_TRUE(f.id / 10 % 1000 >= 550 && f.id / 10 % 1000 <= 559) << f.id;
        EXPECT_TRUE(f.id < 10000 || f.id - 10000 >= 5501) << f.id;
        EXPECT_GE(f.kind, previousKind) << slot;
        previousKind = f.kind;
        ASSERT_GE(f.kind, 1);
        ASSERT_LE(f.kind, 10);
        ++counted[f.kind - 1];
        EXPECT_GE(f.grade, 1);
        EXPECT_LE(f.grade, 4);
        EXPECT_FALSE(f.name.empty());
        EXPECT_FALSE(cat().enumName(kalvix::kEnumFurnitureKind, f.kind).empty());
        // One or two lines.
        EXPECT_TRUE(onlyBreakTags(f.description)) << f.id;
        EXPECT_LE(std::count(f.description.begin(), f.description.end(), '<'), 1) << f.id;
        EXPECT_EQ(cat().findFurniture(f.id), slot);
    }
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(counted[k], perKind[k]) << k + 1;
    const FurnitureInfo& last = cat().furniture[kalvix::kFurnitureSlots - 1];
    EXPECT_EQ(last.id, 0);
    EXPECT_TRUE(last.name.empty() && last.description.empty());
}

TEST(Furniture, FullRows) {
    struct Case {
        int id;
        const char* name;
        int kind, grade;
        const char* description;
    } cases[] = {
        {5501, "黑麻垂曼帘", 1, 1, "粗麻布制成的窗帘，素朴简洁，为普通人家所用"},
        {5505, "红杏闹春帘", 1, 4,
         "上好苏绣制成的窗帘，质地精良，高雅名贵，尽<br>显无限春意，天下家具五珍之一"},
        {5515, "八宝呈祥桌", 2, 4, "装饰精美奢华，为皇室所用，非常名贵，天下家<br>具五珍之一"},
        {5597, "桦木地板", 10, 2, "天然桦木制成的地板，纹理纯朴，质地优良，<br>为富贵人家所用 "},
        {15596, "海之蔚蓝石砖", 10, 2,
         "使用后能将房间的地板和墙壁改造成深海风格，<br>自然清新风扑面而来"},
        {5551, "榛木床", 6, 1, nullptr},
        {5585, "吉祥祈福案", 8, 4, nullptr},
        {15543, "海之珊瑚卧", 5, 4, nullptr},
        {5567, "花开富贵门", 7, 4, nullptr},
    };
    for (const Case& c : cases) {
        const int slot = cat().findFurniture(c.id);
        ASSERT_GE(slot, 0) << c.id;
        const FurnitureInfo& f = cat().furniture[slot];
        EXPECT_EQ(f.name, c.name);
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_EQ(f.grade, c.grade);
        if (c.description) {
            EXPECT_EQ(f.description, c.description);
        } else {
            // Our own descriptions name the item, its grade and its kind.
            EXPECT_NE(f.description.find(c.name), std::string::npos);
            EXPECT_NE(f.description.find(cat().enumName(kalvix::kEnumNumeral, f.grade) + "级"),
                      std::string::npos);
            EXPECT_NE(f.description.find(cat().enumName(kalvix::kEnumFurnitureKind, f.kind)),
                      std::string::npos);
        }
    }
}

TEST(Furniture, LookupsByIdAndKind) {
    EXPECT_EQ(cat().findFurniture(0), -1);
    EXPECT_EQ(cat().findFurniture(-5501), -1);
    EXPECT_EQ(cat().findFurniture(5999), -1);
    EXPECT_EQ(cat().findFurniture(5566), -1);
    EXPECT_EQ(cat().findFurniture(5501), 0);
    EXPECT_EQ(cat().findFurniture(15596), 81);

    const std::vector<int> all = cat().furnitureOfKind(0);
    ASSERT_EQ(all.size(), 82u);
    for (int i = 0; i < 82; ++i)
        EXPECT_EQ(all[i], i);
    std::vector<int> beds;
    for (int slot : cat().furnitureOfKind(6))
        beds.push_back(cat().furniture[slot].id);
    EXPECT_EQ(beds, (std::vector<int>{5551, 5552, 5553, 5554, 5555, 15551, 5556}));
    EXPECT_TRUE(cat().furnitureOfKind(11).empty());
    EXPECT_TRUE(cat().furnitureOfKind(-1).empty());
    EXPECT_EQ(cat().furnitureOfKind(8).size(), 18u);
}

TEST(Materials, Names) {
    struct Case {
        int index;
        const char* name;
    } cases[] = {{0, "无"},          {1, "普通木材类"}, {4, "闲杂材料一"}, {9, "普通手艺"},
                 {18, "贵重金属类"}, {19, ""},          {-1, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(cat().materialName(c.index), c.name) << c.index;
    std::set<std::string> names(cat().materialNames.begin(), cat().materialNames.end());
    EXPECT_EQ(names.size(), 19u);
}

TEST(Recipes, TableStructure) {
    std::set<int> items;
    for (int i = 0; i < kalvix::kRecipeCount; ++i) {
        const kalvix::FurnitureRecipe& r = cat().recipes[i];
        EXPECT_GE(cat().findFurniture(r.furnitureId), 0) << r.furnitureId;
        EXPECT_TRUE(items.insert(r.furnitureId).second) << r.furnitureId;
        EXPECT_EQ(cat().findRecipe(r.furnitureId), i);
        // Two to four materials, unused places at the end.
        int used = 0;
        for (int k = 0; k < kalvix::kRecipeMaterials; ++k) {
            const int m = r.materials[k];
            EXPECT_GE(m, 0);
            EXPECT_LT(m, kalvix::kMaterialCount);
            if (m != 0) {
                EXPECT_EQ(used, k) << r.furnitureId;
                ++used;
            }
        }
        EXPECT_GE(used, 2) << r.furnitureId;
    }
    int withoutRecipe = 0;
    for (int slot = 0; slot < kalvix::kFurnitureItems; ++slot)
        withoutRecipe += cat().findRecipe(cat().furniture[slot].id) < 0;
    EXPECT_EQ(withoutRecipe, 44);
    EXPECT_EQ(cat().findRecipe(5504), -1);
    EXPECT_EQ(cat().findRecipe(0), -1);
    const int bed = cat().findRecipe(5551);
    ASSERT_GE(bed, 0);
    EXPECT_EQ(cat().recipes[bed].materials, (std::array<std::int32_t, 4>{1, 1, 1, 0}));
}

TEST(Recipes, MatchInAnyOrder) {
    auto idOf = [](std::array<std::int32_t, 4> m) {
        const int r = cat().matchRecipe(m);
        return r < 0 ? 0 : cat().recipes[r].furnitureId;
    };
    struct Case {
        std::array<std::int32_t, 4> materials;
        int id;
    } cases[] = {
        {{1, 1, 1, 0}, 5551},   {{1, 9, 0, 0}, 5511}, {{0, 0, 0, 0}, 0},  {{1, 1, 9, 0}, 5521},
        {{1, 9, 9, 0}, 0},      {{1, 1, 1, 1}, 0},    {{1, 9, 0, -1}, 0}, {{19, 1, 9, 0}, 0},
        {{16, 15, 9, 8}, 5513}, {{1, 9, 0, 7}, 0},
    };
    for (const Case& c : cases) {
        std::array<std::int32_t, 4> m = c.materials;
        std::sort(m.begin(), m.end());
        do {
            EXPECT_EQ(idOf(m), c.id) << m[0] << "," << m[1] << "," << m[2] << "," << m[3];
        } while (std::next_permutation(m.begin(), m.end()));
    }
    // Every recipe is found from its own materials in every order.
    for (int i = 0; i < kalvix::kRecipeCount; ++i) {
        std::array<std::int32_t, 4> m = cat().recipes[i].materials;
        std::sort(m.begin(), m.end());
        do {
            EXPECT_EQ(cat().matchRecipe(m), i);
        } while (std::next_permutation(m.begin(), m.end()));
    }
}

TEST(Recipes, LastMatchingRowCounts) {
    auto own = std::make_unique<kalvix::Catalogue>();
    own->recipes[30] = {9001, {9, 0, 1, 0}};
    own->recipes[35] = {9002, {0, 9, 0, 1}};
    EXPECT_EQ(own->matchRecipe({1, 9, 0, 0}), 35);
    EXPECT_EQ(own->findRecipe(9002), 35);
}

}  // namespace
