#pragma once
#include "kalvix/gui/framework/page_dialog.h"

namespace kalvix {
class ZhuoGuiPage;
}

namespace kalvix::gui {

class PageHost;

// 捉鬼计算器: a modal window with a model of its own, so every opening starts afresh.
class CZhuoGuiCount : public PageDialog {
    Q_OBJECT
  public:
    explicit CZhuoGuiCount(PageHost& host, QWidget* parent = nullptr);
    ZhuoGuiPage& model() { return *model_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    ZhuoGuiPage* model_ = nullptr;
};

}  // namespace kalvix::gui
