#include "kalvix/gui/framework/status_bar.h"

#include <QLabel>
#include <QResizeEvent>
#include <algorithm>

namespace kalvix::gui {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setObjectName(QStringLiteral("statusBar"));
    fields_[0] = new QLabel(QStringLiteral("准备就绪"), this);
    fields_[1] = new QLabel(QStringLiteral("ZentrixQorvane"), this);
    fields_[0]->setFixedWidth(320);
    fields_[0]->setObjectName(QStringLiteral("statusField0"));
    fields_[1]->setObjectName(QStringLiteral("statusField1"));
    // Status texts may quote a file; they are never markup.
    for (QLabel* field : fields_)
        field->setTextFormat(Qt::PlainText);
    addWidget(fields_[0]);
    addWidget(fields_[1], 1);
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    // In a window narrower than that, field 0 keeps inside it instead of running off its edge.
    fields_[0]->setFixedWidth(std::clamp(event->size().width() - 12, 0, 320));
    QStatusBar::resizeEvent(event);
}

void StatusBar::setFieldText(int field, const QString& text) {
    if (field == 0 || field == 1)
        fields_[field]->setText(text);
}

QString StatusBar::fieldText(int field) const {
    return field == 0 || field == 1 ? fields_[field]->text() : QString();
}

}  // namespace kalvix::gui
