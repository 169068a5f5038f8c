#include "kalvix/gui/framework/platform_desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

namespace kalvix::gui {

bool PlatformDesktop::setClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromStdString(text));
    return true;
}

std::string PlatformDesktop::clipboardText() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text().toStdString() : std::string();
}

void PlatformDesktop::keepInFront(const std::string& windowTitle, bool on) {
    const QString title = QString::fromStdString(windowTitle);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() != title || w->testAttribute(Qt::WA_DontShowOnScreen))
            continue;
        if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
            return;
        const QRect place = w->geometry();
        const bool shown = w->isVisible();
        w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        w->setGeometry(place);
        if (shown)
            w->show();
        return;
    }
}

}  // namespace kalvix::gui
