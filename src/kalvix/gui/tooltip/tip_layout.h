#pragma once
// Boxes of a laid-out tip: lines of text runs, icons, rules and tables, measured with the
// fonts they are drawn with. Nothing wraps: lines end only where the markup breaks them, and
// tables grow until their content fits.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "kalvix/core/tooltip/markup_document.h"

class QPainter;

namespace kalvix::gui {

class PictureProvider;

namespace tip {

struct TableBox;

struct Item {
    enum class Kind { Text, Icon, Rule, Table };
    Kind kind = Kind::Text;
    int x = 0;
    int width = 0;
    int ascent = 0;  // above the line's baseline
    int descent = 0;
    QString text;
    QFont font;
    QColor colour;  // text or rule
    QImage image;   // an icon; null draws nothing but keeps its place
    std::unique_ptr<TableBox> table;
};

struct Line {
    std::vector<Item> items;
    bool centred = false;
    int y = 0;
    int ascent = 0;
    int descent = 0;
    int height() const { return ascent + descent; }
    int naturalWidth() const;
};

struct Flow {
    std::vector<Line> lines;
    int width = 0;
    int height = 0;
    int naturalWidth() const;
    // Places lines top to bottom, centres centred lines and stretches rules across `width`.
    void arrange(int width);
    // background: what the flow is drawn on, so that a markup colour chosen for a light tip
    // still reads on a dark theme's (common::readableOn; unchanged on a light one).
    void paint(QPainter& painter, QPoint origin, const QColor& background) const;
};

struct CellBox {
    Flow flow;
    int column = 0;
    int colspan = 1;
    int minWidth = 0;
    bool verticallyCentred = false;
    std::optional<QColor> background;
    QRect rect;        // in the table
    int contentY = 0;  // of the flow, in the cell
};

struct RowBox {
    int minHeight = 0;
    std::optional<QColor> background;
    std::vector<std::size_t> cells;
    int y = 0;
    int height = 0;
};

struct TableBox {
    tooltip::TableAttributes attributes;
    std::vector<RowBox> rows;
    std::vector<CellBox> cells;
    std::vector<int> columns;
    int width = 0;
    int height = 0;
    QColor borderColour;
    // Column widths from the content, then row heights and cell places.
    void layout();
    void paint(QPainter& painter, QPoint origin, const QColor& background) const;
};

struct Environment {
    const PictureProvider* pictures = nullptr;
    QColor textColour;
};

// The flow of a document (or of any element's content), measured but not yet arranged.
Flow buildFlow(const tooltip::Node& root, const Environment& environment);

}  // namespace tip
}  // namespace kalvix::gui
