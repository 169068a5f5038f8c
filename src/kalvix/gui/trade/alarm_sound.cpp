#include "kalvix/gui/trade/alarm_sound.h"

#include <mutex>

#include "kalvix/core/trade/alarm_chime.h"

namespace kalvix::gui {
namespace {

// The chime is made at its first use, not at start-up: most runs never sound an alarm.
struct Chime {
    std::once_flag made;
    std::vector<std::int16_t> samples;
    const std::vector<std::int16_t>& get() {
        std::call_once(made, [this] { samples = alarmChime(); });
        return samples;
    }
};

}  // namespace

std::function<void(const QString&)> alarmSound(std::shared_ptr<common::SoundPlayer> player) {
    if (!player)
        player = std::make_shared<common::SoundPlayer>();
    auto chime = std::make_shared<Chime>();
    return [player, chime](const QString&) { player->play(chime->get()); };
}

}  // namespace kalvix::gui
