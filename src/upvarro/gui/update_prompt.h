#pragma once
// 升级提示: the change log and the question whether to update now.

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace upvarro::gui {

class CUpdatePrompt : public QDialog {
    Q_OBJECT
  public:
    // The change log is read from the temporary folder 100 ms after the prompt opens.
    CUpdatePrompt(const QString& temporaryFolder, bool forceUpdate, QWidget* parent = nullptr);

    QPlainTextEdit& changelog() { return changelog_; }
    QLabel& question() { return question_; }
    QPushButton& updateNow() { return now_; }
    QPushButton& updateLater() { return later_; }
    bool loaded() const { return loaded_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void load();

    const QString temporaryFolder_;
    QPlainTextEdit changelog_;
    QLabel question_;
    QPushButton now_;
    QPushButton later_;
    bool loaded_ = false;
    bool loadScheduled_ = false;
};

}  // namespace upvarro::gui
