#pragma once
// The game's clock of twelve two-hour periods (时辰) as the trade assistant keeps it: a counter
// raised by one per timer event, never by reading the time, so tests and kalvix-calc deliver
// ticks without waiting.

#include <array>
#include <cstdint>
#include <string>

namespace kalvix {

class PeriodClock {
  public:
    static constexpr int kPeriods = 12;
    // Every countdown counts this many seconds per period; the progress bar's maximum.
    static constexpr int kSecondsPerPeriod = 150;
    // The counter value at which the period advances: one period is 151 timer events.
    static constexpr int kWrap = 151;
    // The counter value at which the alarm can sound, in the period before a refresh.
    static constexpr int kAlarmAt = 145;
    static constexpr int kArrowFirstX = 17;
    static constexpr int kArrowStep = 23;
    static constexpr int kArrowLastX = 280;
    static constexpr int kArrowY = 42;

    // 子 … 亥 in order.
    static const std::array<std::string, kPeriods>& periodNames();
    // 子, 辰 and 申: the merchants' prices refresh as these periods begin.
    static bool isRefreshPeriod(int index);
    // 卯, 未 and 亥: the periods just before a refresh.
    static bool isAlarmPeriod(int index);

    void start() { running_ = true; }
    void pause() { running_ = false; }
    // The start of the given period (0 … 11); the clock runs from there.
    void set(int index);

    // One timer event; ignored while the clock stands. True when the alarm falls due (the
    // caller decides whether it sounds).
    bool tick();

    int counter() const { return counter_; }
    int period() const { return period_; }
    bool running() const { return running_; }
    // The progress bar's position: the counter as a bar of 0 … 150 takes it.
    int progress() const { return progress_; }
    // The arrow's left edge over the period labels.
    int arrowX() const { return arrowX_; }

    int secondsToNextPeriod() const { return kSecondsPerPeriod - counter_; }
    int secondsToNextRefresh() const;
    // "离下个时辰还有 %d 秒， 离下次刷价还有 %d 秒"
    std::string countdownText() const;

  private:
    int counter_ = 0;
    int period_ = 0;
    bool running_ = false;
    int progress_ = 0;
    int arrowX_ = kArrowFirstX;
};

}  // namespace kalvix
