// Every registered page and dialog with the inputs that give its read-only fields their widest
// texts: each field must show its whole text (a field too narrow keeps the end in view and the
// player reads a wrong number), and no label may run into a field.

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "kalvix/core/registry/page_registry.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_widget.h"
#include "kalvix/shots/widest_inputs.h"
#include "support/page_entries.h"
#include "support/recording_presenter.h"

using namespace kalvix;
using namespace kalvix::gui;

namespace {

using QuietPresenter = test_support::RecordingPresenter;

// The width a line edit draws its text in: inside the frame, the style's contents margins,
// the text margins and the edit's own two pixels a side.
int lineEditRoom(const QLineEdit* e) {
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->contentsRect();
    opt.lineWidth =
        e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    if (e->isReadOnly())
        opt.state |= QStyle::State_ReadOnly;
    QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e);
    r = r.marginsRemoved(e->textMargins());
    return r.width() - 2 * 2;
}

bool isField(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QListWidget*>(w);
}

QString where(const QString& page, const QWidget* w) {
    return page + QStringLiteral(" / ") + w->objectName();
}

// Every way the visible widgets under root fail a reader, one line each.
QStringList readingFaults(const QString& page, QWidget* root) {
    QStringList faults;
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    QList<QWidget*> fields;
    for (QWidget* w : all)
        if (w->isVisible() && isField(w))
            fields << w;
    for (QWidget* w : all) {
        if (!w->isVisible())
            continue;
        // A field or label reaching past its group box is cut off there.
        if ((isField(w) || qobject_cast<QLabel*>(w)) && w->parentWidget() &&
            !w->parentWidget()->rect().contains(w->geometry()))
            faults << where(page, w) +
                          QStringLiteral(" reaches out of %1").arg(w->parentWidget()->objectName());
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            // A caption cut by its button: a push button's style stretches its hint to a
            // minimum width, so it is measured as the text (and icon) inside the frame.
            const bool push = qobject_cast<QPushButton*>(b) != nullptr;
            const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
            const int need = push ? b->fontMetrics().size(0, b->text()).width() + icon + 4
                                  : b->sizeHint().width();
            if (need > b->width())
                faults << where(page, b) + QStringLiteral(": \"%1\" needs %2 px, has %3")
                                               .arg(b->text())
                                               .arg(need)
                                               .arg(b->width());
        }
        if (auto* t = qobject_cast<QTableWidget*>(w)) {
            // A number cut in its column reads as "…" where the digits belong.
            const int margin =
                2 * (t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) + 1);
            for (int r = 0; r < t->rowCount(); ++r)
                for (int c = 0; c < t->columnCount(); ++c) {
                    const QTableWidgetItem* item = t->item(r, c);
                    if (!item)
                        continue;
                    const int need = t->fontMetrics().horizontalAdvance(item->text()) + margin;
                    if (need > t->columnWidth(c)) {
                        faults << where(page, t) +
                                      QStringLiteral(": cell \"%1\" needs %2 px, has %3")
                                          .arg(item->text())
                                          .arg(need)
                                          .arg(t->columnWidth(c));
                        r = t->rowCount();
                        break;
                    }
                }
        }
        if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->count() > 0) {
            // Every item a player can choose shows whole once chosen.
            QStyleOptionComboBox opt;
            opt.initFrom(cb);
            opt.editable = cb->isEditable();
            const QRect field = cb->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                            QStyle::SC_ComboBoxEditField, cb);
            for (int i = 0; i < cb->count(); ++i) {
                const int need = cb->fontMetrics().horizontalAdvance(cb->itemText(i));
                if (need > field.width()) {
                    faults << where(page, cb) + QStringLiteral(": item \"%1\" needs %2 px, has %3")
                                                    .arg(cb->itemText(i))
                                                    .arg(need)
                                                    .arg(field.width());
                    break;
                }
            }
        }
        if (auto* e = qobject_cast<QLineEdit*>(w); e && (e->isReadOnly() || !e->isEnabled())) {
            // One pixel for the caret the edit keeps room for.
            const int need = e->fontMetrics().horizontalAdvance(e->text()) + 1;
            const int room = lineEditRoom(e);
            if (need > room)
                faults << where(page, e) + QStringLiteral(": \"%1\" needs %2 px, has %3")
                                               .arg(e->text())
                                               .arg(need)
                                               .arg(room);
        } else if (auto* pt = qobject_cast<QPlainTextEdit*>(w);
                   pt && pt->isReadOnly() && pt->height() < 80) {
            // A small result box (not a reader of long texts): every line on one line.
            const int room =
                pt->viewport()->width() - 2 * static_cast<int>(pt->document()->documentMargin());
            for (QString line : pt->toPlainText().split(QLatin1Char('\n'))) {
                line = line.trimmed();
                const int need = pt->fontMetrics().horizontalAdvance(line);
                if (need > room)
                    faults << where(page, pt) + QStringLiteral(": line \"%1\" needs %2 px, has %3")
                                                    .arg(line)
                                                    .arg(need)
                                                    .arg(room);
            }
        } else if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty() &&
                                                       l->textFormat() != Qt::RichText &&
                                                       !Qt::mightBeRichText(l->text())) {
            const QFontMetrics fm = l->fontMetrics();
            const QRect cr =
                l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
            QRect text;
            if (l->wordWrap()) {
                text = fm.boundingRect(cr, static_cast<int>(l->alignment()) | Qt::TextWordWrap,
                                       l->text());
            } else {
                const QSize size = fm.size(0, l->text());
                if (size.width() > cr.width())
                    faults << where(page, l) + QStringLiteral(": \"%1\" needs %2 px, has %3")
                                                   .arg(l->text())
                                                   .arg(size.width())
                                                   .arg(cr.width());
                text = QStyle::alignedRect(l->layoutDirection(), l->alignment(), size, cr);
            }
            text = text.intersected(l->rect());
            const QRect onRoot(l->mapTo(root, text.topLeft()), text.size());
            for (QWidget* f : fields) {
                if (f->isAncestorOf(l))
                    continue;
                const QRect field(f->mapTo(root, QPoint(0, 0)), f->size());
                if (onRoot.intersects(field))
                    faults << where(page, l) + QStringLiteral(": \"%1\" runs into %2")
                                                   .arg(l->text(), f->objectName());
            }
        }
    }
    return faults;
}

QStringList driveAndRead(const std::string& caption, PageBinder* binder, QWidget* root) {
    const QString page = QString::fromStdString(caption);
    QStringList faults = readingFaults(page, root);  // as it opens
    // A dialog without widgets of its own (its page shows only inside another) has nothing to
    // drive.
    const std::vector<Arguments> cases = binder ? widestInputs(caption) : std::vector<Arguments>{};
    for (std::size_t n = 0; n < cases.size(); ++n) {
        const QString error = applyArguments(*binder, cases[n]);
        if (!error.isEmpty()) {
            faults << page + QStringLiteral(" case %1: ").arg(n) + error;
            continue;
        }
        QCoreApplication::processEvents();
        for (const QString& f : readingFaults(page, root))
            faults << QStringLiteral("%1 (case %2)").arg(f).arg(n);
    }
    return faults;
}

// A failure message is cut short: every fault goes to the log on its own line.
void report(const QStringList& faults) {
    for (const QString& f : faults)
        qWarning("%s", qPrintable(f));
    QVERIFY2(
        faults.isEmpty(),
        qPrintable(QStringLiteral("%1 fields or labels a player cannot read").arg(faults.size())));
}

}  // namespace

class PageTextFitsTest : public QObject {
    Q_OBJECT
  private slots:
    void everyTabShowsItsWidestTexts() {
        CKalvixDlg dlg;
        QuietPresenter presenter;
        dlg.host().setPresenter(&presenter);
        dlg.host().dialogRunner = [](QDialog*) {};
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QStringList faults;
        int walked = 0;
        for (const PageEntry* entry : tabPages()) {
            const QString caption = QString::fromStdString(entry->caption);
            PageWidget* page = dlg.pageWidget(caption);
            if (!page)
                continue;  // 关于 shows a browser
            for (int i = 0; i < dlg.tabs()->count(); ++i)
                if (dlg.tabs()->tabText(i) == caption)
                    dlg.tabs()->setCurrentIndex(i);
            QCoreApplication::processEvents();
            QVERIFY2(page->isVisible(), qPrintable(caption));
            faults << driveAndRead(entry->caption, page->binder(), page);
            ++walked;
        }
        QVERIFY(walked >= 10);
        report(faults);
    }

    // The inputs are driven as a player types them: what the field would refuse is refused.
    void argumentsTakeOnlyWhatAPlayerCouldType_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("taken");
        QTest::newRow("digits") << QStringLiteral("资质.攻击=1500") << true;
        QTest::newRow("letters in a digits-only field") << QStringLiteral("资质.攻击=abc") << false;
        QTest::newRow("unknown caption") << QStringLiteral("资质.灵性=1") << false;
        QTest::newRow("list item by position") << QStringLiteral("召唤兽等级=#180") << true;
        QTest::newRow("list position past the end") << QStringLiteral("召唤兽等级=#181") << false;
        QTest::newRow("disabled button") << QStringLiteral("快速加点") << false;
    }
    void argumentsTakeOnlyWhatAPlayerCouldType() {
        QFETCH(QString, argument);
        QFETCH(bool, taken);
        CKalvixDlg dlg;
        QuietPresenter presenter;
        dlg.host().setPresenter(&presenter);
        PageWidget* page = dlg.pageWidget(QStringLiteral("召唤兽"));
        QVERIFY(page && page->binder());
        const QString error = applyArguments(*page->binder(), {argument.toStdString()});
        QCOMPARE(error.isEmpty(), taken);
    }

    void readOnlyFieldsLookReadOnly() {
        CKalvixDlg dlg;
        int readOnly = 0;
        for (int tab = 0; tab < dlg.tabs()->count(); ++tab) {
            auto* page = qobject_cast<PageWidget*>(dlg.page(tab));
            if (!page || !page->binder())
                continue;
            for (QLineEdit* e : page->findChildren<QLineEdit*>()) {
                const QPalette& p = e->palette();
                const bool grey = p.color(QPalette::Active, QPalette::Base) ==
                                  p.color(QPalette::Disabled, QPalette::Base);
                QVERIFY2(grey == e->isReadOnly(), qPrintable(where(dlg.tabs()->tabText(tab), e)));
                readOnly += e->isReadOnly() ? 1 : 0;
            }
        }
        QVERIFY(readOnly >= 40);
        // The look differs from a field to type in.
        QLineEdit plain;
        QVERIFY(plain.palette().color(QPalette::Active, QPalette::Base) !=
                plain.palette().color(QPalette::Disabled, QPalette::Base));
    }

    void everyDialogShowsItsWidestTexts() {
        CKalvixDlg dlg;
        QuietPresenter presenter;
        dlg.host().setPresenter(&presenter);
        dlg.host().dialogRunner = [](QDialog*) {};
        dlg.tabs()->setCurrentIndex(2);  // the 技能 page owns its detail dialog
        QStringList faults;
        int walked = 0;
        for (const PageEntry& entry : pageRegistry()) {
            // Sub-pages are walked with their tab.
            if (entry.placement != Placement::Dialog || !entry.create ||
                test_support::isSubPageOfTab(entry))
                continue;
            std::unique_ptr<QDialog> d(
                dlg.host().createDialog(QString::fromStdString(entry.caption), dlg.page(2)));
            QVERIFY2(d, entry.caption.c_str());
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d.get()));
            PageBinder* binder = nullptr;
            for (PageBinder* b : d->findChildren<PageBinder*>())
                if (!binder || b->model().title() == entry.caption)
                    binder = b;
            faults << driveAndRead(entry.caption, binder, d.get());
            ++walked;
        }
        QVERIFY(walked >= 10);
        report(faults);
    }
};

QTEST_MAIN(PageTextFitsTest)
#include "page_text_fits_test.moc"
