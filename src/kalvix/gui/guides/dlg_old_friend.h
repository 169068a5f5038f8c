#pragma once
#include <QWidget>

class QPushButton;

namespace kalvix::gui {

// The 老朋友回流计算 sub-page of 常用攻略: Enter presses the left 计算 (the page's default button)
// and Escape the right one (it carries the page's cancel command). Its controls belong to the
// 常用攻略 page's model, which binds them.
class CDlg_OldFriend : public QWidget {
    Q_OBJECT
  public:
    explicit CDlg_OldFriend(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPushButton* calcBound_ = nullptr;
    QPushButton* calcBinder_ = nullptr;
};

}  // namespace kalvix::gui
