#include "common/sound_player.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace common {
namespace {

// ALSA reports through a printf-like handler; the player reports through its result instead.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

struct PcmHandle {
    snd_pcm_t* pcm = nullptr;
    ~PcmHandle() {
        if (pcm)
            snd_pcm_close(pcm);
    }
};

}  // namespace

SoundResult playPcm(const std::vector<std::int16_t>& samples, unsigned rate,
                    const std::string& device, const std::atomic<bool>& stop) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { snd_lib_error_set_handler(quietAlsa); });

    PcmHandle h;
    // Non-blocking: a device held by another program answers -EBUSY instead of waiting.
    if (snd_pcm_open(&h.pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
        h.pcm = nullptr;
        return SoundResult::NoDevice;
    }
    if (snd_pcm_set_params(h.pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, rate, 1,
                           200000) < 0)
        return SoundResult::Failed;

    const std::size_t chunk = rate / 20;
    std::size_t at = 0;
    int failures = 0;
    while (at < samples.size()) {
        if (stop)
            break;
        const std::size_t n = std::min(chunk, samples.size() - at);
        const snd_pcm_sframes_t written =
            snd_pcm_writei(h.pcm, samples.data() + at, static_cast<snd_pcm_uframes_t>(n));
        if (written == -EAGAIN) {
            snd_pcm_wait(h.pcm, 100);
            continue;
        }
        if (written < 0) {
            // Underruns and suspends recover; a device that keeps failing ends the sound.
            if (snd_pcm_recover(h.pcm, static_cast<int>(written), 1) < 0 || ++failures > 10)
                return SoundResult::Failed;
            continue;
        }
        at += static_cast<std::size_t>(written);
    }
    // A sound shorter than the start threshold has not started by itself.
    if (!stop && snd_pcm_state(h.pcm) == SND_PCM_STATE_PREPARED)
        snd_pcm_start(h.pcm);
    // Let the device's buffer run out, but never for longer than the buffer can take.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!stop && std::chrono::steady_clock::now() < deadline) {
        snd_pcm_sframes_t delay = 0;
        if (snd_pcm_delay(h.pcm, &delay) < 0 || delay <= 0)
            break;
        snd_pcm_wait(h.pcm, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    snd_pcm_drop(h.pcm);
    return stop ? SoundResult::Stopped : SoundResult::Played;
}

SoundPlayer::SoundPlayer(std::string device)
    : backend_([device = std::move(device)](const std::vector<std::int16_t>& samples,
                                            const std::atomic<bool>& stop) {
          return playPcm(samples, kRate, device, stop);
      }) {}

SoundPlayer::SoundPlayer(Backend backend) : backend_(std::move(backend)) {}

SoundPlayer::~SoundPlayer() {
    stop_ = true;
    std::lock_guard<std::mutex> lock(mutex_);
    if (worker_.joinable())
        worker_.join();
}

SoundResult SoundPlayer::play(std::vector<std::int16_t> samples) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (busy_)
        return SoundResult::Busy;
    if (worker_.joinable())
        worker_.join();  // finished: joins at once
    busy_ = true;
    worker_ = std::thread([this, samples = std::move(samples)] {
        last_ = backend_(samples, stop_);
        busy_ = false;
    });
    return SoundResult::Played;
}

SoundResult SoundPlayer::wait() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (worker_.joinable())
        worker_.join();
    return last_;
}

}  // namespace common
