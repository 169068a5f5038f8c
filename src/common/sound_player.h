#pragma once
// The alarm player: 16-bit mono PCM through ALSA. A missing, busy or failing device gives a
// result at once instead of an error on stderr, and the player plays on a thread of its own
// so that a timer driving a clock never waits for a sound.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace common {

enum class SoundResult { Played, NoDevice, Failed, Stopped, Busy };

// Plays the samples on the ALSA device and returns when they have been played, when stop
// becomes true, or when the device fails. Never waits for a device another program holds.
SoundResult playPcm(const std::vector<std::int16_t>& samples, unsigned rate,
                    const std::string& device, const std::atomic<bool>& stop);

// One sound at a time on a worker thread; a sound asked for while another plays is skipped.
class SoundPlayer {
  public:
    using Backend =
        std::function<SoundResult(const std::vector<std::int16_t>&, const std::atomic<bool>&)>;

    static constexpr unsigned kRate = 44100;

    explicit SoundPlayer(std::string device = "default");
    explicit SoundPlayer(Backend backend);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts the sound and returns at once; Busy (and nothing starts) while one still plays.
    SoundResult play(std::vector<std::int16_t> samples);
    bool busy() const { return busy_; }
    // Waits for the sound that plays, if any, and returns how the last one ended.
    SoundResult wait();

  private:
    Backend backend_;
    std::thread worker_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> stop_{false};
    std::atomic<SoundResult> last_{SoundResult::Played};
    std::mutex mutex_;  // guards worker_
};

}  // namespace common
