#pragma once
#include <memory>

#include "kalvix/gui/framework/page_dialog.h"

namespace kalvix {
class SkillDetailPage;
}

namespace kalvix::gui {

class PageHost;

// 师门技能详细计算: seven school skill calculators. Shows the model it is given (the 技能
// page's), or one of its own.
class CDlgSkillDetail : public PageDialog {
    Q_OBJECT
  public:
    CDlgSkillDetail(PageHost& host, SkillDetailPage* model, QWidget* parent = nullptr);
    SkillDetailPage& model() { return *model_; }

    // Enter: reads the fields and closes unless one is refused.
    void accept() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    SkillDetailPage* model_;
};

}  // namespace kalvix::gui
