#pragma once
#include <memory>

#include "kalvix/gui/framework/my_dialog.h"

namespace kalvix {
class FurniturePage;
}

class QLabel;
class QComboBox;

namespace kalvix::gui {

class PageBinder;
class PageHost;
class PictureProvider;

// 家具: the furniture by kind with picture, card and recipe, and the item four materials make.
class CDlgFurniture : public CMyDialog {
    Q_OBJECT
  public:
    static constexpr const char* kTitle = "家具";

    explicit CDlgFurniture(PageHost& host, QWidget* parent = nullptr);
    ~CDlgFurniture() override;

    FurniturePage& model() { return *model_; }
    PageBinder* binder() { return binder_; }
    QLabel* picture() const { return picture_; }
    // Shows the model's picture and tips; every action of the dialog ends here.
    void showItem();

  private:
    std::unique_ptr<FurniturePage> model_;
    PageBinder* binder_ = nullptr;
    QLabel* picture_ = nullptr;
    QComboBox* furniture_ = nullptr;
    const PictureProvider& pictures_;
};

// Lets host open 家具 by its title.
void addFurnitureDialog(PageHost& host);

}  // namespace kalvix::gui
