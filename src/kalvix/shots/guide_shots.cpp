// Pictures of the guide and query pages for scripts/screenshot: every sub-tab of 常用攻略 with
// something chosen, 常用查询, and the ghost-catching calculator.

#include <QTabWidget>

#include "kalvix/core/guides/query_page.h"
#include "kalvix/core/guides/raiders_page.h"
#include "kalvix/core/guides/zhuo_gui_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/guides/dlg_other.h"
#include "kalvix/gui/guides/dlg_raiders.h"
#include "kalvix/gui/guides/dlg_zhuo_gui_count.h"
#include "kalvix/shots/screenshot_registry.h"
#include "kalvix/shots/widest_inputs.h"

namespace kalvix::gui {
namespace {

// The guide page on one sub-tab, after the actions that fill it.
void raidersShot(ShotList& shots, const QString& name, int tab,
                 std::function<void(RaidersPage&)> fill) {
    shots.add(name, [tab, fill](PageHost& host) {
        auto* w = new CDlgRaiders(host, std::make_unique<RaidersPage>(host.context()));
        fill(w->page());
        w->page().takeMessages();
        w->page().takeFieldRequests();
        w->binder()->refresh();
        w->tabs()->setCurrentIndex(tab);
        w->resize(540, 334);
        w->show();
        return static_cast<QWidget*>(w);
    });
}

void choose(RaidersPage& page, const std::string& caption, int index) {
    if (const Control* c = page.find(caption); c && c->choose)
        c->choose(index);
}

void type(RaidersPage& page, const std::string& caption, const std::string& text) {
    if (const Control* c = page.find(caption); c && c->edit)
        c->edit(text);
}

void press(RaidersPage& page, const std::string& caption) {
    if (const Control* c = page.find(caption); c && c->press)
        c->press();
}

}  // namespace

void addGuideShots(ShotList& shots) {
    // Every sub-tab of 常用攻略 and the ghost calculator at their widest texts.
    addWidestShots(shots, {"常用攻略", "捉鬼计算器"});
    raidersShot(shots, QStringLiteral("guides_story"), RaidersPage::Story,
                [](RaidersPage& p) { choose(p, "剧情攻略.剧情任务", 1); });
    raidersShot(shots, QStringLiteral("guides_dungeon"), RaidersPage::Dungeon,
                [](RaidersPage& p) { choose(p, "副本攻略.副本任务", 8); });
    raidersShot(shots, QStringLiteral("guides_recipe"), RaidersPage::FurnitureRecipe,
                [](RaidersPage&) {});
    raidersShot(shots, QStringLiteral("guides_junto"), RaidersPage::JuntoPractice,
                [](RaidersPage&) {});
    raidersShot(shots, QStringLiteral("guides_old_friend"), RaidersPage::OldFriend,
                [](RaidersPage& p) {
                    type(p, "老朋友回流计算.被绑定人.人物等级", "109");
                    choose(p, "老朋友回流计算.被绑定人.领取次数", 5);
                    press(p, "老朋友回流计算.被绑定人.计算");
                    type(p, "老朋友回流计算.绑定人.人物等级", "155");
                    press(p, "老朋友回流计算.绑定人.计算");
                });
    raidersShot(shots, QStringLiteral("guides_other"), RaidersPage::OtherGuides,
                [](RaidersPage&) {});
    shots.add(QStringLiteral("query_page"), [](PageHost& host) {
        auto* w = new CDlgOther(host, std::make_unique<QueryPage>(host.context()));
        w->resize(540, 334);
        w->show();
        return static_cast<QWidget*>(w);
    });
    shots.add(QStringLiteral("zhuo_gui"), [](PageHost& host) {
        auto* d = new CZhuoGuiCount(host);
        d->model().chooseRing(3);
        d->model().editLevel("109");
        d->model().takeFieldRequests();
        d->binder()->refresh();
        d->show();
        return static_cast<QWidget*>(d);
    });
}

}  // namespace kalvix::gui
