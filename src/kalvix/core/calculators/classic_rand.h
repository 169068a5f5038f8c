#pragma once
// The classic 15-bit linear congruential generator behind srand/rand on the platform the
// seal simulation was tuned on. glibc's rand() has another range and sequence; carrying our
// own keeps the same seed giving the same draws everywhere.

#include <cstdint>

namespace kalvix {

class ClassicRand {
  public:
    static constexpr int kMax = 32767;

    explicit ClassicRand(std::uint32_t seed = 1) : state_(seed) {}
    void seed(std::uint32_t s) { state_ = s; }
    // 0 .. 32767
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7fffu);
    }

  private:
    std::uint32_t state_;
};

}  // namespace kalvix
