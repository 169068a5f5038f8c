// Pictures of the simulator page, its tooltips and the mount editor for scripts/screenshot.

#include <QGridLayout>
#include <QLabel>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/page/page_actions.h"
#include "kalvix/core/simulator/mount_page.h"
#include "kalvix/core/simulator/rune_page.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/simulator/dlg_mount.h"
#include "kalvix/gui/simulator/dlg_simulation.h"
#include "kalvix/gui/tooltip/tip_view.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {
namespace {

// A 魔族 盘丝洞 at level 109 with a mount, a weapon and armour, as a player would have it.
void sampleBuild(CDlgSimulation& d) {
    PageActions actions(d.page());
    actions.setChecked("魔族", true);
    actions.setChecked("盘丝洞", true);
    actions.type("服", "电信一区");
    actions.type("区", "长安城");
    actions.type("角色", "小蜘蛛");
    actions.chooseItem("级别", "109");
    actions.chooseItem("气血技能", "100");
    actions.chooseItem("命中技能", "110");
    actions.chooseItem("伤害技能", "110");
    actions.chooseItem("冥思", "40");
    // Compared with the build before its points went in.
    actions.click("对比当前");
    actions.type("快速加点.力量", "400");
    actions.type("快速加点.敏捷", "100");
    actions.click("数值");

    MountRecord mount = d.session().mount();
    mount.growth = 1.2345f;
    mount.five = {300, 0, 450, 0, 120};
    EquipmentRecord weapon = d.session().equipment(1);
    weapon.levelIndex = 10;
    weapon.baseStatus[kHurt] = 360;
    weapon.baseStatus[kHit] = 310;
    weapon.addedFive = {0, 0, 12, 0, -5};
    weapon.stunt = 3;
    weapon.partEffects = Catalogue::effectMaskBit(3);
    // The weapon's stones as the rune dialog lets a player set them: three holes, blue, red
    // and blue stones, whose colours the rules match to their combination.
    PageContext runeContext;
    RunePage rune(runeContext);
    rune.SetPreset(1, d.session().schoolValue(), weapon.runes);
    PageActions runeActions(rune);
    runeActions.chooseItem("开运孔数", "3");
    int row = 0;
    for (const char* colour : {"蓝", "红", "蓝"}) {
        const std::string caption = RunePage::rowCaption(row++);
        runeActions.chooseItem(caption + ".颜色", colour);
        runeActions.choose(caption + ".符石", 0);
    }
    runeActions.click("确定");
    weapon.runes = rune.lastSetting();
    EquipmentRecord armour = d.session().equipment(2);
    armour.levelIndex = 10;
    armour.baseStatus[kDefence] = 160;
    armour.partEffects = Catalogue::effectMaskBit(1);
    // The editors confirm what a player typed into them.
    d.page().opener = [&d, mount, weapon, armour](const std::string& title) {
        if (title == kMountTitle)
            d.session().confirmMount(mount);
        else if (title == kEditorTitles[1])
            d.session().confirmEquipment(1, weapon);
        else if (title == kEditorTitles[2])
            d.session().confirmEquipment(2, armour);
    };
    actions.click("武器");
    actions.click("衣服");
    actions.click("坐骑.编辑");
    d.binder()->refresh();
    d.decorate();
}

QWidget* tipsPage(PageHost& host) {
    CDlgSimulation d(host);
    sampleBuild(d);
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("人物模拟加点系统提示"));
    auto* grid = new QGridLayout(page);
    const char* const captions[] = {"武器",    "坐骑.编辑",     "伤害技能.按钮", "命中技能",
                                    "体质.+5", "组合技能.武器", "特技.武器"};
    int n = 0;
    for (const char* caption : captions) {
        const std::string tip = d.page().tip(caption);
        if (tip.empty())
            continue;
        grid->addWidget(new TipView(QString::fromStdString(tip), nullptr, &host.pictures()), n / 4,
                        n % 4, Qt::AlignLeft | Qt::AlignTop);
        ++n;
    }
    page->show();
    return page;
}

// The page as the player sees it with the pointer resting on a button: the tip window drawn
// where it pops up, beside the button.
QWidget* withTipPage(PageHost& host, const char* buttonName, const char* caption) {
    CDlgSimulation d(host);
    sampleBuild(d);
    d.show();
    auto* page = new QLabel;
    page->setWindowTitle(QStringLiteral("人物模拟加点系统"));
    page->setPixmap(d.grab());
    page->setFixedSize(d.size());
    auto* tip = new TipView(QString::fromStdString(d.page().tip(caption)), page, &host.pictures());
    tip->resize(tip->sizeHint());
    const QWidget* button = d.findChild<QWidget*>(QString::fromLatin1(buttonName));
    const QPoint at = button ? button->mapTo(&d, QPoint(0, button->height() / 2)) : QPoint();
    tip->move(qMax(0, at.x() - tip->width() - 6), qMax(0, at.y() - 12));
    page->show();
    return page;
}

}  // namespace

void addSimulationShots(ShotList& shots) {
    shots.add(QStringLiteral("simulation_weapon_tip"),
              [](PageHost& host) { return withTipPage(host, "buttonWeapon", "武器"); });
    shots.add(QStringLiteral("simulation"), [](PageHost& host) -> QWidget* {
        auto* d = new CDlgSimulation(host);
        sampleBuild(*d);
        d->show();
        return d;
    });
    shots.add(QStringLiteral("simulation_tips"), tipsPage);
    shots.add(QStringLiteral("mount"), [](PageHost& host) -> QWidget* {
        auto* session = new SimulatorSession(Catalogue::instance());
        auto* d = new CDlgMount(host, session);
        // The session lives as long as the picture's dialog.
        QObject::connect(d, &QObject::destroyed, [session] { delete session; });
        PageActions(d->page()).type("成长", "abc");
        PageActions(d->page()).click("确认");
        d->binder()->refresh();
        d->show();
        return d;
    });
}

}  // namespace kalvix::gui
