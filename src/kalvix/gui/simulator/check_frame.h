#pragma once
// A frame that a check box heads: attached to a dialog and one of its frame controls, it
// collects every control of the dialog whose rectangle lies entirely inside the frame's, and
// enables or disables them all together.

#include <QList>
#include <QPointer>
#include <QString>

class QWidget;

namespace kalvix::gui {

class MessagePresenter;

class CCheckFrame {
  public:
    // Collects the controls inside the frame named frameName (the frame itself excluded);
    // false, after the box "Unable to find frame control", when the dialog has no such frame.
    bool attach(QWidget* dialog, const QString& frameName, MessagePresenter& presenter);
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }
    QList<QWidget*> controls() const;

  private:
    QList<QPointer<QWidget>> controls_;
    bool enabled_ = true;
};

}  // namespace kalvix::gui
