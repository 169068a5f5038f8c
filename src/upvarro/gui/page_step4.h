#pragma once
// The third page: the downloaded files are put in place.

#include <QLabel>
#include <QTableView>
#include <QWizardPage>

#include "upvarro/gui/wizard_lists.h"

namespace upvarro::gui {

class CPageStep4 : public QWizardPage {
    Q_OBJECT
  public:
    explicit CPageStep4(UpdateSession& session, QWidget* parent = nullptr);

    OperationListModel& list() { return model_; }
    QTableView& view() { return view_; }
    QLabel& status() { return status_; }

  private:
    OperationListModel model_;
    QTableView view_;
    QLabel status_;
};

}  // namespace upvarro::gui
