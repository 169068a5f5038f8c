#pragma once
// A drop-down list keeping one int32 key beside each item, at most 512 items.

#include <QComboBox>
#include <array>
#include <cstdint>

namespace kalvix::gui {

class MyComb : public QComboBox {
    Q_OBJECT
  public:
    static constexpr int kMaxItems = 512;
    explicit MyComb(QWidget* parent = nullptr);

    // Appends the item; refused (false) beyond 512 items.
    bool add(std::int32_t key, const QString& text);
    // The selected item's key, -1 when nothing is selected.
    std::int32_t selectedKey() const;
    // Selects the first item with the key, or clears the selection when none has it.
    void selectByKey(std::int32_t key);

  private:
    std::array<std::int32_t, kMaxItems> keys_{};
};

}  // namespace kalvix::gui
