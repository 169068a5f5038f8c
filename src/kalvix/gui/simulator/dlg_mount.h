#pragma once
#include <memory>

#include "kalvix/gui/simulator/my_dialog.h"

namespace kalvix {
class MountPage;
class SimulatorSession;
}  // namespace kalvix

namespace kalvix::gui {

class PageHost;

// 坐骑: the mount editor of the simulator page. Works on the given session, or on a fresh
// build of its own when there is none.
class CDlgMount : public CMyDialog {
    Q_OBJECT
  public:
    CDlgMount(PageHost& host, SimulatorSession* session, QWidget* parent = nullptr);
    MountPage& page() { return *page_; }

  private:
    MountPage* page_ = nullptr;
};

}  // namespace kalvix::gui
