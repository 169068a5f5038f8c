#include "kalvix/gui/quiz/cdlg_pic_dtq.h"

#include "kalvix/core/quiz/quiz_page.h"
#include "kalvix/gui/framework/html_ctrl.h"
#include "ui_cdlg_pic_dtq.h"

namespace kalvix::gui {

CDLG_PicDtq::CDLG_PicDtq(QWidget* parent) : QDialog(parent) {
    Ui::CDLG_PicDtq ui;
    ui.setupUi(this);
    setFixedSize(size());
    browser_ = ui.browser;
    browser_->navigate(QString::fromStdString(QuizPage::pictureAddress()));
    browser_->setLeftTop(kShiftLeft, kShiftTop);
}

}  // namespace kalvix::gui
