#pragma once
#include <memory>

#include "kalvix/gui/simulator/my_dialog.h"

namespace kalvix {
class FurniturePage;
}

class QLabel;
class QComboBox;

namespace kalvix::gui {

class PageHost;
class PictureProvider;

// 家具: the furniture by kind with picture, card and recipe, and the item four materials make.
class CDlgFurniture : public CMyDialog {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "家具";

    explicit CDlgFurniture(PageHost& host, QWidget* parent = nullptr);

    FurniturePage& model() { return *model_; }
    QLabel* picture() const { return picture_; }
    // Shows the model's picture and tips; every action of the dialog ends here.
    void showItem();

  private:
    FurniturePage* model_;
    QLabel* picture_ = nullptr;
    QComboBox* furniture_ = nullptr;
    const PictureProvider& pictures_;
};

// Lets host open 家具 by its title.
void addFurnitureDialog(PageHost& host);

}  // namespace kalvix::gui
