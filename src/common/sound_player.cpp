#include "common/sound_player.h"

#include <alsa/asoundlib.h>
#include <dlfcn.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <type_traits>

namespace common {
namespace {

// ALSA reports through a printf-like handler; the player reports through its result instead.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// ALSA, opened the first time a sound plays: linked, it was loaded at every start of the
// toolbox before the first frame, though most starts sound no alarm.
struct Alsa {
    int (*setErrorHandler)(snd_lib_error_handler_t);
    int (*open)(snd_pcm_t**, const char*, snd_pcm_stream_t, int);
    int (*setParams)(snd_pcm_t*, snd_pcm_format_t, snd_pcm_access_t, unsigned, unsigned, int,
                     unsigned);
    snd_pcm_sframes_t (*writei)(snd_pcm_t*, const void*, snd_pcm_uframes_t);
    int (*wait)(snd_pcm_t*, int);
    int (*recover)(snd_pcm_t*, int, int);
    snd_pcm_state_t (*state)(snd_pcm_t*);
    int (*start)(snd_pcm_t*);
    int (*delay)(snd_pcm_t*, snd_pcm_sframes_t*);
    int (*drop)(snd_pcm_t*);
    int (*close)(snd_pcm_t*);
};

const Alsa* loadAlsa() {
    static const std::optional<Alsa> loaded = []() -> std::optional<Alsa> {
        void* library = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return std::nullopt;
        Alsa a{};
        bool complete = true;
        auto bind = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                ::dlsym(library, name));
            complete = complete && function;
        };
        bind(a.setErrorHandler, "snd_lib_error_set_handler");
        bind(a.open, "snd_pcm_open");
        bind(a.setParams, "snd_pcm_set_params");
        bind(a.writei, "snd_pcm_writei");
        bind(a.wait, "snd_pcm_wait");
        bind(a.recover, "snd_pcm_recover");
        bind(a.state, "snd_pcm_state");
        bind(a.start, "snd_pcm_start");
        bind(a.delay, "snd_pcm_delay");
        bind(a.drop, "snd_pcm_drop");
        bind(a.close, "snd_pcm_close");
        if (!complete)
            return std::nullopt;
        a.setErrorHandler(quietAlsa);
        return a;
    }();
    return loaded ? &*loaded : nullptr;
}

struct PcmHandle {
    const Alsa& alsa;
    snd_pcm_t* pcm = nullptr;
    ~PcmHandle() {
        if (pcm)
            alsa.close(pcm);
    }
};

}  // namespace

SoundResult playPcm(const std::vector<std::int16_t>& samples, unsigned rate,
                    const std::string& device, const std::atomic<bool>& stop) {
    const Alsa* alsa = loadAlsa();
    if (!alsa)
        return SoundResult::NoDevice;
    const Alsa& a = *alsa;
    PcmHandle h{a};
    // Non-blocking: a device held by another program answers -EBUSY instead of waiting.
    if (a.open(&h.pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
        h.pcm = nullptr;
        return SoundResult::NoDevice;
    }
    if (a.setParams(h.pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, rate, 1, 200000) <
        0)
        return SoundResult::Failed;

    const std::size_t chunk = rate / 20;
    std::size_t at = 0;
    int failures = 0;
    while (at < samples.size()) {
        if (stop)
            break;
        const std::size_t n = std::min(chunk, samples.size() - at);
        const snd_pcm_sframes_t written =
            a.writei(h.pcm, samples.data() + at, static_cast<snd_pcm_uframes_t>(n));
        if (written == -EAGAIN) {
            a.wait(h.pcm, 100);
            continue;
        }
        if (written < 0) {
            // Underruns and suspends recover; a device that keeps failing ends the sound.
            if (a.recover(h.pcm, static_cast<int>(written), 1) < 0 || ++failures > 10)
                return SoundResult::Failed;
            continue;
        }
        at += static_cast<std::size_t>(written);
    }
    // A sound shorter than the start threshold has not started by itself.
    if (!stop && a.state(h.pcm) == SND_PCM_STATE_PREPARED)
        a.start(h.pcm);
    // Let the device's buffer run out, but never for longer than the buffer can take.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!stop && std::chrono::steady_clock::now() < deadline) {
        snd_pcm_sframes_t delay = 0;
        if (a.delay(h.pcm, &delay) < 0 || delay <= 0)
            break;
        a.wait(h.pcm, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    a.drop(h.pcm);
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
