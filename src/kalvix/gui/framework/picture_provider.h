#pragma once
// Pictures by resource number, from the sources added: the program's (programPictures in
// gui/tooltip) are icons (rune stones 10000 and up, the empty hole 9999) and pictures (the
// furniture pictures and their blank). The tooltip's icon tag asks only for icons, so an item
// id names no picture there. A window's host hands its provider to its pages.

#include <QIcon>
#include <QImage>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace kalvix::gui {

enum class PictureKind { Icon, Picture };

class PictureProvider {
  public:
    // Gives the image of a resource number, or a null image when the number is not its own.
    using Source = std::function<QImage(std::int32_t resource)>;

    // An empty provider (tests add what they need).
    PictureProvider() = default;

    // Sources are asked in the order added; the first image wins.
    void addSource(PictureKind kind, Source source);

    // The image of a resource number at its own size; null when no source has it. Images are
    // made once and kept.
    QImage image(PictureKind kind, std::int32_t resource) const;
    QIcon icon(std::int32_t resource) const;

  private:
    std::vector<std::pair<PictureKind, Source>> sources_;
    mutable std::map<std::pair<PictureKind, std::int32_t>, QImage> cache_;
};

}  // namespace kalvix::gui
