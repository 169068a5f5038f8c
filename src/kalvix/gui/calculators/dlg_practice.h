#pragma once
#include "kalvix/gui/framework/page_widget.h"

namespace kalvix {
class PracticePage;
}

namespace kalvix::gui {

// The 修炼 page.
class CDlgPractice : public PageWidget {
    Q_OBJECT
  public:
    CDlgPractice(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    PracticePage& page();
};

}  // namespace kalvix::gui
