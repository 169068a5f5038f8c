#include "kalvix/gui/trade/alarm_sound.h"

#include <future>

#include "kalvix/core/trade/alarm_chime.h"

namespace kalvix::gui {

std::function<void(const QString&)> alarmSound(std::shared_ptr<common::SoundPlayer> player) {
    if (!player)
        player = std::make_shared<common::SoundPlayer>();
    // Making the chime takes longer than opening the window: do it beside the start-up, it
    // is long done when the first alarm sounds.
    std::shared_future<std::vector<std::int16_t>> chime =
        std::async(std::launch::async, [] { return alarmChime(); }).share();
    return [player, chime](const QString&) { player->play(chime.get()); };
}

}  // namespace kalvix::gui
