#include "common/sound_player.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "kalvix/core/trade/alarm_chime.h"

namespace {

using common::SoundPlayer;
using common::SoundResult;
using Clock = std::chrono::steady_clock;

long long msSince(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

// What the code under test writes to stderr while f runs.
template <class F>
std::string stderrOf(F f) {
    std::fflush(stderr);
    char path[] = "/tmp/kalvix-stderr-XXXXXX";
    const int file = mkstemp(path);
    const int saved = dup(2);
    dup2(file, 2);
    f();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string out;
    lseek(file, 0, SEEK_SET);
    char buf[512];
    for (ssize_t n; (n = read(file, buf, sizeof buf)) > 0;)
        out.append(buf, static_cast<std::size_t>(n));
    close(file);
    unlink(path);
    return out;
}

TEST(AlarmChime, ThreeStrikesOfTwoPointEightFiveSeconds) {
    const auto pcm = kalvix::alarmChime();
    ASSERT_EQ(pcm.size(), kalvix::kChimeSamples);
    EXPECT_EQ(pcm.size() * 100, std::size_t{285} * kalvix::kChimeRate);
    EXPECT_EQ(pcm.front(), 0);
    EXPECT_EQ(pcm.back(), 0);
    // Loudness of 10 ms windows: quiet just before each strike, loud just after it.
    auto level = [&pcm](double second) {
        const auto from = static_cast<std::size_t>(second * kalvix::kChimeRate);
        int peak = 0;
        for (std::size_t i = from; i < from + 441; ++i)
            peak = std::max(peak, std::abs(int{pcm[i]}));
        return peak;
    };
    for (double strike : {0.95, 1.9}) {
        EXPECT_GT(level(strike + 0.01), 2 * level(strike - 0.02)) << strike;
        EXPECT_GT(level(strike + 0.01), 10000) << strike;
    }
    EXPECT_LT(level(2.83), 3000);
}

TEST(SoundPlayer, AlsaNullDeviceAndMissingDevice) {
    const auto pcm = kalvix::alarmChime();
    std::atomic<bool> stop{false};
    SoundResult played{};
    SoundResult missing{};
    const std::string err = stderrOf([&] {
        played = common::playPcm(pcm, kalvix::kChimeRate, "null", stop);
        missing = common::playPcm(pcm, kalvix::kChimeRate, "kalvix_no_such_device", stop);
    });
    EXPECT_EQ(played, SoundResult::Played);
    EXPECT_EQ(missing, SoundResult::NoDevice);
    // A sound shorter than the device's start threshold still plays and ends.
    const auto t = Clock::now();
    EXPECT_EQ(common::playPcm({100, -100, 100}, kalvix::kChimeRate, "null", stop),
              SoundResult::Played);
    EXPECT_LT(msSince(t), 1000);
    EXPECT_EQ(err, "");  // ALSA's own complaints stay quiet

    SoundPlayer player("null");
    EXPECT_EQ(player.play(pcm), SoundResult::Played);
    EXPECT_EQ(player.wait(), SoundResult::Played);
    SoundPlayer absent("kalvix_no_such_device");
    EXPECT_EQ(absent.play(pcm), SoundResult::Played);
    EXPECT_EQ(absent.wait(), SoundResult::NoDevice);
}

TEST(SoundPlayer, NeverMakesTheCallerWait) {
    // A device that takes its time: the sound lasts 400 ms or until stopped.
    SoundPlayer player([](const std::vector<std::int16_t>&, const std::atomic<bool>& stop) {
        const auto start = Clock::now();
        while (!stop && msSince(start) < 400)
            usleep(1000);
        return stop ? SoundResult::Stopped : SoundResult::Played;
    });
    const auto t = Clock::now();
    EXPECT_EQ(player.play({1, 2, 3}), SoundResult::Played);
    EXPECT_LT(msSince(t), 100);
    EXPECT_TRUE(player.busy());
    // An alarm asked for while one still sounds is skipped, at once.
    EXPECT_EQ(player.play({1}), SoundResult::Busy);
    EXPECT_LT(msSince(t), 100);
    EXPECT_EQ(player.wait(), SoundResult::Played);
    EXPECT_GE(msSince(t), 400);
    EXPECT_FALSE(player.busy());
    EXPECT_EQ(player.play({1}), SoundResult::Played);  // the next one plays again
}

TEST(SoundPlayer, ClosingStopsASoundThatPlays) {
    const auto t = Clock::now();
    {
        SoundPlayer player([](const std::vector<std::int16_t>&, const std::atomic<bool>& stop) {
            const auto start = Clock::now();
            while (!stop && msSince(start) < 5000)
                usleep(1000);
            return SoundResult::Stopped;
        });
        player.play({1});
    }
    EXPECT_LT(msSince(t), 1000);
}

}  // namespace
