#pragma once
#include "kalvix/gui/framework/page_widget.h"

namespace kalvix {
class MissionPage;
}

namespace kalvix::gui {

// The 任务 page.
class CDlgMission : public PageWidget {
    Q_OBJECT
  public:
    CDlgMission(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    void takeSharedLevel() override;
    MissionPage& page();
};

}  // namespace kalvix::gui
