#pragma once
#include "kalvix/gui/framework/page_widget.h"

namespace kalvix {
class CharacterPage;
}

namespace kalvix::gui {

// The 人物 page.
class CDlgCharacter : public PageWidget {
    Q_OBJECT
  public:
    CDlgCharacter(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent = nullptr);
    void takeSharedLevel() override;
    CharacterPage& page();
};

}  // namespace kalvix::gui
