#include "kalvix/shots/widest_inputs.h"

#include "kalvix/core/page/page_actions.h"

#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QValidator>
#include <map>

#include "kalvix/core/registry/page_registry.h"
#include "kalvix/gui/app/page_widgets.h"
#include "kalvix/gui/framework/dialog_units.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_widget.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {
namespace {

// The largest results come from the top levels, the largest ranges and the largest numbers a
// field takes; a page whose results depend on several choices has one list per case.
// Every stunt an editor offers, one case each: their explanations differ in length.
std::vector<Arguments> everyStunt(int count) {
    std::vector<Arguments> cases;
    for (int n = 1; n < count; ++n)
        cases.push_back({"特技=#" + std::to_string(n)});
    return cases;
}

const std::map<std::string, std::vector<Arguments>>& table() {
    static const std::map<std::string, std::vector<Arguments>> t = {
        {"武器", everyStunt(58)},
        {"人物",
         {{"当前等级=175"},
          {"当前等级=57"},
          {"当前等级=69"},
          {"当前等级=0", "目标等级=175", "当前经验=99999999999999"},
          // The remainder is the experience itself below the next level's cost, negative too.
          {"当前等级=0", "当前经验=-9223372036854775808"},
          {"当前等级=119"}}},
        // Research is slowest without an academy; auxiliary skills end at 160 in the guild and
        // at 40 from an NPC.
        {"技能",
         {{"师门技能.当前等级=0", "师门技能.目标等级=180", "帮派技能研究.当前等级=0",
           "帮派技能研究.目标等级=160", "帮派书院=0", "辅助技能学习.当前等级=0",
           "辅助技能学习.目标等级=160"},
          {"向NPC学习=1", "辅助技能学习.当前等级=0", "辅助技能学习.目标等级=40"}}},
        {"修炼",
         {{"当前等级=0", "目标等级=25", "当前修炼经验=0", "基本伤害=2147483647", "修炼等级=25",
           "自己技能等级=180", "封印模拟.法术修炼=25", "对方等级=0", "封印模拟.法抗修炼=0",
           "封印模拟"},
          {"防御/法抗=1", "基本伤害=99999", "修炼等级=25", "自己技能等级=180",
           "封印模拟.法术修炼=0", "对方等级=175", "封印模拟.法抗修炼=25", "封印模拟"}}},
        {"任务",
         {{"当前等级=175", "徒弟等级=#0", "从=1", "到=200"},
          {"当前等级=61"},
          // Both rounds, doubled, with the oldest apprentice.
          {"当前等级=175", "徒弟等级=#34", "师门任务(40以下可3倍).两轮=1", "双倍=1",
           "师徒任务.两轮=1", "从=1", "到=300"}}},
        {"召唤兽",
         {{"召唤兽等级=180", "成长率=1.3", "资质.攻击=9999", "资质.防御=9999", "体力=9999",
           "资质.法力=9999", "资质.速度=9999", "躲闪=9999", "属性.体质=9999", "属性.法力=9999",
           "属性.力量=9999", "属性.耐力=9999", "属性.敏捷=9999", "潜能=9999", "自己速度=9999",
           "对方速度=9999", "召唤兽升级经验.到=180", "召唤兽修炼(宝宝环).到=25",
           "当前经验=99999999"},
          // The largest growth the page takes, on the same aptitudes and attributes.
          {"成长率=10"},
          {"自己速度=100", "对方速度=100", "召唤兽修炼(宝宝环).到=25", "当前经验=0"}}},
        {"孩子",
         {{"武学悟性=100", "法术悟性=100", "心态悟性=100", "体质悟性=100", "计算 ==>"},
          {"当前物品=#4", "孩子总属性=0", "计算"}}},
        {"捉鬼计算器", {{"队伍平均等级=180", "环数=#9", "开双倍(默认开5门)=1"}}},
        {"师门技能详细计算",
         {{"师门技能1.当前等级=0", "师门技能1.目标等级=180", "师门技能2.当前等级=0",
           "师门技能2.目标等级=180", "师门技能3.当前等级=0", "师门技能3.目标等级=180",
           "师门技能4.当前等级=0", "师门技能4.目标等级=180", "师门技能5.当前等级=0",
           "师门技能5.目标等级=180", "师门技能6.当前等级=0", "师门技能6.目标等级=180",
           "师门技能7.当前等级=0", "师门技能7.目标等级=180"}}},
        // The top level with every potential point in one attribute, one case each.
        {"人物模拟加点系统",
         {{"级别=175", "额外潜能=255", "强身=180", "冥思=180", "养生=180", "健身=180",
           "快速加点.体质=1", "比例"},
          {"重置点数", "快速加点.体质=0", "快速加点.魔力=1", "比例"},
          {"重置点数", "快速加点.魔力=0", "快速加点.力量=1", "比例"},
          {"重置点数", "快速加点.力量=0", "快速加点.耐力=1", "比例"},
          {"重置点数", "快速加点.耐力=0", "快速加点.敏捷=1", "比例"}}},
        // Every hole with a stone of two bonuses, the longest effect texts.
        {"符石模拟",
         {{"符石1.颜色=#6", "符石1.符石=#7", "符石2.颜色=#6", "符石2.符石=#6", "符石3.颜色=#6",
           "符石3.符石=#5", "符石4.颜色=#6", "符石4.符石=#7", "符石5.颜色=#6", "符石5.符石=#6"}}},
        // The clock running: both countdowns at their most digits.
        {"跑商助手", {{"开始", "@tick=1"}}},
        {"常用攻略",
         {{"子页=#0"},
          {"子页=#1"},
          {"子页=#2"},
          {"子页=#3"},
          // The game's top level: the fields themselves take levels far above it.
          {"子页=#4", "老朋友回流计算.被绑定人.人物等级=175", "老朋友回流计算.被绑定人.领取次数=15",
           "老朋友回流计算.被绑定人.计算", "老朋友回流计算.绑定人.人物等级=175",
           "老朋友回流计算.绑定人.领取次数=15", "老朋友回流计算.绑定人.计算"},
          {"子页=#5"}}},
    };
    return t;
}

// What a player could not type into the field: past its length limit or refused by its
// validator.
QString untypable(QWidget* w, const std::string& value) {
    auto* e = qobject_cast<QLineEdit*>(w);
    if (!e)
        return {};
    QString text = QString::fromStdString(value);
    if (text.size() > e->maxLength())
        return QStringLiteral("longer than the field takes");
    if (const QValidator* v = e->validator()) {
        int pos = 0;
        if (v->validate(text, pos) == QValidator::Invalid)
            return QStringLiteral("refused by the field");
    }
    return {};
}

// A picture shows the page; no message box may stop it.
struct QuietPresenter : MessagePresenter {
    void inform(QWidget*, const QString&) override {}
    bool ask(QWidget*, const QString&, const QString&) override { return true; }
};

// A tab page of its own host, so the dialogs it adds to its host die with it.
struct ShotHost {
    explicit ShotHost(PageHost& parent) : host(parent) { host.setPresenter(&presenter); }
    QuietPresenter presenter;
    PageHost host;
};

}  // namespace

std::vector<Arguments> widestInputs(const std::string& page) {
    auto it = table().find(page);
    return it == table().end() ? std::vector<Arguments>{} : it->second;
}

QString applyArguments(PageBinder& binder, const Arguments& args) {
    PageModel& page = binder.model();
    PageActions& actions = binder.actions();
    for (const std::string& arg : args) {
        const QString shown = QString::fromStdString(arg);
        if (arg.rfind("@tick=", 0) == 0) {
            actions.tick(std::stoll(arg.substr(6)));
            binder.refresh();
            continue;
        }
        if (const Control* b = page.find(arg); b && b->kind == ControlKind::Button) {
            if (!actions.click(arg).ok())
                return shown + QStringLiteral(": refused");
            binder.refresh();
            continue;
        }
        std::string value;
        const Control* c = assignedControl(page, arg, value);
        if (!c)
            return shown + QStringLiteral(": unknown");
        QWidget* w = binder.widgetFor(c->caption);
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            // A sub-page list is the tab widget itself: the player clicks the tab.
            const int n = value.size() > 1 && value[0] == '#' ? std::stoi(value.substr(1)) : -1;
            if (n < 0 || n >= tabs->count())
                return shown + QStringLiteral(": no such tab");
            tabs->setCurrentIndex(n);
            binder.refresh();
            continue;
        }
        if (c->kind == ControlKind::Edit) {
            const QString why = untypable(w, value);
            if (!why.isEmpty())
                return shown + QStringLiteral(": ") + why;
        }
        const ActionResult r = actions.assign(c->caption, value);
        if (!r.ok())
            return shown + QStringLiteral(": ") + QString::fromStdString(r.error);
        binder.refresh();
    }
    return {};
}

QWidget* widestPageShot(PageHost& host, const std::string& page, std::size_t n) {
    const std::vector<Arguments> inputs = widestInputs(page);
    const PageEntry* entry = findPage(page);
    if (n >= inputs.size() || !entry)
        return nullptr;
    QWidget* shown = nullptr;
    PageBinder* binder = nullptr;
    if (entry->placement == Placement::Tab) {
        auto* own = new ShotHost(host);
        PageWidget* w = createPageWidget(page, own->host, entry->create(host.context()));
        QObject::connect(w, &QObject::destroyed, [own] { delete own; });
        // The room a page gets inside the main window's frame.
        w->setFixedSize(dluX(310) - 3, dluY(189) - 20);
        shown = w;
        binder = w->binder();
    } else {
        QDialog* d = host.createDialog(QString::fromStdString(page), nullptr);
        shown = d;
        for (PageBinder* b : d->findChildren<PageBinder*>())
            if (!binder || b->model().title() == page)
                binder = b;
    }
    if (binder)
        applyArguments(*binder, inputs[n]);
    return shown;
}

void addWidestShots(ShotList& shots, const std::vector<std::string>& pages) {
    for (const std::string& page : pages) {
        const PageEntry* entry = findPage(page);
        if (!entry)
            continue;
        const std::size_t count = widestInputs(page).size();
        for (std::size_t n = 0; n < count; ++n)
            shots.add(
                QStringLiteral("widest_%1_%2").arg(QString::fromStdString(entry->alias)).arg(n),
                [page, n](PageHost& host) { return widestPageShot(host, page, n); });
    }
}

}  // namespace kalvix::gui
