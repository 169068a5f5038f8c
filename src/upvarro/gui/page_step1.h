#pragma once
// Page 1: the update list is fetched and compared with the local list.

#include <QLabel>
#include <QTableView>
#include <QWizardPage>

#include "upvarro/gui/wizard_lists.h"

namespace upvarro::gui {

class CPageStep1 : public QWizardPage {
    Q_OBJECT
  public:
    explicit CPageStep1(UpdateSession& session, QWidget* parent = nullptr);

    ActionListModel& list() { return model_; }
    QTableView& view() { return view_; }
    QLabel& status() { return status_; }

  private:
    ActionListModel model_;
    QTableView view_;
    QLabel status_;
};

}  // namespace upvarro::gui
