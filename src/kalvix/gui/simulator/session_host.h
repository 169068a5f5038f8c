#pragma once
// How the simulator's dialogs find the session of the simulator page that opened them: the
// page marks its dialog with its session, and a dialog created with a parent inside that
// window (an editor, the mount editor, a rune dialog opened from an editor) looks it up.

class QWidget;

namespace kalvix {
class SimulatorSession;
}

namespace kalvix::gui {

// Marks owner (the simulator page's dialog) as holding session; null removes the mark.
void attachSimulatorSession(QWidget* owner, SimulatorSession* session);
// The session of the nearest marked window among widget and its parents, or null (a rune
// dialog opened from the 人物 page has none).
SimulatorSession* simulatorSessionFor(QWidget* widget);

}  // namespace kalvix::gui
