#pragma once
#include <QWidget>

namespace kalvix::gui {

// The 剧情攻略 sub-page of 常用攻略: a list of story quests and the chosen guide.
// Its controls belong to the 常用攻略 page's model, which binds them.
class CDlg_jqRaiders : public QWidget {
    Q_OBJECT
  public:
    explicit CDlg_jqRaiders(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
