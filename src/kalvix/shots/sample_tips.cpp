#include "kalvix/shots/sample_tips.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/picture_provider.h"
#include "kalvix/gui/tooltip/rune_icons.h"
#include "kalvix/gui/tooltip/tip_view.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {
namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString stoneText(int stoneId) {
    const Catalogue& catalogue = Catalogue::instance();
    const int slot = catalogue.FindRuneStone(stoneId);
    if (slot < 1)
        return u("未镶嵌");
    return QString::fromStdString(
        catalogue.RuneStoneEffectText(catalogue.runeStones[static_cast<std::size_t>(slot)]));
}

QString stoneName(int stoneId) {
    const Catalogue& catalogue = Catalogue::instance();
    const int slot = catalogue.FindRuneStone(stoneId);
    return slot < 1
               ? QString()
               : QString::fromStdString(catalogue.runeStones[static_cast<std::size_t>(slot)].name);
}

QWidget* captioned(const PictureProvider& pictures, const QString& caption, const QString& markup) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    auto* label = new QLabel(caption);
    layout->addWidget(label);
    layout->addWidget(new TipView(markup, nullptr, &pictures), 0, Qt::AlignLeft);
    layout->addStretch(1);
    return box;
}

QWidget* samplesPage(const PictureProvider& pictures) {
    auto* page = new QWidget;
    page->setWindowTitle(u("提示样例"));
    page->setAutoFillBackground(true);
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, QColor(0xe8, 0xe8, 0xe8));
    page->setPalette(palette);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setSpacing(12);
    grid->addWidget(captioned(pictures, u("装备 (武器)"), sampleWeaponSummaryTip()), 0, 0, 2, 1);
    grid->addWidget(captioned(pictures, u("符石"), sampleRuneStoneTip(10312)), 0, 1);
    grid->addWidget(captioned(pictures, u("符石模拟"), sampleRuneSummaryTip()), 0, 2);
    grid->addWidget(captioned(pictures, u("门派技能"), sampleSchoolSkillTip()), 1, 1);
    grid->addWidget(captioned(pictures, u("技能等级"), sampleSkillLevelTip()), 1, 2);
    grid->addWidget(captioned(pictures, u("家具类别"), sampleHouseRulesTip()), 2, 0, 1, 3);
    return page;
}

QWidget* runeIconsPage(const PictureProvider& pictures) {
    auto* page = new QWidget;
    page->setWindowTitle(u("符石图标"));
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(4);
    const Catalogue& catalogue = Catalogue::instance();
    int index = 0;
    const auto addIcon = [&](int resource, const QString& caption) {
        auto* cell = new QLabel;
        cell->setPixmap(QPixmap::fromImage(pictures.image(PictureKind::Icon, resource)));
        cell->setToolTip(caption);
        grid->addWidget(cell, index / 16, index % 16);
        ++index;
    };
    addIcon(kEmptyHoleResource, u("空孔"));
    for (int slot = 1; slot < kRuneStoneSlots; ++slot) {
        const RuneStone& stone = catalogue.runeStones[static_cast<std::size_t>(slot)];
        addIcon(stone.id, QString::fromStdString(stone.name));
    }
    return page;
}

}  // namespace

QString sampleWeaponSummaryTip() {
    return u("<table width=40><tr><td width=30>"
             "<h4 align=center>武器</h4><br>"
             "<hr color=blue><br><i><font color=green>基础属性</font></i><br><font color=orange>"
             "等级&nbsp;&nbsp;60<br>伤害&nbsp;+220&nbsp;&nbsp;命中&nbsp;+190<br></font>"
             "<hr color=blue><br><i><font color=green>附加属性</font></i><br><font color=blue>"
             "<font color=red>体质&nbsp;-5&nbsp;&nbsp;&nbsp;&nbsp;</font>力量&nbsp;+8<br></font>"
             "<hr color=blue><br><i><font color=green>熔炼效果</font></i><br><font color=#FF00FF>"
             "伤害&nbsp;+12&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<br>"
             "<hr color=blue><br><i><font color=green>特技特效</font></i><br><font color=aqua>"
             "特技：弱点击破<br>部件特效：神佑<br>"
             "<hr color=blue><br><i><font color=green>符石镶嵌</font></i><br><font color=purple>"
             "符石1: ") +
           stoneText(10312) + u("<br>符石2: ") + stoneText(10402) +
           u("<br>符石3: 未镶嵌<br><font color=blue>组合技能：无</font><br></font>"
             "</td></tr></table>");
}

QString sampleRuneStoneTip(int stoneId) {
    const Catalogue& catalogue = Catalogue::instance();
    const int slot = catalogue.FindRuneStone(stoneId);
    const int level = slot < 1 ? 1 : catalogue.runeStones[static_cast<std::size_t>(slot)].level;
    return u("<table><tr><td valign=vcenter><icon idres=%1 width=48 height=48></td><td><center>"
             "<h2>【%2】</h2><br><hr color=blue></center><br><font color=orange>%3</font></td></tr>"
             "<tr><td colspan=2><b><font "
             "color=green>激活符石消耗</font></b><br>经验：%4<br>体力：%5"
             "</td></tr></table>")
        .arg(stoneId)
        .arg(stoneName(stoneId), stoneText(stoneId))
        .arg(level * 100000 - 50000)
        .arg(level * 10 - 5);
}

QString sampleRuneSummaryTip() {
    return u("<h2 align=vcenter><font color=green>符石镶嵌</font></h2><br><hr color=orange><br>"
             "<font color=purple><font color=#FF00FF>组合技能：无</font><br>【%1】: %2<br>"
             "【%3】: %4<br>符石3: 未镶嵌<br>"
             "<icon idres=10312 width=48 height=48><icon idres=10402 width=48 height=48>"
             "<icon idres=9999 width=48 height=48></font>")
        .arg(stoneName(10312), stoneText(10312), stoneName(10402), stoneText(10402));
}

QString sampleHouseRulesTip() {
    const char* kinds[] = {"等级", "窗帘", "桌子", "柜子", "地毯", "椅凳",
                           "床",   "屏风", "壁画", "杂物", "地板"};
    const char* grades[] = {"普通", "华宅", "豪宅"};
    const int counts[3][10] = {{2, 1, 2, 2, 4, 1, 2, 3, 3, 1},
                               {3, 2, 3, 4, 6, 1, 4, 3, 5, 1},
                               {6, 4, 4, 6, 8, 2, 8, 4, 6, 1}};
    QString markup =
        u("<font color=blue>房屋按照不同等级，可放置的家具数量也不同：</font><br><br>"
          "<table cellspacing=1 cellPadding=1 width=460 align=center bgColor=#ffcc33 "
          "border=0><tr height=20 bgcolor=#99ccff>");
    for (const char* kind : kinds)
        markup += u("<td><div align=center>%1</div></td>").arg(u(kind));
    markup += u("</tr>");
    for (int g = 0; g < 3; ++g) {
        markup += u("<tr height=20><td bgcolor=#99ccff><div align=center>%1</div></td>")
                      .arg(u(grades[g]));
        for (int k = 0; k < 10; ++k)
            markup += u("<td bgcolor=#ffffff><div align=center>%1</div></td>").arg(counts[g][k]);
        markup += u("</tr>");
    }
    return markup + u("</table>");
}

QString sampleSchoolSkillTip() {
    return u(
        "<table><tr><td><h3>门派技能：【为官之道】</h3><br><hr color=green><br>"
        "<font color=blue>技能效果：</font>提高命中与伤害<br><font color=blue>包含法术：</font>"
        "杀气诀</td></tr></table>");
}

QString sampleSkillLevelTip() {
    return u(
        "<h3>为官之道</h3><br><hr color=green><br><font color=blue>技能等级：</font>60"
        "<font color=red>+2</font><br><font color=blue>属性加成：</font>命中　+124,伤害　+41");
}

void addTooltipShots(ShotList& shots) {
    shots.add(QStringLiteral("tooltip_samples"),
              [](PageHost& host) { return samplesPage(host.pictures()); });
    shots.add(QStringLiteral("rune_icons"),
              [](PageHost& host) { return runeIconsPage(host.pictures()); });
}

}  // namespace kalvix::gui
