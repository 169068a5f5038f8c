// The toolbox without a mouse: every control of every tab is reached with Tab and says its
// caption to a screen reader, links open with Enter, and keys move between the tabs.

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>

#include "kalvix/core/page/page_model.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_widget.h"

using namespace kalvix::gui;
using kalvix::Control;
using kalvix::ControlKind;

namespace {

bool acceptsInput(const Control& c, QWidget* w) {
    switch (c.kind) {
        case ControlKind::Edit:
            if (auto* line = qobject_cast<QLineEdit*>(w))
                return !line->isReadOnly();
            if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
                return !plain->isReadOnly();
            return true;
        case ControlKind::List:
        case ControlKind::Check:
        case ControlKind::Radio:
        case ControlKind::Button:
            return true;
        default:
            return false;
    }
}

// What Tab can reach of a control: radio buttons of one group are one stop (the arrows move
// inside it), so a radio counts as reached when any of its group is.
QWidget* stopOf(const Control& c, QWidget* w) {
    return c.kind == ControlKind::Radio ? w->parentWidget() : w;
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
  private slots:
    void everyControlIsReachedWithTabAndNamed() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        for (int tab = 0; tab < dlg.tabs()->count(); ++tab) {
            auto* page = qobject_cast<PageWidget*>(dlg.page(tab));
            if (!page || !page->binder())
                continue;  // 关于 is the browser
            dlg.tabs()->setCurrentIndex(tab);
            QSet<QWidget*> expected;
            QHash<QWidget*, QString> names;
            for (const Control& c : page->model()->controls()) {
                QWidget* w = page->binder()->widgetFor(c.caption);
                if (!w)
                    continue;
                if (c.kind != ControlKind::Result && c.kind != ControlKind::Table)
                    QCOMPARE(w->accessibleName(), QString::fromStdString(c.caption));
                if (acceptsInput(c, w) && w->isEnabled() && w->isVisibleTo(page)) {
                    expected.insert(stopOf(c, w));
                    names[stopOf(c, w)] = QString::fromStdString(c.caption);
                }
            }
            QVERIFY2(!expected.isEmpty(), qPrintable(dlg.tabs()->tabText(tab)));
            dlg.activateWindow();
            dlg.tabs()->setFocus(Qt::TabFocusReason);
            QSet<QWidget*> reached;
            // Round the whole window twice at most.
            const int limit = 2 * static_cast<int>(dlg.findChildren<QWidget*>().size());
            for (int i = 0; i < limit && reached.size() < expected.size(); ++i) {
                QWidget* focus = QApplication::focusWidget();
                QVERIFY(focus);
                QTest::keyClick(focus, Qt::Key_Tab);
                QWidget* now = QApplication::focusWidget();
                for (QWidget* stop : expected)
                    if (now == stop || (now && now->parentWidget() == stop))
                        reached.insert(stop);
            }
            for (QWidget* stop : expected)
                QVERIFY2(reached.contains(stop),
                         qPrintable(dlg.tabs()->tabText(tab) + QStringLiteral(": ") + names[stop]));
        }
    }

    // The link of 跑商助手 takes the focus from Tab and opens with Enter or Space; a click
    // still leaves the focus where it was.
    void linksOpenFromTheKeyboard() {
        CKalvixDlg dlg;
        QStringList opened;
        dlg.host().addressOpener = [&](const QString& address) { opened << address; };
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.tabs()->setCurrentIndex(8);
        auto* link = dlg.page(8)->findChild<QLabel*>(QStringLiteral("labelLink"));
        QVERIFY(link);
        QCOMPARE(link->focusPolicy(), Qt::TabFocus);
        QWidget* before = QApplication::focusWidget();
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(QApplication::focusWidget(), before);
        link->setFocus(Qt::TabFocusReason);
        QTest::keyClick(link, Qt::Key_Return);
        QTest::keyClick(link, Qt::Key_Space);
        QTest::keyClick(link, Qt::Key_A);  // other keys do nothing
        QCOMPARE(opened.size(), 3);
        QCOMPARE(opened.last(), opened.first());
    }

    void keysMoveBetweenTheTabs() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const struct {
            QKeyCombination keys;
            int expected;
        } steps[] = {
            {Qt::CTRL | Qt::Key_Tab, 1},
            {Qt::CTRL | Qt::Key_Tab, 2},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 1},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 0},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 10},  // round to 关于
            {Qt::CTRL | Qt::Key_Tab, 0},
            {Qt::ALT | Qt::Key_5, 4},
            {Qt::ALT | Qt::Key_0, 9},
            {Qt::ALT | Qt::Key_1, 0},
        };
        for (const auto& step : steps) {
            QTest::keyClick(&dlg, step.keys.key(), step.keys.keyboardModifiers());
            QCOMPARE(dlg.tabs()->currentIndex(), step.expected);
        }
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
