#pragma once
// The 跑商助手 page: the period clock with its countdowns, the arrow over the period labels,
// the alarm before each price refresh, and the fixed note, price guide and article link.

#include <string>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"
#include "kalvix/core/trade/period_clock.h"

namespace kalvix {

class PaoShangPage : public PageModel {
  public:
    explicit PaoShangPage(PageContext& context);
    std::string title() const override { return "跑商助手"; }

    void start();                  // 开始
    void pause();                  // 暂停
    void choosePeriod(int index);  // 当前：
    void reset();                  // 重置
    // 刷新主板报警 lasts between starts.
    void setAlarm(bool on);
    static constexpr const char* kAlarmKey = "trade/alarm";
    void setTopmost(bool on) { context_.setStayOnTop(on); }
    void testSound();    // 试听
    void openArticle();  // the link label
    void tick() override;

    const PeriodClock& clock() const { return clock_; }
    int chosenPeriod() const { return chosen_; }
    bool alarm() const { return alarm_; }
    bool topmost() const { return context_.stayOnTop(); }
    const std::string& countdown() const { return countdown_; }

    static const std::string& noteText();
    static const std::string& guideText();
    static std::string articleAddress();
    // The text of the period labels ("| 子" …) and of the arrow above them.
    static std::string periodLabel(int index);
    static const char* arrowText() { return " ↓"; }
    static const char* listenText() { return "试听"; }

  private:
    PeriodClock clock_;
    int chosen_ = 0;
    bool alarm_ = false;
    PageContext& context_;
    // Written at timer events only, as the label is.
    std::string countdown_;
};

}  // namespace kalvix
