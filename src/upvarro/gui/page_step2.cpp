#include "upvarro/gui/page_step2.h"

#include <QVBoxLayout>

namespace upvarro::gui {

CPageStep2::CPageStep2(UpdateSession& session, QWidget* parent)
    : QWizardPage(parent), model_(session, ActionListModel::Kind::Download) {
    setSubTitle(QStringLiteral("下载文件到本地临时目录"));
    setUpListView(view_, model_, model_.widths());
    view_.setItemDelegateForColumn(ActionListModel::Progress, &progress_);
    speed_.setObjectName(QStringLiteral("speed"));
    count_.setObjectName(QStringLiteral("count"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&view_, 1);
    layout->addWidget(&speed_);
    layout->addWidget(&count_);
}

}  // namespace upvarro::gui
