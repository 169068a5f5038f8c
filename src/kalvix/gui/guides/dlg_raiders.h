#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix::gui {

// The 常用攻略 page.
class CDlgRaiders : public PageWidget {
    Q_OBJECT
  public:
    explicit CDlgRaiders(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
