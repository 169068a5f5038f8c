#pragma once
#include "kalvix/gui/app/page_widget.h"

namespace kalvix {
class CharacterPage;
}

namespace kalvix::gui {

// The 人物 page.
class CDlgCharacter : public PageWidget {
    Q_OBJECT
  public:
    explicit CDlgCharacter(QWidget* parent = nullptr);
    void takeSharedLevel() override;
    CharacterPage& page();
};

}  // namespace kalvix::gui
