#pragma once
#include <QWidget>

namespace kalvix::gui {

// The 副本攻略 sub-page of 常用攻略: a list of dungeons and the chosen guide.
// Its controls belong to the 常用攻略 page's model, which binds them.
class CDlg_fbRaiders : public QWidget {
    Q_OBJECT
  public:
    explicit CDlg_fbRaiders(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
