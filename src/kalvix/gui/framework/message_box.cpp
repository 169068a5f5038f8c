#include "kalvix/gui/framework/message_box.h"

#include <QMessageBox>

namespace kalvix::gui {
namespace {
const QString kTitle = QStringLiteral("ZentrixQorvane");
}  // namespace

void MessagePresenter::inform(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, kTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool MessagePresenter::ask(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption.isEmpty() ? kTitle : caption, text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Ok;
}

QString plainToolTip(const QString& text) {
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

}  // namespace kalvix::gui
