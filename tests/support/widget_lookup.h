#pragma once
// Finding and driving widgets of a real page by object name, for the window tests: a missing
// widget is reported by name instead of crashing the test.

#include <QComboBox>
#include <QString>
#include <QTest>
#include <QWidget>

namespace widget_test {

template <typename T>
T* child(QWidget* page, const QString& name) {
    T* w = page->findChild<T*>(name);
    if (!w)
        qWarning("no widget %s", qPrintable(name));
    return w;
}

template <typename T>
T* child(QWidget* page, const char* name) {
    return child<T>(page, QString::fromLatin1(name));
}

// Chooses position index as a user would: focus, selection, then the activation signal.
inline void choose(QComboBox* combo, int index) {
    combo->setFocus();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Chooses the item with this text in the list of that name; a missing list or item fails the
// test.
inline void choose(QWidget* page, const QString& name, const QString& text) {
    auto* combo = child<QComboBox>(page, name);
    QVERIFY(combo);
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(name + QStringLiteral(" ") + text));
    choose(combo, index);
}

// The chosen item's text, "?" when there is no such list.
inline QString selected(QWidget* page, const QString& name) {
    auto* combo = child<QComboBox>(page, name);
    return combo ? combo->currentText() : QStringLiteral("?");
}

}  // namespace widget_test
