#include "kalvix/gui/tooltip/tip_view.h"

#include <QPainter>
#include <QToolTip>

#include "kalvix/gui/tooltip/pp_tooltip.h"

namespace kalvix::gui {

TipView::TipView(const QString& markup, QWidget* parent, const PictureProvider* pictures)
    : QWidget(parent), drawer_(pictures) {
    setPalette(QToolTip::palette());
    setMarkup(markup);
}

void TipView::setMarkup(const QString& markup) {
    drawer_.setTextColour(palette().color(QPalette::ToolTipText));
    drawer_.setMarkup(markup);
    updateGeometry();
    update();
}

QSize TipView::sizeHint() const {
    const QSize content = drawer_.size();
    const int frame = 2 * CPPToolTip::kMargin + 2;
    return QSize(content.width() + frame, content.height() + frame);
}

void TipView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box(QPoint(0, 0), sizeHint().boundedTo(size()));
    painter.fillRect(box, palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setClipRect(box.adjusted(1, 1, -1, -1));
    drawer_.draw(painter, QPoint(CPPToolTip::kMargin + 1, CPPToolTip::kMargin + 1),
                 palette().color(QPalette::ToolTipBase));
}

}  // namespace kalvix::gui
