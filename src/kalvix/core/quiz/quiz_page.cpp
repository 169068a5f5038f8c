#include "kalvix/core/quiz/quiz_page.h"

#include "common/program_folder.h"
#include "kalvix/build_config.h"
#include "kalvix/core/quiz/like_pattern.h"

namespace kalvix {
namespace {

const std::string kEmpty;

// The buttons top to bottom, by their index.
constexpr int kButtonOrder[QuizPage::kCategoryCount] = {7, 0, 2, 3, 4, 5, 6, 1, 8, 10, 9};

}  // namespace

const std::array<const char*, QuizPage::kCategoryCount>& QuizPage::categoryNames() {
    static const std::array<const char*, kCategoryCount> names = {
        "元宵灯谜", "科举填填乐", "子女教导", "四门绝阵", "帮派迷宫", "三界书院",
        "钓鱼查询", "科举试题",   "NPC查询",  "所有分类", "图片题目"};
    return names;
}

std::string QuizPage::defaultStorePath() {
    return common::dataFilePath("Conversion.dat");
}

std::string QuizPage::sourceLine() {
    return std::string("(此答题内容来至Zentrix 梦幻西游答题器 ") + config::kPortalHost + "/)";
}

std::string QuizPage::pictureAddress() {
    return std::string(config::kPortalHost) + "/player/newer23_11.html";
}

QuizPage::QuizPage(PageContext& context, std::string storePath)
    : store_(std::make_shared<QuestionStore>(storePath.empty() ? defaultStorePath()
                                                               : std::move(storePath))),
      context_(context) {
    shown_ = store_->rows();
    addEdit(
        "关键字", "editKeyword", [this] { return keyword_; },
        [this](const std::string& t) { editKeyword(t); });
    for (int index : kButtonOrder)
        addRadio(
            categoryNames()[static_cast<std::size_t>(index)],
            "radioCategory" + std::to_string(index), [this, index] { return category_ == index; },
            [this, index] { chooseCategory(index); });
    addCheck(
        "窗口前置", "checkInFront", [this] { return inFront(); },
        [this](bool on) { setInFront(on); });
    Control table;
    table.caption = "结果";
    table.id = "listResult";
    table.kind = ControlKind::Table;
    table.output = true;
    table.rows = [this] {
        TableRows rows;
        rows.reserve(hits_.size());
        for (std::size_t r = 0; r < hits_.size(); ++r)
            rows.push_back({question(r), answer(r)});
        return rows;
    };
    add(std::move(table));
    // Choosing a row of the result list; its items are the row numbers.
    addList(
        "结果.选择", "", [this] { return numberItems(0, static_cast<int>(hits_.size()) - 1); },
        [this] { return selection_; }, [this](int row) { chooseRow(row); });
    addResult("详细", "editDetail", [this] { return detail_; });
    addButton("复制答案", "buttonCopy", [this] { copyAnswer(); });
    addResult("剪贴板", "", [this] { return copied_; });
}

const std::string& QuizPage::question(std::size_t row) const {
    const Cell& c = (*shown_)[hits_[row]].question;
    return c ? *c : kEmpty;
}

const std::string& QuizPage::answer(std::size_t row) const {
    const Cell& c = (*shown_)[hits_[row]].answer;
    return c ? *c : kEmpty;
}

std::vector<std::pair<std::size_t, std::size_t>> QuizPage::highlights(std::size_t row) const {
    return QuestionStore::matchedSpans(question(row), keyword_, &matcher_);
}

void QuizPage::editKeyword(const std::string& text) {
    keyword_ = text;
    matcher_ = PinyinMatcher(cleanText(keyword_));
    search();
}

void QuizPage::search() {
    if (loading_) {
        searchWhenLoaded_ = true;
        return;
    }
    switch (store_->refresh()) {
        case QuestionStore::Status::Missing:
            showBox("题库不存在");  // the list keeps its rows
            return;
        case QuestionStore::Status::Failed:
            hits_.clear();
            selection_ = -1;
            ++generation_;
            showBox(store_->error());
            return;
        case QuestionStore::Status::Ok:
            break;
    }
    std::optional<std::string> category;
    if (category_ != kAllCategories)
        category = category_ == kPictures ? std::string()
                                          : categoryNames()[static_cast<std::size_t>(category_)];
    shown_ = store_->rows();
    hits_ = store_->search(keyword_, category);
    selection_ = -1;
    ++generation_;
    showStatus("找到 " + std::to_string(hits_.size()) + " 道题目");
}

std::shared_ptr<QuestionStore> QuizPage::startLoading() {
    loading_ = true;
    return std::make_shared<QuestionStore>(store_->path());
}

void QuizPage::finishLoading(std::shared_ptr<QuestionStore> loaded) {
    if (!loading_)
        return;
    loading_ = false;
    // A store read meanwhile, or another file chosen, wins over the one read for it.
    if (loaded && loaded->path() == store_->path() && store_->loads() == 0)
        store_ = std::move(loaded);
    if (searchWhenLoaded_) {
        searchWhenLoaded_ = false;
        search();
    }
}

void QuizPage::chooseCategory(int index) {
    if (index < 0 || index >= kCategoryCount)
        return;
    // A new category is searched at the next change of the keyword.
    category_ = index;
    if (index == kPictures)
        open(kPictureWindowTitle);
}

void QuizPage::chooseRow(int row) {
    selection_ = row >= 0 && row < static_cast<int>(hits_.size()) ? row : -1;
    const std::string q = selection_ < 0 ? kEmpty : question(static_cast<std::size_t>(selection_));
    const std::string a = selection_ < 0 ? kEmpty : answer(static_cast<std::size_t>(selection_));
    detail_ = "题目：" + q + "\n" + "答案：" + a;
}

void QuizPage::copyAnswer() {
    // Stores written on Windows break their lines with CR LF: the copy breaks them as the
    // detail box does, with LF alone.
    std::string text;
    const std::string raw = detail_ + "\n" + sourceLine();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\r')
            text += raw[i];
        else if (i + 1 >= raw.size() || raw[i + 1] != '\n')
            text += '\n';
    }
    if (!context_.desktop().setClipboardText(text))
        return;  // the clipboard could not be opened
    copied_ = text;
    showBox("题目答案已复制");
}

void QuizPage::setInFront(bool on) {
    context_.setStayOnTop(on);
    context_.desktop().keepInFront(kMainWindowTitle, on);
}

}  // namespace kalvix
