#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix::gui {

// The 跑商助手 page.
class CDlgPaoShang : public PageWidget {
    Q_OBJECT
  public:
    explicit CDlgPaoShang(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
