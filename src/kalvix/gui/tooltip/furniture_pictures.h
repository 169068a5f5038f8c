#pragma once
// The furniture pictures, drawn by our own code: a card in the colour of the item's kind with
// its name, its kind and one mark per grade; the blank picture is an empty card.

#include <QImage>
#include <cstdint>

namespace kalvix {
class Catalogue;
}

namespace kalvix::gui {

inline constexpr int kFurniturePictureWidth = 160;
inline constexpr int kFurniturePictureHeight = 120;

QImage furnitureCard(const QString& name, const QString& kind, int kindKey, int grade);
QImage blankFurnitureCard();

// The picture of a resource number: the blank 5999 or the id of an item of the catalogue;
// null otherwise.
QImage furniturePictureForResource(const Catalogue& catalogue, std::int32_t resource);

}  // namespace kalvix::gui
