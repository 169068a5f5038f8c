#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix {
class MissionPage;
}

namespace kalvix::gui {

// The 任务 page.
class CDlgMission : public PageWidget {
    Q_OBJECT
  public:
    explicit CDlgMission(QWidget* parent = nullptr);
    void takeSharedLevel() override;
    MissionPage& page();
};

}  // namespace kalvix::gui
