#pragma once
#include "kalvix/gui/framework/page_widget.h"

class QTabWidget;

namespace kalvix {
class RaidersPage;
}

namespace kalvix::gui {

// The 常用攻略 page: six sub-pages behind a tab control of its own, created once with the page,
// so each keeps its inputs and results while another is shown.
class CDlgRaiders : public PageWidget {
    Q_OBJECT
  public:
    CDlgRaiders(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    RaidersPage& page();
    QTabWidget* tabs() { return tabs_; }

  private:
    QTabWidget* tabs_ = nullptr;
};

}  // namespace kalvix::gui
