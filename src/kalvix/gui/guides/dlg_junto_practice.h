#pragma once
#include <QWidget>

namespace kalvix::gui {

// The 帮派修炼 sub-page of 常用攻略: the guild cultivation table.
// Its controls belong to the 常用攻略 page's model, which binds them.
class CDLG_JuntoPractice : public QWidget {
    Q_OBJECT
  public:
    explicit CDLG_JuntoPractice(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
