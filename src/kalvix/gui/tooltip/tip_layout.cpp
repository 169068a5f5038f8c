#include "kalvix/gui/tooltip/tip_layout.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "kalvix/core/tooltip/style_sheet.h"
#include "kalvix/gui/framework/picture_provider.h"
#include "kalvix/gui/framework/readable_colour.h"

namespace kalvix::gui::tip {
namespace {

using tooltip::Node;
using tooltip::NodeType;

constexpr int kRuleHeight = 8;
constexpr int kRuleThickness = 2;

QColor toQColor(const tooltip::Colour& c) {
    return QColor(c.red, c.green, c.blue);
}

std::optional<QColor> toQColor(const std::optional<tooltip::Colour>& c) {
    if (!c)
        return std::nullopt;
    return toQColor(*c);
}

// Sizes are pixels at 96 dots per inch, so a tip measures the same on any paint device.
int pointsToPixels(double points) {
    return std::max(1, static_cast<int>(std::lround(points * 4 / 3)));
}

struct TextStyle {
    QString family;
    int pixelSize = 13;
    bool bold = false;
    bool italic = false;
    QColor colour;

    QFont font() const {
        QFont f(family);
        f.setPixelSize(pixelSize);
        f.setBold(bold);
        f.setItalic(italic);
        return f;
    }
};

// Applies a rule of the sheet. A colour equal to the body's is the sheet's way of saying
// "the normal text colour", which in a tip is the platform's tooltip text colour.
void applyRule(TextStyle& style, const tooltip::StyleRule* rule, const tooltip::StyleRule* body) {
    if (!rule)
        return;
    if (!rule->family.empty())
        style.family = QString::fromStdString(rule->family);
    if (rule->sizePoints)
        style.pixelSize = pointsToPixels(*rule->sizePoints);
    if (rule->sizePercent)
        style.pixelSize =
            std::max(1, static_cast<int>(std::lround(style.pixelSize * *rule->sizePercent / 100)));
    if (rule->bold)
        style.bold = *rule->bold;
    if (rule->italic)
        style.italic = *rule->italic;
    if (rule->colour && !(body && body->colour == rule->colour))
        style.colour = toQColor(*rule->colour);
}

class FlowBuilder {
  public:
    FlowBuilder(Flow& flow, const Environment& environment) : flow_(flow), env_(environment) {}

    void content(const Node& node, const TextStyle& style, bool centred) {
        for (const Node& child : node.children)
            element(child, style, centred);
    }

    void finish() {
        if (!current_.items.empty())
            pushLine();
    }

  private:
    void element(const Node& node, const TextStyle& style, bool centred) {
        switch (node.type) {
            case NodeType::Text:
                text(node.text, style, centred);
                break;
            case NodeType::LineBreak:
                lineBreak(style);
                break;
            case NodeType::Rule:
                rule(node, style);
                break;
            case NodeType::Icon:
                icon(node, centred);
                break;
            case NodeType::Heading: {
                TextStyle inner = style;
                const auto& sheet = tooltip::defaultStyleSheet();
                const std::string selector = "h" + std::to_string(node.level);
                applyRule(inner, sheet.rule(selector), sheet.rule("body"));
                if (node.centred) {
                    block(node, inner, true);
                } else {
                    content(node, inner, centred);
                }
                break;
            }
            case NodeType::Font: {
                TextStyle inner = style;
                if (node.colour)
                    inner.colour = toQColor(*node.colour);
                content(node, inner, centred);
                break;
            }
            case NodeType::Bold: {
                TextStyle inner = style;
                inner.bold = true;
                content(node, inner, centred);
                break;
            }
            case NodeType::Italic: {
                TextStyle inner = style;
                inner.italic = true;
                content(node, inner, centred);
                break;
            }
            case NodeType::Block:
                block(node, style, centred || node.centred);
                break;
            case NodeType::Table:
                table(node, style, centred);
                break;
            case NodeType::Group:
            case NodeType::Row:
            case NodeType::Cell:
                // Only reachable through a damaged tree; show the content rather than lose it.
                content(node, style, centred);
                break;
        }
    }

    void add(Item item, bool centred) {
        if (current_.items.empty())
            current_.centred = centred;
        current_.ascent = std::max(current_.ascent, item.ascent);
        current_.descent = std::max(current_.descent, item.descent);
        current_.items.push_back(std::move(item));
        afterBlock_ = false;
    }

    void pushLine() {
        flow_.lines.push_back(std::move(current_));
        current_ = Line();
    }

    // Rules, tables and blocks stand on lines of their own; the <br> the program writes right
    // after one of them ends that line instead of adding an empty one.
    void softBreak() {
        if (!current_.items.empty())
            pushLine();
    }

    void text(const std::string& utf8, const TextStyle& style, bool centred) {
        Item item;
        item.kind = Item::Kind::Text;
        item.text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        item.font = style.font();
        item.colour = style.colour;
        const QFontMetrics metrics(item.font);
        item.width = metrics.horizontalAdvance(item.text);
        item.ascent = metrics.ascent();
        item.descent = metrics.descent();
        add(std::move(item), centred);
    }

    void lineBreak(const TextStyle& style) {
        if (afterBlock_ && current_.items.empty()) {
            afterBlock_ = false;
            return;
        }
        if (current_.items.empty()) {
            // An empty line is as high as a line of the text around it.
            const QFontMetrics metrics(style.font());
            current_.ascent = metrics.ascent();
            current_.descent = metrics.descent();
        }
        pushLine();
        afterBlock_ = false;
    }

    void rule(const Node& node, const TextStyle& style) {
        softBreak();
        Item item;
        item.kind = Item::Kind::Rule;
        item.colour = node.colour ? toQColor(*node.colour) : style.colour;
        item.ascent = kRuleHeight / 2;
        item.descent = kRuleHeight - kRuleHeight / 2;
        add(std::move(item), false);
        pushLine();
        afterBlock_ = true;
    }

    void icon(const Node& node, bool centred) {
        Item item;
        item.kind = Item::Kind::Icon;
        if (node.resource && env_.pictures)
            item.image = env_.pictures->image(PictureKind::Icon, *node.resource);
        int width = node.width;
        int height = node.height;
        if (!item.image.isNull()) {
            const QSize natural = item.image.size();
            if (width == 0 && height == 0) {
                width = natural.width();
                height = natural.height();
            } else if (width == 0) {
                width = natural.width() * height / std::max(1, natural.height());
            } else if (height == 0) {
                height = natural.height() * width / std::max(1, natural.width());
            }
        }
        // A missing picture keeps the place its size asks for, so the rest stays where it is.
        item.width = width;
        item.ascent = height;
        add(std::move(item), centred);
    }

    void block(const Node& node, const TextStyle& style, bool centred) {
        softBreak();
        content(node, style, centred);
        softBreak();
        afterBlock_ = true;
    }

    void table(const Node& node, const TextStyle& style, bool centred) {
        softBreak();
        auto box = std::make_unique<TableBox>();
        box->attributes = node.table;
        box->borderColour = QColor(128, 128, 128);
        for (const Node& rowNode : node.children) {
            if (rowNode.type != NodeType::Row)
                continue;
            RowBox row;
            row.minHeight = rowNode.row.height;
            row.background = toQColor(rowNode.row.background);
            int column = 0;
            for (const Node& cellNode : rowNode.children) {
                if (cellNode.type != NodeType::Cell)
                    continue;
                CellBox cell;
                cell.column = column;
                cell.colspan = std::clamp(cellNode.cell.colspan, 1, tooltip::kMaxColspan);
                cell.minWidth = cellNode.cell.width;
                cell.verticallyCentred = cellNode.cell.verticallyCentred;
                cell.background = toQColor(cellNode.cell.background);
                FlowBuilder inner(cell.flow, env_);
                inner.content(cellNode, style, cellNode.cell.centred);
                inner.finish();
                column += cell.colspan;
                row.cells.push_back(box->cells.size());
                box->cells.push_back(std::move(cell));
            }
            box->rows.push_back(std::move(row));
        }
        box->layout();
        Item item;
        item.kind = Item::Kind::Table;
        item.width = box->width;
        item.ascent = box->height;
        item.table = std::move(box);
        add(std::move(item), centred || node.table.centred);
        pushLine();
        afterBlock_ = true;
    }

    Flow& flow_;
    const Environment& env_;
    Line current_;
    bool afterBlock_ = false;
};

}  // namespace

int Line::naturalWidth() const {
    int width = 0;
    for (const Item& item : items)
        if (item.kind != Item::Kind::Rule)
            width += item.width;
    return width;
}

int Flow::naturalWidth() const {
    int widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, line.naturalWidth());
    return widest;
}

void Flow::arrange(int available) {
    width = std::max(available, naturalWidth());
    int y = 0;
    for (Line& line : lines) {
        line.y = y;
        const int lineWidth = line.naturalWidth();
        int x = line.centred ? (width - lineWidth) / 2 : 0;
        for (Item& item : line.items) {
            if (item.kind == Item::Kind::Rule) {
                item.x = 0;
                item.width = width;
                continue;
            }
            item.x = x;
            x += item.width;
        }
        y += line.height();
    }
    height = y;
}

void Flow::paint(QPainter& painter, QPoint origin, const QColor& background) const {
    for (const Line& line : lines) {
        const int baseline = origin.y() + line.y + line.ascent;
        for (const Item& item : line.items) {
            const int x = origin.x() + item.x;
            switch (item.kind) {
                case Item::Kind::Text:
                    painter.setFont(item.font);
                    painter.setPen(readableOn(item.colour, background));
                    painter.drawText(QPoint(x, baseline), item.text);
                    break;
                case Item::Kind::Icon:
                    if (!item.image.isNull())
                        painter.drawImage(QRect(x, baseline - item.ascent, item.width, item.ascent),
                                          item.image);
                    break;
                case Item::Kind::Rule:
                    painter.fillRect(
                        QRect(x, origin.y() + line.y + (line.height() - kRuleThickness) / 2,
                              item.width, kRuleThickness),
                        item.colour);
                    break;
                case Item::Kind::Table:
                    if (item.table)
                        item.table->paint(painter, QPoint(x, baseline - item.ascent), background);
                    break;
            }
        }
    }
}

void TableBox::layout() {
    const int padding = attributes.cellPadding;
    const int spacing = attributes.cellSpacing;
    const int border = attributes.border;
    int columnCount = 0;
    for (const CellBox& cell : cells)
        columnCount = std::max(columnCount, cell.column + cell.colspan);
    columns.assign(static_cast<std::size_t>(columnCount), 0);
    const auto needed = [padding](const CellBox& cell) {
        return std::max(cell.flow.naturalWidth() + 2 * padding, cell.minWidth);
    };
    const auto spanWidth = [this, spacing](const CellBox& cell) {
        int w = spacing * (cell.colspan - 1);
        for (int c = cell.column; c < cell.column + cell.colspan; ++c)
            w += columns[static_cast<std::size_t>(c)];
        return w;
    };
    for (const CellBox& cell : cells)
        if (cell.colspan == 1)
            columns[static_cast<std::size_t>(cell.column)] =
                std::max(columns[static_cast<std::size_t>(cell.column)], needed(cell));
    // Spanning cells widen the columns they cover, evenly, when those are too narrow.
    for (const CellBox& cell : cells) {
        if (cell.colspan == 1)
            continue;
        const int missing = needed(cell) - spanWidth(cell);
        for (int k = 0; k < cell.colspan && missing > 0; ++k)
            columns[static_cast<std::size_t>(cell.column + k)] +=
                missing / cell.colspan + (k < missing % cell.colspan ? 1 : 0);
    }
    int natural = spacing * (columnCount + 1) + 2 * border;
    for (int w : columns)
        natural += w;
    // The width asked for is a minimum: extra room goes to the columns, nothing is cut.
    if (attributes.width > natural && columnCount > 0) {
        const int extra = attributes.width - natural;
        for (int k = 0; k < columnCount; ++k)
            columns[static_cast<std::size_t>(k)] +=
                extra / columnCount + (k < extra % columnCount ? 1 : 0);
    }
    width = std::max(natural, attributes.width);

    std::vector<int> columnX(static_cast<std::size_t>(columnCount), 0);
    int x = border + spacing;
    for (int k = 0; k < columnCount; ++k) {
        columnX[static_cast<std::size_t>(k)] = x;
        x += columns[static_cast<std::size_t>(k)] + spacing;
    }
    int y = border + spacing;
    for (RowBox& row : rows) {
        row.y = y;
        row.height = row.minHeight;
        for (std::size_t index : row.cells) {
            CellBox& cell = cells[index];
            const int cellWidth = spanWidth(cell);
            cell.flow.arrange(cellWidth - 2 * padding);
            row.height = std::max(row.height, cell.flow.height + 2 * padding);
            cell.rect = QRect(columnX[static_cast<std::size_t>(cell.column)], y, cellWidth, 0);
        }
        for (std::size_t index : row.cells) {
            CellBox& cell = cells[index];
            cell.rect.setHeight(row.height);
            cell.contentY = cell.verticallyCentred ? (row.height - cell.flow.height) / 2 : padding;
        }
        y += row.height + spacing;
    }
    height = y + border;
}

void TableBox::paint(QPainter& painter, QPoint origin, const QColor& background) const {
    const QColor table = attributes.background ? toQColor(*attributes.background) : background;
    if (attributes.background)
        painter.fillRect(QRect(origin, QSize(width, height)), table);
    for (const RowBox& row : rows) {
        for (std::size_t index : row.cells) {
            const CellBox& cell = cells[index];
            const QRect rect = cell.rect.translated(origin);
            if (cell.background)
                painter.fillRect(rect, *cell.background);
            else if (row.background)
                painter.fillRect(rect, *row.background);
            if (attributes.border > 0) {
                painter.setPen(borderColour);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect.adjusted(0, 0, -1, -1));
            }
            cell.flow.paint(painter, rect.topLeft() + QPoint(attributes.cellPadding, cell.contentY),
                            cell.background  ? *cell.background
                            : row.background ? *row.background
                                             : table);
        }
    }
    if (attributes.border > 0) {
        const int b = attributes.border;
        const QRect outer(origin, QSize(width, height));
        painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), b), borderColour);
        painter.fillRect(QRect(outer.left(), outer.bottom() - b + 1, outer.width(), b),
                         borderColour);
        painter.fillRect(QRect(outer.left(), outer.top(), b, outer.height()), borderColour);
        painter.fillRect(QRect(outer.right() - b + 1, outer.top(), b, outer.height()),
                         borderColour);
    }
}

Flow buildFlow(const tooltip::Node& root, const Environment& environment) {
    const auto& sheet = tooltip::defaultStyleSheet();
    TextStyle body;
    body.family = QStringLiteral("Verdana");
    body.colour = environment.textColour;
    applyRule(body, sheet.rule("body"), sheet.rule("body"));
    Flow flow;
    FlowBuilder builder(flow, environment);
    builder.content(root, body, false);
    builder.finish();
    return flow;
}

}  // namespace kalvix::gui::tip
