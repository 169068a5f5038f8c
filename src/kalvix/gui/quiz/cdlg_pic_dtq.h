#pragma once
#include <QDialog>

namespace kalvix::gui {

class CHtmlCtrl;

// 使用中键滚轮向下查看: the portal's page of picture questions, shifted so that the part
// holding the questions is in view.
class CDLG_PicDtq : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kShiftLeft = -85;
    static constexpr int kShiftTop = -715;

    explicit CDLG_PicDtq(QWidget* parent = nullptr);
    CHtmlCtrl& browser() { return *browser_; }

  private:
    CHtmlCtrl* browser_ = nullptr;
};

}  // namespace kalvix::gui
