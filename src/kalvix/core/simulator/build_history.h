#pragma once
// Undo and redo of a simulator page: the states before each change, one step per change the
// player made (loading a file, 重置点数 or a whole editor session is one step; typing on in the
// same field adds to the step it began). Bounded, so a long session keeps its memory.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace kalvix {

template <class State>
class BuildHistory {
  public:
    static constexpr std::size_t kMaxSteps = 100;

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }

    // A change from before to now; field names the text field typed into, or empty. Typing on
    // in the field of the last step keeps that step, which already holds the state before it.
    void changed(State before, const std::string& field = {}) {
        redo_.clear();
        if (!field.empty() && field == lastField_ && !undo_.empty())
            return;
        undo_.push_back(std::move(before));
        if (undo_.size() > kMaxSteps)
            undo_.pop_front();
        lastField_ = field;
    }

    // The state to go back to from now, or nullopt.
    std::optional<State> undo(State now) { return step(undo_, redo_, std::move(now)); }
    std::optional<State> redo(State now) { return step(redo_, undo_, std::move(now)); }

    void clear() {
        undo_.clear();
        redo_.clear();
        lastField_.clear();
    }

  private:
    std::optional<State> step(std::deque<State>& from, std::deque<State>& to, State now) {
        if (from.empty())
            return std::nullopt;
        State s = std::move(from.back());
        from.pop_back();
        to.push_back(std::move(now));
        lastField_.clear();
        return s;
    }

    std::deque<State> undo_;
    std::deque<State> redo_;
    std::string lastField_;
};

}  // namespace kalvix
