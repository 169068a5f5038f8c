#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix {
class PetPage;
}

namespace kalvix::gui {

// The 召唤兽 page.
class CDlgBB : public PageWidget {
    Q_OBJECT
  public:
    explicit CDlgBB(QWidget* parent = nullptr);
    PetPage& page();
};

}  // namespace kalvix::gui
