#include "kalvix/core/quiz/quiz_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "quiz_test_support.h"
#include "support/page_driver.h"

namespace {

using calc_test::check;
using calc_test::choose;
using calc_test::messages;
using calc_test::press;
using calc_test::text;
using calc_test::type;
using kalvix::QuizPage;
using kalvix::TableRows;

class QuizPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path = folder.file("Conversion.dat");
        quiz_test::writeStore(quiz_test::fixtureRows(), path);
    }
    TableRows rows(const QuizPage& page) { return calc_test::control(page, "结果").rows(); }
    std::vector<std::string> firstColumn(const QuizPage& page) {
        std::vector<std::string> out;
        for (const auto& r : rows(page))
            out.push_back(r.at(0));
        return out;
    }
    quiz_test::TempFolder folder;
    std::string path;
    kalvix::PageContext context;
};

TEST_F(QuizPageTest, OpensOnAllCategoriesWithNothingListed) {
    QuizPage page(context, path);
    EXPECT_EQ(page.title(), "答题器");
    EXPECT_TRUE(page.find("所有分类")->checked());
    EXPECT_TRUE(rows(page).empty());
    EXPECT_EQ(text(page, "详细"), "");
    EXPECT_TRUE(messages(page).empty());
    EXPECT_EQ(page.store().loads(), 0);  // nothing is opened until the keyword changes
    // The buttons top to bottom.
    std::vector<std::string> radios;
    for (const auto& c : page.controls())
        if (c.kind == kalvix::ControlKind::Radio)
            radios.push_back(c.caption);
    EXPECT_EQ(radios, (std::vector<std::string>{"科举试题", "元宵灯谜", "子女教导", "四门绝阵",
                                                "帮派迷宫", "三界书院", "钓鱼查询", "科举填填乐",
                                                "NPC查询", "图片题目", "所有分类"}));
}

TEST_F(QuizPageTest, SearchesAtEveryChangeInTheChosenCategory) {
    QuizPage page(context, path);
    type(page, "关键字", "明");
    EXPECT_EQ(firstColumn(page), (std::vector<std::string>{"“床前明月光”的作者是"}));
    EXPECT_EQ(messages(page), std::vector<std::string>{"status:找到 1 道题目"});
    type(page, "关键字", "明月");
    EXPECT_EQ(rows(page), (TableRows{{"“床前明月光”的作者是", "李白"}}));

    // A new category waits for the next change of the keyword.
    check(page, "NPC查询", true);
    EXPECT_EQ(rows(page).size(), 1u);
    type(page, "关键字", "的");
    EXPECT_EQ(firstColumn(page),
              (std::vector<std::string>{"“卧龙”指的是哪位人物", "“诗仙”指的是"}));
    type(page, "关键字", "");
    EXPECT_EQ(rows(page).size(), 2u);
    check(page, "所有分类", true);
    type(page, "关键字", "");
    EXPECT_EQ(rows(page).size(), quiz_test::fixtureRows().size());
    type(page, "关键字", "没有答案");
    EXPECT_EQ(rows(page), (TableRows{{"没有答案的题", ""}}));
    EXPECT_EQ(page.store().loads(), 1);
}

// The desktop's side: what reached the clipboard, and which window was kept in front.
struct RecordingDesktop : kalvix::MemoryDesktop {
    std::vector<std::string> clipboard;
    bool opens = true;  // false: the clipboard cannot be opened
    std::vector<std::pair<std::string, bool>> front;
    bool setClipboardText(const std::string& text) override {
        if (opens)
            clipboard.push_back(text);
        return opens;
    }
    void keepInFront(const std::string& title, bool on) override { front.emplace_back(title, on); }
};

TEST_F(QuizPageTest, RowChoiceFillsTheDetailAndCopyAddsTheSource) {
    RecordingDesktop desktop;
    context.setDesktop(&desktop);
    QuizPage page(context, path);
    std::vector<std::string>& clipboard = desktop.clipboard;
    // Before any choice the detail text is empty.
    press(page, "复制答案");
    ASSERT_EQ(clipboard.size(), 1u);
    EXPECT_EQ(clipboard[0], "\n" + QuizPage::sourceLine());
    EXPECT_EQ(messages(page), std::vector<std::string>{"box:题目答案已复制"});

    type(page, "关键字", "的作者");
    choose(page, "结果.选择", 0);
    EXPECT_EQ(text(page, "详细"), "题目：“床前明月光”的作者是\n答案：李白");
    press(page, "复制答案");
    EXPECT_EQ(clipboard.back(),
              "题目：“床前明月光”的作者是\n答案：李白\n" + QuizPage::sourceLine());
    EXPECT_EQ(QuizPage::sourceLine().rfind("(此答题内容来至Zentrix 梦幻西游答题器 ", 0), 0u);
    page.chooseRow(-1);
    EXPECT_EQ(text(page, "详细"), "题目：\n答案：");

    // A clipboard that cannot be opened: nothing happens.
    desktop.opens = false;
    messages(page);
    press(page, "复制答案");
    EXPECT_TRUE(messages(page).empty());
}

TEST_F(QuizPageTest, CopiedLinesBreakWithLineFeedsOnly) {
    quiz_test::writeStore({{"两行\r\n的题", "第一行\r\n第二行\r", "科举试题", std::nullopt},
                           {"单独\r回车", "甲\r\r乙", "科举试题", std::nullopt}},
                          path);
    QuizPage page(context, path);
    type(page, "关键字", "");
    choose(page, "结果.选择", 0);
    press(page, "复制答案");
    EXPECT_EQ(text(page, "剪贴板"),
              "题目：两行\n的题\n答案：第一行\n第二行\n" + QuizPage::sourceLine());
    choose(page, "结果.选择", 1);
    press(page, "复制答案");
    EXPECT_EQ(text(page, "剪贴板"), "题目：单独\n回车\n答案：甲\n\n乙\n" + QuizPage::sourceLine());
}

TEST_F(QuizPageTest, KeystrokesWhileTheStoreLoadsAreSearchedWhenItArrives) {
    QuizPage page(context, path);
    ASSERT_TRUE(page.wantsLoading());
    auto store = page.startLoading();
    EXPECT_FALSE(page.wantsLoading());
    type(page, "关键字", "明");
    type(page, "关键字", "明月");
    EXPECT_TRUE(rows(page).empty());
    EXPECT_TRUE(messages(page).empty());
    std::thread([store] { store->refresh(); }).join();
    EXPECT_EQ(page.store().loads(), 0);
    page.finishLoading(store);
    EXPECT_FALSE(page.loading());
    EXPECT_EQ(firstColumn(page), std::vector<std::string>{"“床前明月光”的作者是"});
    EXPECT_EQ(messages(page), std::vector<std::string>{"status:找到 1 道题目"});
    type(page, "关键字", "明月光");
    EXPECT_EQ(page.store().loads(), 1);  // read once, on the other thread
    EXPECT_FALSE(page.wantsLoading());

    // Nothing typed meanwhile: nothing is searched. A missing file is reported at the first
    // keystroke after, as always.
    QuizPage missing(context, folder.file("none.dat"));
    auto none = missing.startLoading();
    none->refresh();
    missing.finishLoading(none);
    EXPECT_TRUE(messages(missing).empty());
    type(missing, "关键字", "a");
    EXPECT_EQ(messages(missing), std::vector<std::string>{"box:题库不存在"});
}

TEST_F(QuizPageTest, StoreProblemsAreShownInBoxes) {
    QuizPage page(context, folder.file("missing.dat"));
    type(page, "关键字", "李");
    EXPECT_EQ(messages(page), std::vector<std::string>{"box:题库不存在"});
    type(page, "关键字", "李白");
    EXPECT_EQ(messages(page), std::vector<std::string>{"box:题库不存在"});

    // The list keeps its rows while the file is away, and is empty after an engine error.
    page.setStorePath(path);
    type(page, "关键字", "明月");
    EXPECT_EQ(rows(page).size(), 1u);
    messages(page);
    const std::string moved = folder.file("moved.dat");
    std::filesystem::rename(path, moved);
    type(page, "关键字", "明");
    EXPECT_EQ(messages(page), std::vector<std::string>{"box:题库不存在"});
    EXPECT_EQ(rows(page).size(), 1u);
    std::ofstream(path, std::ios::binary) << "not a store";
    type(page, "关键字", "明月");
    EXPECT_EQ(messages(page),
              std::vector<std::string>{"box:file is encrypted or is not a database"});
    EXPECT_TRUE(rows(page).empty());
    std::filesystem::rename(moved, path);
    type(page, "关键字", "明月");
    EXPECT_EQ(rows(page).size(), 1u);
}

TEST_F(QuizPageTest, PicturesOpenTheirWindowAndInFrontReachesTheMainWindow) {
    QuizPage page(context, path);
    std::vector<std::string> opened;
    page.opener = [&opened](const std::string& w) { opened.push_back(w); };
    RecordingDesktop desktop;
    context.setDesktop(&desktop);
    std::vector<std::pair<std::string, bool>>& front = desktop.front;
    check(page, "图片题目", true);
    check(page, "图片题目", true);  // a click on the selected button opens it again
    EXPECT_EQ(opened, (std::vector<std::string>{"使用中键滚轮向下查看", "使用中键滚轮向下查看"}));
    EXPECT_TRUE(page.find("图片题目")->checked());
    // Its category has no name: only rows without a category would be found.
    type(page, "关键字", "");
    EXPECT_TRUE(rows(page).empty());

    check(page, "窗口前置", true);
    check(page, "窗口前置", false);
    const std::string title =
        std::string("ZentrixQorvane——梦幻西游实用工具箱 V") + kalvix::config::kVersion;
    EXPECT_EQ(front, (std::vector<std::pair<std::string, bool>>{{title, true}, {title, false}}));
}

}  // namespace
