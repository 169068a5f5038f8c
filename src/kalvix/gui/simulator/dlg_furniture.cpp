#include "kalvix/gui/simulator/dlg_furniture.h"

#include <QPixmap>

#include "kalvix/core/simulator/furniture_page.h"
#include "kalvix/core/simulator/furniture_tips.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/picture_provider.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "ui_dlg_furniture.h"

namespace kalvix::gui {

CDlgFurniture::CDlgFurniture(PageHost& host, QWidget* parent)
    : CMyDialog(parent), pictures_(host.pictures()) {
    tooltip().setPictures(&pictures_);
    auto model = std::make_unique<FurniturePage>(host.context());
    model_ = model.get();
    Ui::CDlgFurniture ui;
    ui.setupUi(this);
    setWindowTitle(QString::fromUtf8(kTitle));
    setFixedSize(size());
    picture_ = ui.pictureFurniture;
    furniture_ = ui.comboFurniture;
    bindModel(host, std::move(model));
    // The binder handles a choice first (it connected first); the picture follows it.
    for (QComboBox* list : {ui.comboKind, ui.comboFurniture, ui.comboMaterial1, ui.comboMaterial2,
                            ui.comboMaterial3, ui.comboMaterial4})
        connect(list, &QComboBox::activated, this, [this] { showItem(); });
    connect(ui.buttonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui.buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
    setTip(ui.comboKind, houseRulesTip());
    showItem();
}

void CDlgFurniture::showItem() {
    const QImage image = pictures_.image(PictureKind::Picture, model_->picture());
    picture_->setPixmap(QPixmap::fromImage(image));
    setTip(picture_, model_->itemTip());
    setTip(furniture_, model_->itemTip());
}

void addFurnitureDialog(PageHost& host) {
    host.addDialog(
        QString::fromUtf8(CDlgFurniture::kTitle),
        [](PageHost& h, QWidget* parent) -> QDialog* { return new CDlgFurniture(h, parent); });
}

}  // namespace kalvix::gui
