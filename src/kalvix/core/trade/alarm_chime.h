#pragma once
// The alarm of the trade assistant: three bell strikes, 2.85 seconds of 16-bit mono PCM at
// 44100 Hz, computed rather than stored so no recorded sound enters the program.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalvix {

constexpr unsigned kChimeRate = 44100;
constexpr std::size_t kChimeSamples = 125685;  // 2.85 s

std::vector<std::int16_t> alarmChime();

}  // namespace kalvix
