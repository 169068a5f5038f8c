#pragma once
#include "kalvix/gui/framework/page_widget.h"

class QTableView;

namespace kalvix {
class QuizPage;
}

namespace kalvix::gui {

class QuizResultModel;

// The 答题器 page.
class DLG_dtq : public PageWidget {
    Q_OBJECT
  public:
    DLG_dtq(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    QuizPage& page();
    QTableView* resultList() { return list_; }

    // Registers the picture-question window with the dialogs every host knows.
    static void registerDialogs();

  private:
    void showResults();
    void rowChosen();

    QTableView* list_ = nullptr;
    QuizResultModel* results_ = nullptr;
};

}  // namespace kalvix::gui
