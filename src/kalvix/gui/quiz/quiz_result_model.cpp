#include "kalvix/gui/quiz/quiz_result_model.h"

#include <QApplication>
#include <QPainter>
#include <QPoint>

#include "kalvix/core/quiz/quiz_page.h"
#include "kalvix/gui/framework/message_box.h"

namespace kalvix::gui {

QuizResultModel::QuizResultModel(const QuizPage& page, QObject* parent)
    : QAbstractTableModel(parent), page_(page) {
    update();
}

void QuizResultModel::update() {
    if (generation_ == page_.generation())
        return;
    beginResetModel();
    generation_ = page_.generation();
    rows_ = static_cast<int>(page_.resultCount());
    endResetModel();
}

int QuizResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int QuizResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant QuizResultModel::data(const QModelIndex& index, int role) const {
    // A message box of a search can repaint the list before it is reloaded: rows of an older
    // list are not read.
    if (!index.isValid() || index.row() >= rows_ || generation_ != page_.generation())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const QString text =
            QString::fromStdString(index.column() == 0 ? page_.question(row) : page_.answer(row));
        return role == Qt::ToolTipRole ? plainToolTip(text) : text;
    }
    if (role == kHighlightRole && index.column() == 0) {
        // Byte ranges of the UTF-8 text to ranges of the shown text.
        const std::string& text = page_.question(row);
        QList<QPoint> ranges;
        for (const auto& [start, length] : page_.highlights(row)) {
            const auto from = QString::fromUtf8(text.data(), static_cast<qsizetype>(start)).size();
            const auto n =
                QString::fromUtf8(text.data() + start, static_cast<qsizetype>(length)).size();
            ranges.append(QPoint(static_cast<int>(from), static_cast<int>(n)));
        }
        return QVariant::fromValue(ranges);
    }
    return {};
}

QVariant QuizResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section == 0 ? QStringLiteral("题目") : QStringLiteral("答案");
    return {};
}

void HighlightDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const auto ranges = index.data(QuizResultModel::kHighlightRole).value<QList<QPoint>>();
    if (ranges.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const QRect area =
        style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget).adjusted(2, 0, -2, 0);
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor ink = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    painter->save();
    painter->setClipRect(area);
    painter->setFont(opt.font);
    const QFontMetrics fm(opt.font);
    int x = area.left();
    const int baseline = area.top() + (area.height() + fm.ascent() - fm.descent()) / 2;
    int pos = 0;
    auto draw = [&](int from, int n, bool marked) {
        if (n <= 0)
            return;
        const QString piece = text.mid(from, n);
        const int w = fm.horizontalAdvance(piece);
        if (marked) {
            painter->fillRect(QRect(x, area.top() + 2, w, area.height() - 4),
                              QColor(255, 214, 0, selected ? 160 : 255));
            painter->setPen(Qt::black);
        } else {
            painter->setPen(ink);
        }
        painter->drawText(x, baseline, piece);
        x += w;
    };
    for (const QPoint& r : ranges) {
        draw(pos, r.x() - pos, false);
        draw(r.x(), r.y(), true);
        pos = r.x() + r.y();
    }
    draw(pos, static_cast<int>(text.size()) - pos, false);
    painter->restore();
}

}  // namespace kalvix::gui
