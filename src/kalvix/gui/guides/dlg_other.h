#pragma once
#include "kalvix/gui/framework/page_widget.h"

namespace kalvix::gui {

// The 常用查询 page: twelve buttons, nine of them drawn in the page's own blues.
class CDlgOther : public PageWidget {
    Q_OBJECT
  public:
    CDlgOther(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    // The dialogs the page opens (捉鬼计算器): the window adds them before the page is first
    // shown, so that they open from anywhere.
    static void addDialogs(PageHost& host);

  private:
    static QDialog* ghostCalculator(PageHost& host, QWidget* owner);
};

}  // namespace kalvix::gui
