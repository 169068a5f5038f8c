#pragma once
#include "kalvix/gui/framework/page_widget.h"

namespace kalvix {
class PetPage;
}

namespace kalvix::gui {

// The 召唤兽 page.
class CDlgBB : public PageWidget {
    Q_OBJECT
  public:
    CDlgBB(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    PetPage& page();
};

}  // namespace kalvix::gui
