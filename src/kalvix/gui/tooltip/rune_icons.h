#pragma once
// The rune stone icons and the empty-hole icon, drawn by our own code: a gem in the stone's
// colour sitting in a dark socket, cut by level (1 round, 2 six facets, 3 eight facets) and
// marked with one gold pip per level.

#include <QColor>
#include <QImage>
#include <cstdint>

namespace kalvix {
class Catalogue;
}

namespace kalvix::gui {

inline constexpr int kRuneIconSize = 48;
inline constexpr std::int32_t kEmptyHoleResource = 9999;

// The swatch colour of a colour key 0..6 (红 黄 绿 蓝 白 黑 紫); grey for anything else.
QColor runeColour(int colour);

QImage runeStoneIcon(int colour, int level, int size = kRuneIconSize);
QImage emptyHoleIcon(int size = kRuneIconSize);

// The icon of a resource number: 9999 or the id of a stone of the catalogue; null otherwise.
QImage runeIconForResource(const Catalogue& catalogue, std::int32_t resource);

}  // namespace kalvix::gui
