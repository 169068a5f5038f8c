#include "kalvix/gui/framework/my_comb.h"

namespace kalvix::gui {

MyComb::MyComb(QWidget* parent) : QComboBox(parent) {}

bool MyComb::add(std::int32_t key, const QString& text) {
    if (count() >= kMaxItems)
        return false;
    keys_[static_cast<std::size_t>(count())] = key;
    addItem(text);
    return true;
}

std::int32_t MyComb::selectedKey() const {
    int i = currentIndex();
    return i < 0 || i >= kMaxItems ? -1 : keys_[static_cast<std::size_t>(i)];
}

void MyComb::selectByKey(std::int32_t key) {
    for (int i = 0; i < count() && i < kMaxItems; ++i) {
        if (keys_[static_cast<std::size_t>(i)] == key) {
            setCurrentIndex(i);
            return;
        }
    }
    setCurrentIndex(-1);
}

}  // namespace kalvix::gui
