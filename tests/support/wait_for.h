#pragma once
// Waiting for what another process or thread does: the condition is polled until it holds or
// the limit has passed.

#include <chrono>
#include <functional>
#include <thread>

namespace test_support {

// Polls done every `every` until it holds or ms milliseconds have passed; whether it held.
inline bool waitFor(const std::function<bool()>& done, int ms = 5000,
                    std::chrono::milliseconds every = std::chrono::milliseconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(every);
    }
    return true;
}

}  // namespace test_support
