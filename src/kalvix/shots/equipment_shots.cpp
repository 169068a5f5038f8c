// Pictures of the 符石模拟 dialog in both modes, the six equipment editors and their tips for
// scripts/screenshot.

#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/page/page_actions.h"
#include "kalvix/core/simulator/equipment_page.h"
#include "kalvix/core/simulator/rune_page.h"
#include "kalvix/core/simulator/simulator_session.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/simulator/dlg_equipment.h"
#include "kalvix/gui/simulator/dlg_rune.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "kalvix/gui/tooltip/tip_view.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {
namespace {

// A 龙宫 character's pieces as a player would have them: levels, stunts, effects and runes.
void samplePiece(SimulatorSession& session, int piece) {
    EquipmentRecord r = session.equipment(piece);
    r.levelIndex = 10;
    r.stunt = piece == 1 ? 8 : 46;
    r.generalEffects = Catalogue::effectMaskBit(4) | Catalogue::effectMaskBit(7);
    r.partEffects = Catalogue::effectMaskBit(1);
    r.runes.holeCount = 3;
    r.runes.combinationId = 22;  // 望穿秋水
    r.runes.combinationLevelIndex = 0;
    r.runes.stoneIds = {10300, 10400, -1, -1, -1};
    switch (piece) {
        case 1:
            r.baseStatus[kHurt] = 360;
            r.baseStatus[kHit] = 310;
            r.addedFive = {12, 0, 0, -5, 0};
            r.meltFive = {0, 3, 0, 0, 0};
            break;
        case 2:
            r.baseStatus[kDefence] = 160;
            r.baseStatus[kHP] = 120;
            r.addedFive = {0, 0, 8, 8, 0};
            break;
        case 3:
            r.baseStatus[kDefence] = 55;
            r.baseStatus[kMP] = 105;
            break;
        case 4:
            r.baseStatus[kAnima] = 125;
            break;
        case 5:
            r.baseStatus[kDefence] = 55;
            r.baseStatus[kHP] = 210;
            break;
        default:
            r.baseStatus[kDefence] = 55;
            r.baseFive[4] = 35;
            break;
    }
    session.confirmEquipment(piece, r);
}

SimulatorSession* dragonSession() {
    auto* session = new SimulatorSession(Catalogue::instance());
    session->simulator().setRace(1);
    session->simulator().setSchool(1);
    return session;
}

// The session lives as long as the picture's widget.
template <class Owned>
void tie(QObject* widget, Owned* owned) {
    QObject::connect(widget, &QObject::destroyed, [owned] { delete owned; });
}

CDlgEquipment* editorShot(PageHost& host, int piece) {
    SimulatorSession* session = dragonSession();
    samplePiece(*session, piece);
    CDlgEquipment* d = createEquipmentDialog(host, session, piece, nullptr);
    tie(d, session);
    d->show();
    return d;
}

QWidget* freeRuneShot(PageHost& host) {
    auto* d = new CDlgRune(host);
    PageActions actions(d->model());
    actions.chooseItem("组合技能", "风卷残云");
    actions.chooseItem("符石1.符石", "冰符石");
    actions.chooseItem("符石2.符石", "风符石");
    actions.chooseItem("符石3.符石", "地炎符石");
    d->binder()->refresh();
    d->showExtras();
    d->show();
    return d;
}

CDlgRune* editorRuneShot(PageHost& host) {
    auto* model = new RunePage(host.context());
    RuneSetting s;
    s.holeCount = 3;
    s.combinationId = 2065;  // 破浪诀符石
    s.stoneIds = {10400, 10000, 10300, -1, -1};
    model->SetPreset(1, 22, s);
    auto* d = new CDlgRune(host, *model);
    tie(d, model);
    d->show();
    return d;
}

// A dialog as it looks with the tip of one control up: its picture with the tip drawn below
// and right of the control, where the pointer would rest.
QWidget* withTip(PageHost& host, CMyDialog* dialog, const char* control) {
    dialog->show();
    QWidget* w = dialog->findChild<QWidget*>(QString::fromLatin1(control));
    auto* tip = new TipView(w ? dialog->tooltip().tip(w) : QString(), nullptr, &host.pictures());
    const QPoint at = w ? w->mapTo(dialog, w->rect().center()) + QPoint(12, 16) : QPoint();
    const QSize tipSize = tip->sizeHint();
    auto* page = new QLabel;
    page->setWindowTitle(dialog->windowTitle());
    page->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    page->setPixmap(dialog->grab());
    page->resize(std::max(dialog->width(), at.x() + tipSize.width()),
                 std::max(dialog->height(), at.y() + tipSize.height()));
    tip->setParent(page);
    tip->move(at);
    tip->resize(tipSize);
    delete dialog;
    page->show();
    return page;
}

QWidget* tipsPage(PageHost& host) {
    SimulatorSession session(Catalogue::instance());
    samplePiece(session, 1);
    EquipmentPage weapon(host.context(), session, 1);
    RunePage rune(host.context());
    PageActions actions(rune);
    actions.chooseItem("组合技能", "风卷残云");
    actions.chooseItem("符石1.符石", "冰符石");
    actions.chooseItem("符石2.符石", "风符石");
    auto* page = new QWidget;
    page->setWindowTitle(QStringLiteral("装备和符石提示"));
    auto* grid = new QGridLayout(page);
    const std::string tips[] = {
        weapon.tip("特技"),     weapon.tip("必中"),       weapon.tip("坚固"),
        weapon.tip("组合技能"), weapon.tip("镶嵌符石.1"), weapon.tip("符石模拟"),
        rune.tip("符石1.符石"), rune.tip("组合技能"),     rune.tip("开运孔数"),
    };
    int n = 0;
    for (const std::string& tip : tips) {
        if (tip.empty())
            continue;
        grid->addWidget(new TipView(QString::fromStdString(tip), nullptr, &host.pictures()), n / 3,
                        n % 3, Qt::AlignLeft | Qt::AlignTop);
        ++n;
    }
    page->show();
    return page;
}

}  // namespace

void addEquipmentShots(ShotList& shots) {
    shots.add(QStringLiteral("rune_free"), freeRuneShot);
    shots.add(QStringLiteral("rune_editor"),
              [](PageHost& host) -> QWidget* { return editorRuneShot(host); });
    const char* const names[] = {"", "weapon", "clothing", "head", "necklace", "belt", "boot"};
    for (int piece = kFirstPiece; piece <= kLastPiece; ++piece)
        shots.add(QStringLiteral("equipment_") + QString::fromLatin1(names[piece]),
                  [piece](PageHost& host) -> QWidget* { return editorShot(host, piece); });
    shots.add(QStringLiteral("equipment_tips"), tipsPage);
    shots.add(QStringLiteral("rune_editor_tip"),
              [](PageHost& host) { return withTip(host, editorRuneShot(host), "comboStone1"); });
    shots.add(QStringLiteral("equipment_weapon_tip"),
              [](PageHost& host) { return withTip(host, editorShot(host, 1), "buttonRune"); });
}

}  // namespace kalvix::gui
