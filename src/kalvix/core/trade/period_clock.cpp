#include "kalvix/core/trade/period_clock.h"

#include <algorithm>

namespace kalvix {

const std::array<std::string, PeriodClock::kPeriods>& PeriodClock::periodNames() {
    static const std::array<std::string, kPeriods> names = {"子", "丑", "寅", "卯", "辰", "巳",
                                                            "午", "未", "申", "酉", "戌", "亥"};
    return names;
}

bool PeriodClock::isRefreshPeriod(int index) {
    return index == 0 || index == 4 || index == 8;
}

bool PeriodClock::isAlarmPeriod(int index) {
    return index == 3 || index == 7 || index == 11;
}

void PeriodClock::set(int index) {
    counter_ = 0;
    period_ = std::clamp(index, 0, kPeriods - 1);
    arrowX_ = kArrowFirstX + kArrowStep * period_;
    running_ = true;
}

bool PeriodClock::tick() {
    if (!running_)
        return false;
    ++counter_;
    // A bar of 0 … 150 clamps the wrap value to its end.
    progress_ = std::clamp(counter_, 0, kSecondsPerPeriod);
    const bool alarm = counter_ == kAlarmAt && isAlarmPeriod(period_);
    if (counter_ >= kWrap) {
        period_ = (period_ + 1) % kPeriods;
        counter_ = 0;
        arrowX_ += kArrowStep;
        if (arrowX_ > kArrowLastX)
            arrowX_ = kArrowFirstX;
    }
    return alarm;
}

int PeriodClock::secondsToNextRefresh() const {
    const int next = period_ < 4 ? 4 : period_ < 8 ? 8 : 12;
    return (next - period_) * kSecondsPerPeriod - counter_;
}

std::string PeriodClock::countdownText() const {
    return "离下个时辰还有 " + std::to_string(secondsToNextPeriod()) + " 秒， 离下次刷价还有 " +
           std::to_string(secondsToNextRefresh()) + " 秒";
}

}  // namespace kalvix
