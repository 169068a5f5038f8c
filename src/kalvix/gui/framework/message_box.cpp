#include "kalvix/gui/framework/message_box.h"

#include <QMessageBox>

namespace kalvix::gui {
namespace {
const QString kTitle = QStringLiteral("ZentrixQorvane");
}  // namespace

void MessagePresenter::inform(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, kTitle, text);
}

bool MessagePresenter::ask(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

}  // namespace kalvix::gui
