#pragma once
// Page 2: the files download into the temporary folder.

#include <QLabel>
#include <QTableView>
#include <QWizardPage>

#include "upvarro/gui/wizard_lists.h"

namespace upvarro::gui {

class CPageStep2 : public QWizardPage {
    Q_OBJECT
  public:
    explicit CPageStep2(UpdateSession& session, QWidget* parent = nullptr);

    ActionListModel& list() { return model_; }
    QTableView& view() { return view_; }
    QLabel& speed() { return speed_; }
    QLabel& count() { return count_; }

  private:
    ActionListModel model_;
    ProgressDelegate progress_;
    QTableView view_;
    QLabel speed_;
    QLabel count_;
};

}  // namespace upvarro::gui
