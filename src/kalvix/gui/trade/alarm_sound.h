#pragma once
// The window's alarm: every sound a page plays is the generated chime, played through the
// ALSA player off the user-interface thread. A chime asked for while one still sounds is
// skipped; without a sound device nothing sounds and nothing waits.

#include <QString>
#include <functional>
#include <memory>

#include "common/sound_player.h"

namespace kalvix::gui {

// What a page host's soundPlayer does; the player defaults to the system's ALSA device.
std::function<void(const QString&)> alarmSound(
    std::shared_ptr<common::SoundPlayer> player = nullptr);

}  // namespace kalvix::gui
