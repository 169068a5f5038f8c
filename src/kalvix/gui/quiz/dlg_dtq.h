#pragma once
#include <functional>
#include <thread>

#include "kalvix/gui/framework/page_widget.h"

class QTableView;

namespace kalvix {
class QuestionStore;
class QuizPage;
}  // namespace kalvix

namespace kalvix::gui {

class QuizResultModel;

// The 答题器 page.
class DLG_dtq : public PageWidget {
    Q_OBJECT
  public:
    DLG_dtq(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    ~DLG_dtq() override;
    QuizPage& page();

    // Reads the store on the loading thread; tests put in one they hold back.
    std::function<void(QuestionStore&)> storeLoader;
    QTableView* resultList() { return list_; }

    // Lets host open the picture-question window by its title.
    static void addDialogs(PageHost& host);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void startLoading();
    void showLoading(bool on);
    void showResults();
    void rowChosen();

    QTableView* list_ = nullptr;
    QuizResultModel* results_ = nullptr;
    bool loadingStarted_ = false;
    std::thread loader_;
};

}  // namespace kalvix::gui
