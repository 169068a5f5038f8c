#pragma once
// Edit fields that take digits only refuse every other keystroke, as the game's own fields do.

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QWidget>
#include <initializer_list>

namespace kalvix::gui {

inline void setDigitsOnly(QWidget* root, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (auto* e = root->findChild<QLineEdit*>(QString::fromLatin1(name)))
            e->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    }
}

}  // namespace kalvix::gui
