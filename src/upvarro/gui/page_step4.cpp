#include "upvarro/gui/page_step4.h"

#include <QVBoxLayout>

namespace upvarro::gui {

CPageStep4::CPageStep4(UpdateSession& session, QWidget* parent)
    : QWizardPage(parent), model_(session) {
    setTitle(QStringLiteral("从临时文件中拷贝文件"));
    setUpListView(view_, model_, {30, 250});
    status_.setObjectName(QStringLiteral("status"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&view_, 1);
    layout->addWidget(&status_);
}

}  // namespace upvarro::gui
