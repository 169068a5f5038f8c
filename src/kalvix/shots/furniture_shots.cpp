// Pictures of the 家具 dialog, its tips and the furniture pictures for scripts/screenshot.

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/page/page_actions.h"
#include "kalvix/core/simulator/furniture_page.h"
#include "kalvix/core/simulator/furniture_tips.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/picture_provider.h"
#include "kalvix/gui/simulator/dlg_furniture.h"
#include "kalvix/gui/tooltip/tip_view.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {
namespace {

QWidget* tipsPage(PageHost& host) {
    CDlgFurniture dialog(host);
    PageActions(dialog.model()).chooseItem("家具", "红杏闹春帘");
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("家具提示"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        new TipView(QString::fromStdString(dialog.model().itemTip()), nullptr, &host.pictures()), 0,
        Qt::AlignLeft);
    layout->addWidget(
        new TipView(QString::fromStdString(houseRulesTip()), nullptr, &host.pictures()), 0,
        Qt::AlignLeft);
    page->show();
    return page;
}

QWidget* picturesPage(PageHost& host) {
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("家具图片"));
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(4);
    const Catalogue& catalogue = Catalogue::instance();
    std::vector<std::int32_t> ids{kBlankFurniturePicture};
    for (int slot = 0; slot < kFurnitureItems; ++slot)
        ids.push_back(catalogue.furniture[slot].id);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        auto* cell = new QLabel;
        const QImage image = host.pictures().image(PictureKind::Picture, ids[i]);
        cell->setPixmap(
            QPixmap::fromImage(image.scaledToWidth(image.width() / 2, Qt::SmoothTransformation)));
        grid->addWidget(cell, static_cast<int>(i / 12), static_cast<int>(i % 12));
    }
    page->show();
    return page;
}

}  // namespace

void addFurnitureShots(ShotList& shots) {
    shots.add(QStringLiteral("furniture"), [](PageHost& host) {
        auto* d = new CDlgFurniture(host);
        PageActions actions(d->model());
        actions.chooseItem("家具类别", "床");
        actions.chooseItem("家具", "榛木床");
        d->binder()->refresh();
        d->showItem();
        d->show();
        return static_cast<QWidget*>(d);
    });
    shots.add(QStringLiteral("furniture_tips"), tipsPage);
    shots.add(QStringLiteral("furniture_pictures"),
              [](PageHost& host) { return picturesPage(host); });
}

}  // namespace kalvix::gui
