#pragma once
#include "kalvix/gui/framework/page_widget.h"

namespace kalvix {
class SkillPage;
}

namespace kalvix::gui {

// The 技能 page.
class CDlgSkill : public PageWidget {
    Q_OBJECT
  public:
    CDlgSkill(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    SkillPage& page();
};

}  // namespace kalvix::gui
