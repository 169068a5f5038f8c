#pragma once
// What a real widget shows, in the same shape as a page model's ControlState, and which widgets
// of a window are controls a player can use or read. The window tests hold one against the
// other.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <string>

#include "kalvix/core/page/control_state.h"

namespace widget_test {

inline std::string utf8(const QString& s) {
    return s.toStdString();
}

// The page a widget belongs to: the root, or the sub-page of a tab widget inside it (a control
// on a sub-page that is not chosen is still shown on its own sub-page).
inline QWidget* pageOf(QWidget* w, QWidget* root) {
    for (QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (qobject_cast<QStackedWidget*>(p->parentWidget()) &&
            qobject_cast<QTabWidget*>(p->parentWidget()->parentWidget()))
            return p;
    return root;
}

// A control a player uses or reads, as opposed to a frame, a static caption or a part of a
// compound widget (the scroll bars of a list, the line edit of a combo box, a tab bar).
inline bool isControlWidget(QWidget* w, QWidget* root) {
    if (w->window() != root->window())
        return false;  // a window of its own
    for (QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (qobject_cast<QComboBox*>(p) || qobject_cast<QAbstractSpinBox*>(p) ||
            qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QTabBar*>(p))
            return false;
    if (qobject_cast<QTabBar*>(w) || qobject_cast<QScrollBar*>(w))
        return false;
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QTabWidget*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QAbstractSlider*>(w) || qobject_cast<QProgressBar*>(w);
}

// Whether a player can type into the widget.
inline bool isTypable(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return !e->isReadOnly();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return !t->isReadOnly();
    return false;
}

inline std::vector<std::string> cellsOf(const QAbstractItemModel* m, int row) {
    std::vector<std::string> cells;
    for (int c = 0; c < m->columnCount(); ++c)
        cells.push_back(utf8(m->index(row, c).data().toString()));
    return cells;
}

// The widget's state as the player sees it. Visibility is on the widget's own page (pageOf).
inline kalvix::ControlState shownState(QWidget* w, QWidget* root) {
    kalvix::ControlState s;
    s.enabled = w->isEnabled();
    s.visible = w->isVisibleTo(pageOf(w, root));
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        s.text = utf8(e->text());
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        s.text = utf8(l->text());
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        s.text = utf8(t->toPlainText());
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        // A button that shows a picture names it (the rune stone and hole icons).
        s.text = utf8(b->text());
        if (const QVariant picture = b->property("picture"); picture.isValid())
            s.picture = picture.toInt();
        s.checked = b->isChecked();
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < cb->count(); ++i)
            s.items.push_back(utf8(cb->itemText(i)));
        s.current = cb->currentIndex();
        s.text = s.current >= 0 ? utf8(cb->currentText()) : std::string();
    } else if (auto* tw = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tw->count(); ++i)
            s.items.push_back(utf8(tw->tabText(i)));
        s.current = tw->currentIndex();
        s.text = s.current >= 0 ? utf8(tw->tabText(s.current)) : std::string();
    } else if (auto* p = qobject_cast<QProgressBar*>(w)) {
        s.text = std::to_string(p->value());
    } else if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model()) {
        const QAbstractItemModel* m = v->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            s.rows.push_back(cellsOf(m, r));
            s.items.push_back(s.rows.back().empty() ? std::string() : s.rows.back().front());
        }
    }
    return s;
}

}  // namespace widget_test
