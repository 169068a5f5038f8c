#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix {
class SkillPage;
}

namespace kalvix::gui {

// The 技能 page.
class CDlgSkill : public PageWidget {
    Q_OBJECT
  public:
    explicit CDlgSkill(QWidget* parent = nullptr);
    SkillPage& page();
};

}  // namespace kalvix::gui
