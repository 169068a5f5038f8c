#pragma once
// The desktop of a running window: the system clipboard and the window manager's stacking.

#include "kalvix/core/page/desktop.h"

namespace kalvix::gui {

class PlatformDesktop : public Desktop {
  public:
    bool setClipboardText(const std::string& text) override;
    std::string clipboardText() const override;
    // The top-level window with this title stays above the others or is released; its place
    // and size stay.
    void keepInFront(const std::string& windowTitle, bool on) override;
};

}  // namespace kalvix::gui
