#pragma once
// The program's own pictures: the rune stone and hole icons and the furniture pictures of the
// catalogue, drawn by our code. The main window makes one and hands it to its pages.

#include "kalvix/gui/framework/picture_provider.h"

namespace kalvix {
class Catalogue;
}

namespace kalvix::gui {

// The provider reads the catalogue, which must outlive it.
PictureProvider programPictures(const Catalogue& catalogue);

}  // namespace kalvix::gui
