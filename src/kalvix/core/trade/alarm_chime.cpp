#include "kalvix/core/trade/alarm_chime.h"

#include <algorithm>
#include <cmath>

namespace kalvix {

std::vector<std::int16_t> alarmChime() {
    constexpr double kPi = 3.14159265358979323846;
    // A falling then rising figure, struck every 0.95 s.
    const double strikes[3][2] = {{0.0, 1318.5}, {0.95, 987.8}, {1.9, 1318.5}};
    // A bell's inharmonic partials: ratio to the fundamental, loudness, decay time in seconds.
    const double partials[4][3] = {
        {1.0, 1.0, 0.6}, {2.76, 0.45, 0.25}, {5.4, 0.2, 0.12}, {0.5, 0.25, 0.9}};
    std::vector<double> mix(kChimeSamples, 0.0);
    for (const auto& strike : strikes) {
        const std::size_t begin = static_cast<std::size_t>(strike[0] * kChimeRate);
        for (std::size_t i = begin; i < kChimeSamples; ++i) {
            const double t = static_cast<double>(i - begin) / kChimeRate;
            const double attack = std::min(1.0, t / 0.004);  // no click at the strike
            double v = 0;
            for (const auto& p : partials)
                v += p[1] * std::exp(-t / p[2]) * std::sin(2 * kPi * strike[1] * p[0] * t);
            mix[i] += attack * v;
        }
    }
    double peak = 0;
    for (double v : mix)
        peak = std::max(peak, std::fabs(v));
    const double fade = 0.05 * kChimeRate;
    std::vector<std::int16_t> out(kChimeSamples);
    for (std::size_t i = 0; i < kChimeSamples; ++i) {
        const double left = static_cast<double>(kChimeSamples - 1 - i);
        const double tail = std::min(1.0, left / fade);  // ends in silence
        out[i] = static_cast<std::int16_t>(std::lround(mix[i] / peak * 0.7 * 32767 * tail));
    }
    return out;
}

}  // namespace kalvix
