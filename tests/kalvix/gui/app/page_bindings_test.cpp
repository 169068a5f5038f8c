// Every registered page and dialog, built as the window builds it: each control the model
// declares with an id must find its widget, so a renamed widget in a .ui cannot be skipped
// silently.

#include <QDialog>
#include <QTest>
#include <memory>

#include "kalvix/core/registry/page_registry.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_widget.h"

using namespace kalvix;
using namespace kalvix::gui;

namespace {

QString missingText(const std::vector<std::string>& ids) {
    QStringList list;
    for (const auto& id : ids)
        list << QString::fromStdString(id);
    return list.join(QStringLiteral(", "));
}

}  // namespace

class PageBindingsTest : public QObject {
    Q_OBJECT
  private slots:
    void everyTabControlFindsItsWidget() {
        CKalvixDlg dlg;
        int checked = 0;
        for (const PageEntry* entry : tabPages()) {
            if (!entry->create || entry->alias == "about")
                continue;
            const QString caption = QString::fromStdString(entry->caption);
            PageWidget* page = dlg.pageWidget(caption);
            QVERIFY2(page, qPrintable(caption));
            if (!page->binder())
                continue;  // a tab whose widget is still empty
            QVERIFY2(page->binder()->missingWidgets().empty(),
                     qPrintable(caption + QStringLiteral(": ") +
                                missingText(page->binder()->missingWidgets())));
            ++checked;
        }
        QVERIFY(checked >= 5);
    }

    void everyDialogControlFindsItsWidget() {
        CKalvixDlg dlg;
        dlg.tabs()->setCurrentIndex(2);  // the 技能 page offers its detail dialog
        for (const PageEntry& entry : pageRegistry()) {
            if (entry.placement != Placement::Dialog || !entry.create)
                continue;
            const QString caption = QString::fromStdString(entry.caption);
            std::unique_ptr<QDialog> d(dlg.host().createDialog(caption, dlg.page(2)));
            QVERIFY2(d, qPrintable(caption));
            for (PageBinder* binder : d->findChildren<PageBinder*>())
                QVERIFY2(binder->missingWidgets().empty(),
                         qPrintable(caption + QStringLiteral(": ") +
                                    missingText(binder->missingWidgets())));
        }
    }
};

QTEST_MAIN(PageBindingsTest)
#include "page_bindings_test.moc"
