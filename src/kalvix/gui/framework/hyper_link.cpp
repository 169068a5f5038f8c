#include "kalvix/gui/framework/hyper_link.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "common/gbk.h"
#include "kalvix/gui/framework/readable_colour.h"

namespace kalvix::gui {

CHyperLink::CHyperLink(QObject* parent) : QObject(parent) {}

bool CHyperLink::attach(QLabel* label) {
    if (label_ || !label)
        return false;
    label_ = label;
    labelObject_ = label;
    labelText_ = label->text();
    font_ = label->parentWidget() ? label->parentWidget()->font() : label->font();
    font_.setUnderline(true);
    label->setFont(font_);
    label->setCursor(Qt::PointingHandCursor);
    label->setAttribute(Qt::WA_Hover);
    label->setAutoFillBackground(false);
    // Reached with Tab and opened with Enter or Space, but a click leaves the focus where it
    // is, as the link always has.
    label->setFocusPolicy(Qt::TabFocus);
    label->installEventFilter(this);
    repaintLabel();
    return true;
}

bool CHyperLink::set(const QString& name, const QString& address) {
    if (common::gbkLength(name.toStdString()) >= 32)
        return false;
    if (common::gbkLength(address.toStdString()) >= 1024)
        return false;
    name_ = name;
    address_ = address;
    repaintLabel();
    return true;
}

QString CHyperLink::target() const {
    return address_.isEmpty() ? labelText_ : address_;
}

void CHyperLink::activate() {
    if (onClick)
        onClick();
    else
        emit opened(target());
}

void CHyperLink::repaintLabel() {
    if (!label_)
        return;
    label_->setText(name_.isEmpty() ? labelText_ : name_);
    QPalette pal = label_->palette();
    // Blue, red under the mouse; lightened on a dark theme's window so that it still reads.
    const QColor colour = hover_ ? QColor(255, 0, 0) : QColor(0, 0, 255);
    pal.setColor(QPalette::WindowText, readableOn(colour, pal.color(QPalette::Window)));
    label_->setPalette(pal);
}

bool CHyperLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched == labelObject_) {
        switch (event->type()) {
            case QEvent::Enter:
            case QEvent::HoverEnter:
                if (!hover_) {
                    hover_ = true;
                    repaintLabel();
                }
                break;
            case QEvent::Leave:
            case QEvent::HoverLeave:
                if (hover_) {
                    hover_ = false;
                    repaintLabel();
                }
                break;
            case QEvent::MouseButtonRelease:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                    activate();
                    return true;
                }
                break;
            case QEvent::KeyPress:
                switch (static_cast<QKeyEvent*>(event)->key()) {
                    case Qt::Key_Return:
                    case Qt::Key_Enter:
                    case Qt::Key_Space:
                        activate();
                        return true;
                    default:
                        break;
                }
                break;
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                // The focus shows as a frame around the text: the colours are the link's own.
                // A label on its way out is no QFrame any more, and is left alone.
                if (auto* frame = qobject_cast<QFrame*>(watched))
                    frame->setFrameShape(event->type() == QEvent::FocusIn ? QFrame::Box
                                                                          : QFrame::NoFrame);
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kalvix::gui
