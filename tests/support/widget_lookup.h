#pragma once
// Finding and driving widgets of a real page by object name, for the window tests: a missing
// widget is reported by name instead of crashing the test.

#include <QComboBox>
#include <QString>
#include <QWidget>

namespace widget_test {

template <typename T>
T* child(QWidget* page, const char* name) {
    T* w = page->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qWarning("no widget %s", name);
    return w;
}

// Chooses position index as a user would: focus, selection, then the activation signal.
inline void choose(QComboBox* combo, int index) {
    combo->setFocus();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

}  // namespace widget_test
