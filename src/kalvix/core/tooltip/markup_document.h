#pragma once
// The document tree of one tooltip markup text: what the renderer draws, with the markup's
// quirks (case, quoting, stray characters, unknown tags) already settled by the parser.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kalvix/core/tooltip/markup_colour.h"

namespace kalvix::tooltip {

enum class NodeType {
    Group,      // the document itself
    Text,       // text, "&nbsp;" already turned into U+00A0
    LineBreak,  // <br>
    Rule,       // <hr color=...>
    Icon,       // <icon idres=... width=... height=...>
    Heading,    // <h1> .. <h6>
    Font,       // <font color=...>
    Bold,       // <b>, <strong>
    Italic,     // <i>
    Block,      // <center>, <div>: starts and ends its own lines
    Table,
    Row,
    Cell,
};

struct TableAttributes {
    int width = 0;  // a minimum: tables grow to fit their content
    bool centred = false;
    int cellSpacing = 2;
    int cellPadding = 1;
    int border = 0;
    std::optional<Colour> background;
};

struct RowAttributes {
    int height = 0;  // a minimum
    std::optional<Colour> background;
};

struct CellAttributes {
    int width = 0;  // a minimum
    int colspan = 1;
    bool centred = false;
    bool verticallyCentred = false;
    std::optional<Colour> background;
};

struct Node {
    NodeType type = NodeType::Group;
    std::string tag;               // lower-case tag name that opened the node ("b" or "strong" ...)
    std::string text;              // Text: UTF-8
    std::optional<Colour> colour;  // Rule, Font
    int level = 0;                 // Heading: 1..6
    bool centred = false;          // Heading with align=center, Block with its content centred
    // Icon: the resource number (nothing when the attribute is missing or not a number) and the
    // size to scale it to (0: the picture's own).
    std::optional<std::int32_t> resource;
    int width = 0;
    int height = 0;
    TableAttributes table;
    RowAttributes row;
    CellAttributes cell;
    bool implicit = false;  // a row or cell the parser added around stray table content
    std::vector<Node> children;
};

struct Document {
    Node root;
};

// Limits that keep a hostile text from asking the renderer for absurd sizes or recursion.
inline constexpr int kMaxNesting = 40;
inline constexpr int kMaxLength = 4096;  // pixels for widths, heights, spacing ...
inline constexpr int kMaxColspan = 64;

}  // namespace kalvix::tooltip
