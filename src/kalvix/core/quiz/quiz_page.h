#pragma once
// The 答题器 page: a keyword searched at every change within the chosen category of the
// question store, the matching questions with their answers, the chosen one in a detail box
// that can be copied with a source line, and the picture questions in a window of their own.

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kalvix/build_config.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"
#include "kalvix/core/quiz/pinyin_match.h"
#include "kalvix/core/quiz/question_store.h"

namespace kalvix {

class QuizPage : public PageModel {
  public:
    static constexpr int kCategoryCount = 11;
    static constexpr int kAllCategories = 9;
    static constexpr int kPictures = 10;
    // The main window is found by its exact title, made from the program's version, to keep
    // it in front.
    static constexpr const char* kMainWindowTitle = config::kMainWindowTitle;
    static constexpr const char* kPictureWindowTitle = "使用中键滚轮向下查看";

    // storePath: the question store; empty for Conversion.dat beside the program. The page
    // needs nothing from its context.
    explicit QuizPage(PageContext& context, std::string storePath = {});
    std::string title() const override { return "答题器"; }

    void setStorePath(std::string path) { store_->setPath(std::move(path)); }
    const QuestionStore& store() const { return *store_; }

    // Reading the store off the user-interface thread: startLoading() hands out a store of
    // the same file for another thread to refresh(); until finishLoading() takes it back,
    // keystrokes are kept and searched when it arrives. A window does this once, after its
    // first frame; kalvix-calc and the tests read the store at the first search.
    bool wantsLoading() const { return !loading_ && store_->loads() == 0; }
    std::shared_ptr<QuestionStore> startLoading();
    void finishLoading(std::shared_ptr<QuestionStore> loaded);
    bool loading() const { return loading_; }

    // The category buttons' captions by index (元宵灯谜 0 ... 所有分类 9, 图片题目 10).
    static const std::array<const char*, kCategoryCount>& categoryNames();
    static std::string defaultStorePath();
    static std::string sourceLine();
    static std::string pictureAddress();

    void editKeyword(const std::string& text);
    void chooseCategory(int index);
    void chooseRow(int row);  // -1: none
    void copyAnswer();
    void setInFront(bool on);

    int category() const { return category_; }
    const std::string& keyword() const { return keyword_; }
    std::size_t resultCount() const { return hits_.size(); }
    const std::string& question(std::size_t row) const;
    const std::string& answer(std::size_t row) const;
    // Byte ranges of the row's question that the keyword matched.
    std::vector<std::pair<std::size_t, std::size_t>> highlights(std::size_t row) const;
    // Counts the searches that replaced the list, so a view knows when to reload.
    int generation() const { return generation_; }
    int selection() const { return selection_; }
    const std::string& detail() const { return detail_; }
    bool inFront() const { return context_.stayOnTop(); }

  private:
    void search();

    std::shared_ptr<QuestionStore> store_;
    bool loading_ = false;
    bool searchWhenLoaded_ = false;
    std::string keyword_;
    PinyinMatcher matcher_{""};  // the keyword's, for the highlights of the shown rows
    int category_ = kAllCategories;
    QuestionStore::Rows shown_;  // the rows the hits point into
    std::vector<std::size_t> hits_;
    int generation_ = 0;
    int selection_ = -1;
    std::string detail_;
    std::string copied_;
    PageContext& context_;
};

}  // namespace kalvix
