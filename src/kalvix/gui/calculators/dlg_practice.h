#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix {
class PracticePage;
}

namespace kalvix::gui {

// The 修炼 page.
class CDlgPractice : public PageWidget {
    Q_OBJECT
  public:
    explicit CDlgPractice(QWidget* parent = nullptr);
    PracticePage& page();
};

}  // namespace kalvix::gui
