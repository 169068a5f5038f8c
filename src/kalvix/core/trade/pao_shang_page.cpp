#include "kalvix/core/trade/pao_shang_page.h"

#include <vector>

#include "kalvix/build_config.h"

namespace kalvix {
namespace {

std::string joinLines(const std::vector<const char*>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace

PaoShangPage::PaoShangPage(PageContext& context)
    : alarm_(context.settings().flag(kAlarmKey, false)), context_(context) {
    addButton("开始", "buttonStart", [this] { start(); }).enabled = [this] {
        return !clock_.running();
    };
    addButton("暂停", "buttonPause", [this] { pause(); }).enabled = [this] {
        return clock_.running();
    };
    addCheck(
        "总在最前", "checkTopmost", [this] { return topmost(); },
        [this](bool on) { setTopmost(on); });
    addCheck(
        "刷新主板报警", "checkAlarm", [this] { return alarm_; }, [this](bool on) { setAlarm(on); });
    addButton(listenText(), "buttonListen", [this] { testSound(); });
    addList(
        "当前：", "comboPeriod",
        [] {
            const auto& names = PeriodClock::periodNames();
            return std::vector<std::string>(names.begin(), names.end());
        },
        [this] { return chosen_; }, [this](int i) { choosePeriod(i); });
    addButton("重置", "buttonReset", [this] { reset(); });
    // The label, the bar and the arrow are drawn by the widget; these are what they show.
    addResult("倒计时", "labelCountdown", [this] { return countdown_; });
    addResult("时辰", "", [this] { return PeriodClock::periodNames()[clock_.period()]; });
    addResult("进度", "progressPeriod", [this] { return std::to_string(clock_.progress()); });
    addResult("箭头", "", [this] { return std::to_string(clock_.arrowX()); });
    addLabel("跑商说明", "labelNote", [] { return noteText(); });
    addResult("物价", "editGuide", [] { return guideText(); }).output = false;
    addLink("跑商心得(包括物产)", "labelLink", [this] { openArticle(); });
}

void PaoShangPage::setAlarm(bool on) {
    alarm_ = on;
    context_.settings().setFlag(kAlarmKey, on);
}

void PaoShangPage::start() {
    clock_.start();
}

void PaoShangPage::pause() {
    clock_.pause();
}

void PaoShangPage::choosePeriod(int index) {
    if (index >= 0 && index < PeriodClock::kPeriods)
        chosen_ = index;
}

void PaoShangPage::reset() {
    clock_.set(chosen_);
}

void PaoShangPage::testSound() {
    playSound(listenText());
}

void PaoShangPage::openArticle() {
    openAddress(articleAddress());
}

void PaoShangPage::tick() {
    if (!clock_.running())
        return;
    const int period = clock_.period();
    if (clock_.tick() && alarm_) {
        const std::string& next = PeriodClock::periodNames()[(period + 1) % PeriodClock::kPeriods];
        playSound("还有 " + std::to_string(PeriodClock::kSecondsPerPeriod - PeriodClock::kAlarmAt) +
                  " 秒到" + next + "时刷价");
    }
    countdown_ = clock_.countdownText();
}

std::string PaoShangPage::periodLabel(int index) {
    return "| " + PeriodClock::periodNames()[static_cast<std::size_t>(index)];
}

std::string PaoShangPage::articleAddress() {
    return std::string(config::kPortalHost) + "/topics/1142/200609/21/2464428,1.html";
}

const std::string& PaoShangPage::noteText() {
    static const std::string text = joinLines({
        "跑商说明：",
        "1、当游戏画面上刚开始到刷价的时辰时，要等几秒钟点货商才出现新的买价；",
        "2、“子、辰、申”时辰刷价后还有第二次刷价，商品数理不会补充,但是物品的卖价会有所变化；",
    });
    return text;
}

const std::string& PaoShangPage::guideText() {
    static const std::string text = joinLines({
        "长安商品能买进的价格：佛珠7000以下；扇子3800以下；武器4000以下",
        "地府商品能买进的价格：首饰4300以下；纸钱3000以下；夜明珠8000以下",
        "北具商品能买进的价格：人参7500以下；铜油4000以下；铃铛4000以下",
        "长寿商品能买进的价格：面粉3000以下；鹿茸7000以下；符5000以下",
        "傲来商品能买进的价格：帽子3000以下；酒3500以下；  蜡烛1800以下",
        "",
        "特产价格↓",
        "",
        "长安特产：  锦盒  进价在3200-6800之间，一般不会亏；",
        "长安新商品：棉布  建议买入价3000以下 最适合的卖点是朱紫国",
        "傲来特产：  花    多少钱都可以买进，99.9%不会亏；",
        "傲来新商品：盐    建议买入价格 6000以下 最合适的卖点是长寿",
        "长寿特产：  木鱼  6000以下可以买进，99%不会亏；",
        "长寿商品：  木料  建议买入价格4200以下 最适合的卖点长安；",
        "朱紫国特产：麻线  建议买入价格 5000以下 最合适的卖点是长安；",
        "建业特产：  剪刀  建议买入价格 4500 最合适的卖点是长寿；",
        "西凉女国特产：  石料  建议买入价格 6000以下 最合适的卖点是地府；",
        "北俱芦洲新商品：衣甲  建议买入价格 2000以下 最合适的卖点是地府；",
        "",
        "20-39级商人， 初始金额 20000，50000 交票，得经验39000， 帮贡10。",
        "40-59级商人， 初始金额 40000，100000交票，得经验58500， 帮贡20。",
        "60-79级商人， 初始金额 50000，150000交票，得经验78000， 帮贡26。",
        "80级以上商人，初始金额 42000，150000交票，得经验110500，帮贡40。",
        "(注：经验和帮贡 以帮派资金短缺时为准)",
    });
    return text;
}

}  // namespace kalvix
