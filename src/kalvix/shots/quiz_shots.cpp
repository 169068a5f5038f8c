// Pictures of the 答题器 page with a search done and a row chosen, for scripts/screenshot.

#include <QLineEdit>
#include <QTableView>

#include "kalvix/core/quiz/quiz_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/quiz/dlg_dtq.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {

void addQuizShots(ShotList& shots) {
    shots.add(QStringLiteral("quiz_search"), [](PageHost& host) {
        auto* page = new DLG_dtq(host, std::make_unique<QuizPage>(host.context()));
        page->resize(540, 334);
        auto* edit = page->findChild<QLineEdit*>(QStringLiteral("editKeyword"));
        // As typed: the binder and the list follow the edit's own signal.
        edit->setText(QStringLiteral("的"));
        emit edit->textEdited(edit->text());
        page->resultList()->selectRow(1);
        return static_cast<QWidget*>(page);
    });
    // Full pinyin and initials mixed, ranked and marked.
    shots.add(QStringLiteral("quiz_pinyin"), [](PageHost& host) {
        auto* page = new DLG_dtq(host, std::make_unique<QuizPage>(host.context()));
        page->resize(540, 334);
        auto* edit = page->findChild<QLineEdit*>(QStringLiteral("editKeyword"));
        edit->setText(QStringLiteral("changc"));
        emit edit->textEdited(edit->text());
        return static_cast<QWidget*>(page);
    });
}

}  // namespace kalvix::gui
