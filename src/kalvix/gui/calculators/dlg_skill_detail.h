#pragma once
#include <QDialog>
#include <memory>

namespace kalvix {
class SkillDetailPage;
}

namespace kalvix::gui {

class PageBinder;
class PageHost;

// 师门技能详细计算: seven school skill calculators. Shows the model it is given (the 技能
// page's), or one of its own.
class CDlgSkillDetail : public QDialog {
    Q_OBJECT
  public:
    CDlgSkillDetail(PageHost& host, SkillDetailPage* model, QWidget* parent = nullptr);
    ~CDlgSkillDetail() override;
    SkillDetailPage& model() { return *model_; }
    PageBinder* binder() { return binder_; }

    // Enter: reads the fields and closes unless one is refused.
    void accept() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<SkillDetailPage> own_;
    SkillDetailPage* model_;
    PageBinder* binder_ = nullptr;
};

}  // namespace kalvix::gui
