#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix::gui {

// The 孩子 page.
class Dlg_Children : public PageWidget {
    Q_OBJECT
  public:
    explicit Dlg_Children(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
