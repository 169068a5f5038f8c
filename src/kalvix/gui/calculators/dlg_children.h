#pragma once
#include "kalvix/gui/framework/page_widget.h"

namespace kalvix {
class ChildrenPage;
}

namespace kalvix::gui {

// The 孩子 page: aptitude prediction, item effects and three guide links. Enter presses
// 计算 ==>, the page's default button.
class Dlg_Children : public PageWidget {
    Q_OBJECT
  public:
    Dlg_Children(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    ChildrenPage& page();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void press(const std::string& caption);
};

}  // namespace kalvix::gui
