#include "kalvix/gui/tooltip/program_pictures.h"

#include "kalvix/gui/tooltip/furniture_pictures.h"
#include "kalvix/gui/tooltip/rune_icons.h"

namespace kalvix::gui {

PictureProvider programPictures(const Catalogue& catalogue) {
    PictureProvider p;
    p.addSource(PictureKind::Icon, [&catalogue](std::int32_t resource) {
        return runeIconForResource(catalogue, resource);
    });
    p.addSource(PictureKind::Picture, [&catalogue](std::int32_t resource) {
        return furniturePictureForResource(catalogue, resource);
    });
    return p;
}

}  // namespace kalvix::gui
