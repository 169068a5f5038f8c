#pragma once
// What each control of a page showed when it was last written, so a window writes only the
// controls whose state changed since (a keystroke in one field leaves the two 176-item level
// lists alone).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "kalvix/core/page/control_state.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

class ControlWatch {
  public:
    explicit ControlWatch(const PageModel& page) : page_(page) {}

    // The positions (in the page's controls()) whose state differs from the one last
    // taken, every control the first time; takes their new states.
    std::vector<std::size_t> changed();
    // The state last taken for a control.
    const ControlState& state(std::size_t position) const { return *states_.at(position); }
    // Forgets what a control showed (its widget was changed by the user), so the next
    // changed() lists it.
    void forget(const std::string& caption);
    void forget(ControlKind kind);

  private:
    const PageModel& page_;
    std::vector<std::optional<ControlState>> states_;
};

}  // namespace kalvix
