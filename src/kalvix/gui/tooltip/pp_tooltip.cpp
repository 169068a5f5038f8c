#include "kalvix/gui/tooltip/pp_tooltip.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace kalvix::gui {

CPPToolTip::CPPToolTip(QWidget* dialog)
    : QWidget(dialog, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      dialog_(dialog) {
    setObjectName(QStringLiteral("CPPToolTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // No markup colour given: the platform's tooltip colours.
    setPalette(QToolTip::palette());
    setAutoFillBackground(false);
    drawer_.setTextColour(palette().color(QPalette::ToolTipText));
    showTimer_.setSingleShot(true);
    hideTimer_.setSingleShot(true);
    showTimer_.setInterval(kInitialDelayMs);
    hideTimer_.setInterval(kAutoPopMs);
    connect(&showTimer_, &QTimer::timeout, this, &CPPToolTip::popUp);
    connect(&hideTimer_, &QTimer::timeout, this, [this] {
        hide();
        state_ = State::Done;  // not again until the pointer comes back
    });
    if (dialog)
        dialog->installEventFilter(this);
}

void CPPToolTip::setTip(QWidget* control, const std::string& markupUtf8) {
    setTip(control, QString::fromStdString(markupUtf8));
}

void CPPToolTip::setTip(QWidget* control, const QString& markup) {
    if (!control)
        return;
    if (markup.isEmpty()) {
        if (tips_.erase(control) > 0)
            control->removeEventFilter(this);
        if (current_ == control)
            hideTip();
        return;
    }
    const bool known = tips_.count(control) > 0;
    tips_[control] = markup;
    if (!known) {
        control->installEventFilter(this);
        // Rests of the pointer are seen through mouse moves.
        control->setMouseTracking(true);
        connect(control, &QObject::destroyed, this, &CPPToolTip::forget);
    }
    if (current_ == control && state_ == State::Showing) {
        popUp();  // the new text replaces the shown one at once
    } else if (state_ == State::Idle && control->underMouse()) {
        arm(control, QCursor::pos());
    }
}

QString CPPToolTip::tip(const QWidget* control) const {
    const auto it = tips_.find(control);
    return it == tips_.end() ? QString() : it->second;
}

void CPPToolTip::forget(QObject* control) {
    tips_.erase(control);
    if (current_ == control || current_.isNull())
        hideTip();
}

void CPPToolTip::hideTip() {
    showTimer_.stop();
    hideTimer_.stop();
    hide();
    current_ = nullptr;
    state_ = State::Idle;
}

void CPPToolTip::arm(QWidget* control, const QPoint& globalPos) {
    if (isVisible() && current_ != control)
        hide();
    hideTimer_.stop();
    current_ = control;
    pointer_ = globalPos;
    state_ = State::Waiting;
    showTimer_.start();
}

bool CPPToolTip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_) {
        switch (event->type()) {
            case QEvent::Hide:
            case QEvent::WindowDeactivate:
            case QEvent::Move:
                hideTip();
                break;
            default:
                break;
        }
        return false;
    }
    const auto it = tips_.find(watched);
    if (it == tips_.end())
        return false;
    auto* control = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::Enter:
            arm(control, static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
            break;
        case QEvent::MouseMove:
            pointer_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            // Moving keeps the tip waiting: it shows once the pointer rests.
            if (current_ == control && state_ == State::Waiting)
                showTimer_.start();
            if (current_ != control)
                arm(control, pointer_);
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            if (current_ == control)
                hideTip();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            if (current_ == control) {
                showTimer_.stop();
                hideTimer_.stop();
                hide();
                state_ = State::Done;
            }
            break;
        case QEvent::ToolTip:
            return true;  // the rich tip stands in for the plain one
        default:
            break;
    }
    return false;
}

void CPPToolTip::popUp() {
    if (current_.isNull()) {
        hideTip();
        return;
    }
    const QString markup = tip(current_);
    if (markup.isEmpty()) {
        hideTip();
        return;
    }
    drawer_.setTextColour(palette().color(QPalette::ToolTipText));
    drawer_.setMarkup(markup);
    resize(sizeHint());
    place();
    show();
    update();
    state_ = State::Showing;
    hideTimer_.start();
}

QSize CPPToolTip::sizeHint() const {
    const QSize content = drawer_.size();
    return QSize(content.width() + 2 * kMargin + 2, content.height() + 2 * kMargin + 2);
}

void CPPToolTip::place() {
    // Below the pointer, moved back inside the screen; above it when there is no room below.
    QScreen* screen = QGuiApplication::screenAt(pointer_);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    QPoint pos = pointer_ + QPoint(2, 20);
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (pos.x() + width() > area.right() + 1)
            pos.setX(area.right() + 1 - width());
        if (pos.x() < area.left())
            pos.setX(area.left());
        if (pos.y() + height() > area.bottom() + 1)
            pos.setY(pointer_.y() - 4 - height());
        if (pos.y() < area.top())
            pos.setY(area.top());
    }
    move(pos);
}

void CPPToolTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    drawer_.draw(painter, QPoint(kMargin + 1, kMargin + 1), palette().color(QPalette::ToolTipBase));
}

}  // namespace kalvix::gui
