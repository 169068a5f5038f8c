#include "kalvix/core/page/control_watch.h"

namespace kalvix {

std::vector<std::size_t> ControlWatch::changed() {
    const std::vector<Control>& controls = page_.controls();
    states_.resize(controls.size());
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        ControlState now = controlState(controls[i]);
        if (states_[i] && *states_[i] == now)
            continue;
        states_[i] = std::move(now);
        out.push_back(i);
    }
    return out;
}

void ControlWatch::forget(const std::string& caption) {
    const std::vector<Control>& controls = page_.controls();
    for (std::size_t i = 0; i < controls.size() && i < states_.size(); ++i)
        if (controls[i].caption == caption)
            states_[i].reset();
}

void ControlWatch::forget(ControlKind kind) {
    const std::vector<Control>& controls = page_.controls();
    for (std::size_t i = 0; i < controls.size() && i < states_.size(); ++i)
        if (controls[i].kind == kind)
            states_[i].reset();
}

}  // namespace kalvix
