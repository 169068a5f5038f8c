#pragma once
#include <QTimer>

#include "kalvix/gui/framework/page_widget.h"

class QLabel;

namespace kalvix {
class PaoShangPage;
}

namespace kalvix::gui {

class CHyperLink;

// The 跑商助手 page: a one-second timer delivers the clock's ticks to the model; the widget
// moves the arrow and keeps the main window on top while 总在最前 is ticked.
class CDlgPaoShang : public PageWidget {
    Q_OBJECT
  public:
    CDlgPaoShang(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    PaoShangPage& page();
    QTimer& timer() { return timer_; }
    // After an action: the timer follows the clock, the arrow follows the model.
    void follow(bool restartTimer = false);

  private:
    void onTick();
    void applyTopmost(bool on);

    QTimer timer_{this};  // a child, so it is found with the page
    QLabel* arrow_ = nullptr;
};

}  // namespace kalvix::gui
