#include "kalvix/core/calculators/children_page.h"

#include <gtest/gtest.h>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/page/portal_hosts.h"
#include "support/page_driver.h"

namespace {

using calc_test::choose;
using calc_test::messages;
using calc_test::press;
using calc_test::text;
using calc_test::type;
using kalvix::ChildrenPage;

const char* const kAptitudes[7] = {"攻击资质", "体力资质", "速度资质", "成长资质",
                                   "防御资质", "法力资质", "躲闪资质"};

struct ChildrenPageTest : ::testing::Test {
    kalvix::PageContext context{kalvix::Catalogue::instance()};
    ChildrenPage page{context};

    void wits(const char* w, const char* f, const char* x, const char* t) {
        type(page, "武学悟性", w);
        type(page, "法术悟性", f);
        type(page, "心态悟性", x);
        type(page, "体质悟性", t);
    }
    std::string range(const char* aptitude) {
        const std::string a = aptitude;
        return text(page, a + ".min") + " ~ " + text(page, a + ".max");
    }
    int itemIndex(const std::string& name) {
        const auto items = page.find("当前物品")->items();
        return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
    }
};

TEST_F(ChildrenPageTest, OpensWithZeros) {
    for (const char* a : kAptitudes)
        EXPECT_EQ(range(a), "0 ~ 0") << a;
    for (const char* f : {"武学悟性", "法术悟性", "心态悟性", "体质悟性", "孩子总属性"})
        EXPECT_EQ(text(page, f), "0") << f;
    EXPECT_EQ(text(page, "当前物品.效果"), "");
    EXPECT_EQ(text(page, "实际使用效果"), "");
    EXPECT_EQ(page.find("当前物品")->items().size(), 21u);
    EXPECT_TRUE(messages(page).empty());
}

TEST_F(ChildrenPageTest, Prediction) {
    struct Case {
        const char* w;
        const char* f;
        const char* x;
        const char* t;
        const char* expected[7];  // in the order of kAptitudes; null: not checked
    } cases[] = {
        {"100",
         "100",
         "100",
         "100",
         {"1550 ~ 1590", "5500 ~ 6000", "1450 ~ 1490", "1.26333 ~ 1.27443", "1550 ~ 1630",
          "3200 ~ 3450", "1370 ~ 1410"}},
        {"0",
         "0",
         "0",
         "0",
         {"750 ~ 750", "500 ~ 500", "650 ~ 650", "1.13 ~ 1.1411", "750 ~ 750", "700 ~ 700",
          "650 ~ 650"}},
        // Martial wit above magic wit: the dodge spread is 160, not 40.
        {"100",
         "50",
         "60",
         "80",
         {nullptr, nullptr, "1450 ~ 1490", "1.21667 ~ 1.22777", "1278 ~ 1330", nullptr,
          "1370 ~ 1530"}},
        {"50",
         "51",
         "0",
         "0",
         {nullptr, nullptr, "1058 ~ 1078", nullptr, nullptr, nullptr, "1017 ~ 1037"}},
        // Equal wits count as magic leading.
        {"50",
         "50",
         "0",
         "0",
         {"1150 ~ 1170", nullptr, "1050 ~ 1070", nullptr, nullptr, "1950 ~ 2075", "1010 ~ 1030"}},
        {"51",
         "50",
         "0",
         "0",
         {nullptr, nullptr, "1058 ~ 1078", nullptr, nullptr, nullptr, "1017 ~ 1098"}},
    };
    for (const Case& c : cases) {
        wits(c.w, c.f, c.x, c.t);
        press(page, "计算 ==>");
        for (int i = 0; i < 7; ++i) {
            if (c.expected[i]) {
                EXPECT_EQ(range(kAptitudes[i]), c.expected[i])
                    << c.w << " " << c.f << " " << c.x << " " << c.t << " " << kAptitudes[i];
            }
        }
        EXPECT_TRUE(messages(page).empty());
    }
}

TEST_F(ChildrenPageTest, InputsAreKeptWithinTheirRange) {
    struct Case {
        const char* typed;
        const char* shown;
        const char* message;  // null: none
    } cases[] = {
        {"150", "100", nullptr},
        {"2147483647", "100", nullptr},
        {"99", "99", nullptr},
        {"-5", "0", nullptr},
        {"-2147483648", "0", nullptr},
        {"", "42", "请输入一个整数。"},
        {"-", "42", "请输入一个整数。"},
        {"abc", "42", "请输入一个整数。"},
        {"4x", "42", "请输入一个整数。"},
        {"99999999999", "42", "请输入一个整数。"},
    };
    for (const Case& c : cases) {
        type(page, "武学悟性", "42");
        messages(page);
        type(page, "武学悟性", c.typed);
        EXPECT_EQ(text(page, "武学悟性"), c.shown) << c.typed;
        const auto shown = page.takeMessages();
        if (c.message) {
            ASSERT_EQ(shown.size(), 1u) << c.typed;
            EXPECT_EQ(shown[0].text, c.message);
            EXPECT_EQ(shown[0].field, "武学悟性");
        } else {
            EXPECT_TRUE(shown.empty()) << c.typed;
        }
    }
    // The prediction uses the kept values.
    type(page, "武学悟性", "150");
    press(page, "计算 ==>");
    EXPECT_EQ(range("攻击资质"), "1550 ~ 1590");
}

TEST_F(ChildrenPageTest, AnUnreadableTotalDoesNotUndoTheInputs) {
    type(page, "孩子总属性", "abc");
    type(page, "体质悟性", "100");
    const auto shown = page.takeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "请输入一个整数。");
    EXPECT_EQ(shown[0].field, "孩子总属性");
    EXPECT_EQ(text(page, "体质悟性"), "100");
    EXPECT_EQ(text(page, "孩子总属性"), "0");  // the last accepted value comes back
}

TEST_F(ChildrenPageTest, ItemEffect) {
    struct Case {
        const char* item;
        const char* total;
        const char* nominal;
        const char* actual;
    } cases[] = {
        {"竹马", "10", "3", "+3"},          {"竹马", "11", "3", "+2"},
        {"竹马", "51", "3", "+1"},          {"竹马", "52", "3", "+0"},
        {"瑶池蟠桃", "72", "6", "+1"},      {"瑶池蟠桃", "73", "6", "+0"},
        {"瑶池蟠桃", "0", "6", "+6"},       {"瑶池蟠桃", "48", "6", "+2"},
        {"金柳露", "10", "2", "+2"},        {"金柳露", "35", "2", "+1"},
        {"急就章", "36", "2", "+0"},        {"千字文", "43", "4", "+2"},
        {"论语", "53", "5", "+1"},          {"论语", "-1", "5", "+0"},
        {"论语", "-2147483648", "5", "+0"}, {"弹弓", "2147483647", "6", "+0"},
    };
    for (const Case& c : cases) {
        type(page, "孩子总属性", c.total);
        choose(page, "当前物品", itemIndex(c.item));
        press(page, "计算");
        EXPECT_EQ(text(page, "当前物品.效果"), c.nominal) << c.item << " " << c.total;
        EXPECT_EQ(text(page, "实际使用效果"), c.actual) << c.item << " " << c.total;
        EXPECT_TRUE(messages(page).empty());
    }
}

TEST_F(ChildrenPageTest, ChoosingAnItemComputesAtOnce) {
    type(page, "孩子总属性", "25");
    choose(page, "当前物品", itemIndex("投掷沙包"));
    EXPECT_EQ(text(page, "实际使用效果"), "+3");
    // 请选择 leaves both boxes as they were.
    choose(page, "当前物品", 0);
    EXPECT_EQ(text(page, "当前物品.效果"), "5");
    EXPECT_EQ(text(page, "实际使用效果"), "+3");
}

TEST_F(ChildrenPageTest, TotalMissingOrUnreadable) {
    choose(page, "当前物品", itemIndex("竹马"));
    type(page, "孩子总属性", "");
    page.takeMessages();
    page.takeFieldRequests();
    choose(page, "当前物品", itemIndex("弹弓"));
    auto shown = page.takeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "请输入当前孩子总属性");
    EXPECT_EQ(shown[0].field, "孩子总属性");
    const auto requests = page.takeFieldRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].focus && requests[0].selectAll);
    EXPECT_EQ(page.focus(), "孩子总属性");
    EXPECT_EQ(text(page, "孩子总属性"), "");  // left for the user to fill in
    EXPECT_EQ(text(page, "当前物品.效果"), "3");
    // Even with 请选择 the total is asked for.
    choose(page, "当前物品", 0);
    EXPECT_EQ(messages(page), std::vector<std::string>{"box:请输入当前孩子总属性"});

    // Text that is no integer: the framework's message, and the last accepted total counts.
    type(page, "孩子总属性", "60");
    press(page, "计算");
    type(page, "孩子总属性", "x1");
    choose(page, "当前物品", itemIndex("弹弓"));
    EXPECT_EQ(messages(page), std::vector<std::string>{"box:请输入一个整数。"});
    EXPECT_EQ(text(page, "实际使用效果"), "+2");
    EXPECT_EQ(text(page, "孩子总属性"), "60");
}

TEST_F(ChildrenPageTest, LinksOpenTheirArticles) {
    const std::string host = kalvix::portal::kForumHost;
    const std::pair<const char*, const char*> links[] = {
        {"孩子养育计划", "/thread/58/128/20081204/4b4f40ff0fb1d9646-1.html"},
        {"孩子养育手册", "/thread/58/128/20101118/4ce4a04f6b9d64a13-1.html"},
        {"门派孩子养成法", "/thread/58/128/20101123/4ceb3970714157a13-1.html"},
    };
    for (const auto& [caption, path] : links) {
        press(page, caption);
        const auto shown = page.takeMessages();
        ASSERT_EQ(shown.size(), 1u) << caption;
        EXPECT_EQ(shown[0].where, kalvix::MessageWhere::Open);
        EXPECT_EQ(shown[0].text, host + path);
    }
}

}  // namespace
