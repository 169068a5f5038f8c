#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix::gui {

// The 常用查询 page.
class CDlgOther : public PageWidget {
    Q_OBJECT
  public:
    explicit CDlgOther(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
