#include "kalvix/gui/simulator/check_frame.h"

#include <QRect>
#include <QWidget>

#include "kalvix/gui/framework/message_box.h"

namespace kalvix::gui {

bool CCheckFrame::attach(QWidget* dialog, const QString& frameName, MessagePresenter& presenter) {
    controls_.clear();
    QWidget* frame = dialog ? dialog->findChild<QWidget*>(frameName) : nullptr;
    if (!frame) {
        presenter.inform(dialog, QStringLiteral("Unable to find frame control"));
        return false;
    }
    const QRect area(frame->mapTo(dialog, QPoint(0, 0)), frame->size());
    // The dialog's own controls, as a dialog resource places them side by side.
    for (QWidget* w : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == frame || w->isWindow())
            continue;
        if (area.contains(w->geometry()))
            controls_.append(w);
    }
    return true;
}

void CCheckFrame::setEnabled(bool on) {
    enabled_ = on;
    for (const QPointer<QWidget>& w : controls_)
        if (w)
            w->setEnabled(on);
}

QList<QWidget*> CCheckFrame::controls() const {
    QList<QWidget*> out;
    for (const QPointer<QWidget>& w : controls_)
        if (w)
            out.append(w.data());
    return out;
}

}  // namespace kalvix::gui
