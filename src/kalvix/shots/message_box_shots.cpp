// Pictures of the standard boxes for scripts/screenshot: a question with 确定/取消 and the
// usage report's error, so the pictures show Qt's own buttons in Chinese.

#include <QMessageBox>

#include "kalvix/core/report/usage_report.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {

void addMessageBoxShots(ShotList& shots) {
    shots.add(QStringLiteral("question_box"), []() -> QWidget* {
        // As the page's question boxes are drawn (MessagePresenter::ask).
        auto* box = new QMessageBox(QMessageBox::Question, QString::fromUtf8(kOverspentCaption),
                                    QString::fromUtf8(kOverspentQuestion),
                                    QMessageBox::Ok | QMessageBox::Cancel);
        box->show();
        return box;
    });
    shots.add(QStringLiteral("report_error_box"), []() -> QWidget* {
        // As the report's failure opens over the window (the usage report runner).
        auto* box =
            new QMessageBox(QMessageBox::Critical, QString::fromUtf8(CKalvixDlg::kTitle),
                            QString::fromUtf8(report::failureText(report::ReportFailure::Refused)),
                            QMessageBox::Ok);
        box->show();
        return box;
    });
}

}  // namespace kalvix::gui
