#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix::gui {

// The 答题器 page.
class DLG_dtq : public PageWidget {
    Q_OBJECT
  public:
    explicit DLG_dtq(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
