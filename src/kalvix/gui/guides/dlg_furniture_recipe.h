#pragma once
#include <QWidget>

namespace kalvix::gui {

// The 家具配方 sub-page of 常用攻略: the fixed recipe text.
// Its controls belong to the 常用攻略 page's model, which binds them.
class CDLG_FurnitureRecipe : public QWidget {
    Q_OBJECT
  public:
    explicit CDLG_FurnitureRecipe(QWidget* parent = nullptr);
};

}  // namespace kalvix::gui
