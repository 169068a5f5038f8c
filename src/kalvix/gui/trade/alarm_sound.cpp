#include "kalvix/gui/trade/alarm_sound.h"

#include "kalvix/core/trade/alarm_chime.h"

namespace kalvix::gui {

std::function<void(const QString&)> alarmSound(std::shared_ptr<common::SoundPlayer> player) {
    if (!player)
        player = std::make_shared<common::SoundPlayer>();
    auto chime = std::make_shared<const std::vector<std::int16_t>>(alarmChime());
    return [player, chime](const QString&) { player->play(*chime); };
}

}  // namespace kalvix::gui
