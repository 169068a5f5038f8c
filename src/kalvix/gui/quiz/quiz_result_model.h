#pragma once
// The result list of the 答题器 page as a view model: rows are read from the page model as
// they are shown, so a list of many thousand questions costs nothing to fill.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace kalvix {
class QuizPage;
}

namespace kalvix::gui {

class QuizResultModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The role holding a question's matched ranges, as a QList<QPoint>(start, length).
    static constexpr int kHighlightRole = Qt::UserRole + 1;

    explicit QuizResultModel(const QuizPage& page, QObject* parent = nullptr);

    // Takes the page's latest result list, when it changed.
    void update();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const QuizPage& page_;
    int generation_ = -1;
    int rows_ = 0;
};

// Paints a question with the keyword's matches marked.
class HighlightDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace kalvix::gui
