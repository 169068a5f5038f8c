#pragma once
// The wizard's file lists as virtual views: the models ask the session for each cell when the
// view draws it, so only rows that are redrawn are read.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include "upvarro/core/session.h"

namespace upvarro::gui {

// Rows of the action list: page 1 shows 状态, 文件名, 大小; page 2 adds 已下载, 进度, 已用时间.
class ActionListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum class Kind { List, Download };
    enum Column { State, Name, Size, Downloaded, Progress, Elapsed };
    // Role of the progress cell: the share downloaded from 0 to 1, or -1 when no bar is drawn.
    static constexpr int kProgressRole = Qt::UserRole + 1;

    ActionListModel(UpdateSession& session, Kind kind, QObject* parent = nullptr);

    // The action list is complete (list ready): take its rows.
    void reload();
    void rowChanged(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Column widths in pixels, as the pages lay them out.
    QList<int> widths() const;

  private:
    Column column(int section) const;

    UpdateSession& session_;
    const Kind kind_;
    int rows_ = 0;  // the action list is only read once the list step has built it
};

// The operation lines of the install step: "#" as " %d." and 操作.
class OperationListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit OperationListModel(UpdateSession& session, QObject* parent = nullptr);
    // Takes the lines added since the last call.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    UpdateSession& session_;
    std::vector<std::string> lines_;
};

// Draws the progress cell as a bar while the file downloads.
class ProgressDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// A list view of the wizard's pages: row selection, alternating row colours, fixed widths.
void setUpListView(QTableView& view, QAbstractItemModel& model, const QList<int>& widths);

}  // namespace upvarro::gui
