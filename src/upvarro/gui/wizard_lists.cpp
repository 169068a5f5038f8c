#include "upvarro/gui/wizard_lists.h"

#include <utility>

#include <QApplication>
#include <QHeaderView>
#include <QPainter>

#include "common/readable_colour.h"
#include "upvarro/core/download_texts.h"
#include "upvarro/gui/wizard_pictures.h"

namespace upvarro::gui {
namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QColor fixedStateColour(std::int32_t state) {
    switch (state) {
        case kStateDownloaded:
            return QColor(0, 150, 0);
        case kStateFailed:
            return QColor(220, 0, 0);
        default:
            return QColor(128, 128, 128);
    }
}

common::Rgb rgb(const QColor& c) {
    return {c.redF(), c.greenF(), c.blueF()};
}

// The second row scheme: a tint of the palette's highlight over its base, light or dark as the
// desktop's theme is.
QColor alternateRowColour(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor tint = palette.color(QPalette::Highlight);
    return QColor::fromRgbF(base.redF() * 0.9f + tint.redF() * 0.1f,
                            base.greenF() * 0.9f + tint.greenF() * 0.1f,
                            base.blueF() * 0.9f + tint.blueF() * 0.1f);
}

// Green, red or grey as on a light list; on a dark theme's list lightened until it reads on
// the rows of both schemes (a dark theme's highlight tints the second lighter than the base).
QColor stateColour(std::int32_t state) {
    const QPalette palette = QApplication::palette();
    const common::Rgb r = common::readableOn(
        common::readableOn(rgb(fixedStateColour(state)), rgb(alternateRowColour(palette))),
        rgb(palette.color(QPalette::Base)));
    return QColor::fromRgbF(static_cast<float>(r.red), static_cast<float>(r.green),
                            static_cast<float>(r.blue));
}

}  // namespace

ActionListModel::ActionListModel(UpdateSession& session, Kind kind, QObject* parent)
    : QAbstractTableModel(parent), session_(session), kind_(kind) {}

void ActionListModel::reload() {
    beginResetModel();
    rows_ = static_cast<int>(session_.actionList.size());
    endResetModel();
}

void ActionListModel::rowChanged(int row) {
    if (row < 0 || row >= rows_)
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int ActionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ActionListModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return kind_ == Kind::List ? 3 : 6;
}

ActionListModel::Column ActionListModel::column(int section) const {
    return static_cast<Column>(section);
}

QList<int> ActionListModel::widths() const {
    if (kind_ == Kind::List)
        return {40, 150, 90};
    return {40, 110, 60, 60, 100, 60};
}

QVariant ActionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const names[] = {"状态", "文件名", "大小", "已下载", "进度", "已用时间"};
    if (section < 0 || section >= columnCount())
        return {};
    return QString::fromUtf8(names[section]);
}

QVariant ActionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_)
        return {};
    const UpdateEntry& e = *session_.actionList[static_cast<std::size_t>(index.row())];
    const std::int32_t state = e.state.load();
    switch (column(index.column())) {
        case State:
            if (role == Qt::DecorationRole)
                return stateIcon(state);
            return {};
        case Name:
            if (role == Qt::DisplayRole)
                return QStringLiteral(" ") + text(e.name);
            return {};
        case Size:
            if (role == Qt::DisplayRole)
                return text(sizeText(e.listSize.load()));
            return {};
        case Downloaded:
            if (role == Qt::DisplayRole)
                return text(sizeText(e.downloaded.load()));
            return {};
        case Progress:
            if (role == Qt::TextAlignmentRole)
                return int(Qt::AlignCenter);
            if (role == Qt::ForegroundRole)
                return stateColour(state);
            if (state == kStateDownloading) {
                if (role == Qt::DisplayRole)
                    return text(progressText(e.downloaded.load(), e.listSize.load()));
                if (role == kProgressRole) {
                    const double size = e.listSize.load();
                    return size > 0 ? std::min(1.0, e.downloaded.load() / size) : 1.0;
                }
                return {};
            }
            if (role == Qt::DisplayRole)
                return text(stateText(state));
            if (role == kProgressRole)
                return -1.0;
            return {};
        case Elapsed:
            if (role == Qt::DisplayRole) {
                std::lock_guard guard(session_.lock);
                return QStringLiteral(" ") + text(e.elapsedText);
            }
            return {};
    }
    return {};
}

OperationListModel::OperationListModel(UpdateSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

void OperationListModel::refresh() {
    std::vector<std::string> added;
    {
        std::lock_guard guard(session_.lock);
        for (std::size_t i = lines_.size(); i < session_.operationLines.size(); ++i)
            added.push_back(session_.operationLines[i]);
    }
    if (added.empty())
        return;
    const int first = static_cast<int>(lines_.size());
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    lines_.insert(lines_.end(), added.begin(), added.end());
    endInsertRows();
}

int OperationListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int OperationListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant OperationListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("#") : QStringLiteral("操作");
}

QVariant OperationListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    if (index.column() == 0)
        return QStringLiteral(" %1.").arg(index.row() + 1);
    return text(lines_[static_cast<std::size_t>(index.row())]);
}

void ProgressDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const double share = index.data(ActionListModel::kProgressRole).toDouble();
    if (!index.data(ActionListModel::kProgressRole).isValid() || share < 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(option.rect).adjusted(3, 3, -3, -3);
    // The frame and the text take the palette's roles, so a dark desktop theme keeps them
    // readable; only the bar has colours of its own.
    painter->setPen(QPen(option.palette.color(QPalette::Mid), 1));
    painter->setBrush(option.palette.color(QPalette::Base));
    painter->drawRect(frame);
    QRectF filled = frame.adjusted(1, 1, -1, -1);
    filled.setWidth(filled.width() * share);
    QLinearGradient bar(filled.topLeft(), filled.bottomLeft());
    bar.setColorAt(0, QColor(120, 200, 255));
    bar.setColorAt(1, QColor(30, 120, 210));
    painter->setPen(Qt::NoPen);
    painter->setBrush(bar);
    painter->drawRect(filled);
    // Over the bar the text is black whatever the theme (the bar is light blue); over the rest
    // it is the theme's text.
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRectF rest(filled.right(), frame.top(), frame.right() - filled.right(), frame.height());
    for (const auto& [clip, colour] : {std::pair{filled, QColor(Qt::black)},
                                       std::pair{rest, option.palette.color(QPalette::Text)}}) {
        painter->save();
        painter->setClipRect(clip);
        painter->setPen(colour);
        painter->drawText(frame, Qt::AlignCenter, text);
        painter->restore();
    }
    painter->restore();
}

void setUpListView(QTableView& view, QAbstractItemModel& model, const QList<int>& widths) {
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setShowGrid(false);
    view.setWordWrap(false);
    view.setIconSize(QSize(18, 18));
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(22);
    view.horizontalHeader()->setHighlightSections(false);
    view.horizontalHeader()->setStretchLastSection(true);
    // Two row schemes: the palette's base and a tint of its highlight over it, light or dark
    // as the desktop's theme is (a fixed white base under a dark theme's white text was
    // unreadable).
    view.setAlternatingRowColors(true);
    QPalette palette = view.palette();
    palette.setColor(QPalette::AlternateBase, alternateRowColour(palette));
    view.setPalette(palette);
    for (int i = 0; i < widths.size(); ++i)
        view.setColumnWidth(i, widths[i]);
}

}  // namespace upvarro::gui
