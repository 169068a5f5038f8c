#pragma once
#include <QWidget>

namespace kalvix::gui {

// The 其他攻略 sub-page of 常用攻略: sixteen buttons leading to portal guides.
// Its controls belong to the 常用攻略 page's model, which binds them.
class Dlg_OtherQuery : public QWidget {
    Q_OBJECT
  public:
    explicit Dlg_OtherQuery(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
