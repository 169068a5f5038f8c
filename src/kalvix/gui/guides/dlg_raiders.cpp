#include "kalvix/gui/guides/dlg_raiders.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "kalvix/core/guides/raiders_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/guides/dlg_fb_raiders.h"
#include "kalvix/gui/guides/dlg_furniture_recipe.h"
#include "kalvix/gui/guides/dlg_jq_raiders.h"
#include "kalvix/gui/guides/dlg_junto_practice.h"
#include "kalvix/gui/guides/dlg_old_friend.h"
#include "kalvix/gui/guides/dlg_other_query.h"
#include "ui_dlg_raiders.h"

namespace kalvix::gui {

CDlgRaiders::CDlgRaiders(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::CDlgRaiders ui;
    ui.setupUi(this);
    tabs_ = ui.tabRaiders;
    QWidget* subPages[RaidersPage::kTabs] = {
        new CDlg_jqRaiders,     new CDlg_fbRaiders, new CDLG_FurnitureRecipe,
        new CDLG_JuntoPractice, new CDlg_OldFriend, new Dlg_OtherQuery,
    };
    for (int i = 0; i < RaidersPage::kTabs; ++i) {
        auto* layout = new QVBoxLayout(tabs_->widget(i));
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(subPages[i]);
    }
    // The sub-pages' controls are the page's: bind them once they all exist.
    setModel(std::move(model));
    tabs_->setCurrentIndex(page().current());
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        page().chooseTab(index);
        binder()->refresh();
    });
}

RaidersPage& CDlgRaiders::page() {
    return static_cast<RaidersPage&>(*model());
}

}  // namespace kalvix::gui
