#include "upvarro/gui/page_step1.h"

#include <QVBoxLayout>

namespace upvarro::gui {

CPageStep1::CPageStep1(UpdateSession& session, QWidget* parent)
    : QWizardPage(parent), model_(session, ActionListModel::Kind::List) {
    setTitle(QStringLiteral("从远程服务器下载文件列表"));
    setSubTitle(QStringLiteral("与本地文件列表比对后得到需下载更新的列表"));
    setUpListView(view_, model_, model_.widths());
    status_.setObjectName(QStringLiteral("status"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&view_, 1);
    layout->addWidget(&status_);
}

}  // namespace upvarro::gui
