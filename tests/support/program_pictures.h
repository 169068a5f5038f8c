#pragma once
// The program's pictures over the compiled-in catalogue, for tests that build their own host.

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/tooltip/program_pictures.h"

namespace test_support {

inline const kalvix::gui::PictureProvider& programPictures() {
    static const kalvix::gui::PictureProvider pictures =
        kalvix::gui::programPictures(kalvix::Catalogue::instance());
    return pictures;
}

}  // namespace test_support
