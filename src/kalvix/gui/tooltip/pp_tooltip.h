#pragma once
// The rich tooltip of one dialog: a map from control to markup, shown when the pointer has
// rested on a control for 500 ms and hidden after 5000 ms or when the pointer leaves it.

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>
#include <string>

#include "kalvix/gui/tooltip/html_drawer.h"

namespace kalvix::gui {

class CPPToolTip : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kInitialDelayMs = 500;
    static constexpr int kAutoPopMs = 5000;
    static constexpr int kMargin = 4;

    // A tooltip window belonging to `dialog`: destroyed with it, hidden when it hides.
    explicit CPPToolTip(QWidget* dialog);

    // Attaches or replaces the tip of a control; an empty text means the control has none.
    void setTip(QWidget* control, const QString& markup);
    void setTip(QWidget* control, const std::string& markupUtf8);
    QString tip(const QWidget* control) const;

    // The control whose tip shows (or is about to); null when none.
    QWidget* currentControl() const { return current_; }
    bool isShowing() const { return isVisible(); }
    // The pointer rests on a control with a tip and the tip's delay runs.
    bool isWaiting() const { return showTimer_.isActive(); }
    void hideTip();

    QSize sizeHint() const override;
    // Where the tips' icons come from (the host's pictures); none: tips without icons.
    void setPictures(const PictureProvider* pictures) { drawer_.setPictures(pictures); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    enum class State { Idle, Waiting, Showing, Done };

    void arm(QWidget* control, const QPoint& globalPos);
    void popUp();
    void place();
    void forget(QObject* control);

    QPointer<QWidget> dialog_;
    std::map<const QObject*, QString> tips_;
    QPointer<QWidget> current_;
    State state_ = State::Idle;
    QPoint pointer_;
    QTimer showTimer_;
    QTimer hideTimer_;
    CPPHtmlDrawer drawer_;
};

}  // namespace kalvix::gui
