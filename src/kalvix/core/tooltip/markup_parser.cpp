#include "kalvix/core/tooltip/markup_parser.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "common/ascii_text.h"

namespace kalvix::tooltip {
namespace {

// Longer than any tag the program writes; past this a '<' is taken as text, which also keeps
// the scan linear on texts full of unclosed quotes.
constexpr std::size_t kMaxTagLength = 1024;
constexpr int kMaxIconSize = 512;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}
bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAlnum(char c) {
    return isAlpha(c) || (c >= '0' && c <= '9');
}

std::string lower(std::string_view s) {
    return common::asciiLower(s);
}

struct Attribute {
    std::string name;
    std::optional<std::string> value;  // nothing for an attribute without "="
};

struct Tag {
    std::string name;
    bool closing = false;
    std::vector<Attribute> attributes;
    std::size_t end = 0;  // position after '>'

    std::optional<std::string_view> attribute(std::string_view attributeName) const {
        // The first one counts, as browsers do.
        for (const auto& a : attributes)
            if (a.name == attributeName && a.value)
                return std::string_view(*a.value);
        return std::nullopt;
    }
};

std::optional<Tag> readTag(std::string_view s, std::size_t pos) {
    const std::size_t n = std::min(s.size(), pos + kMaxTagLength);
    std::size_t i = pos + 1;
    Tag tag;
    if (i < n && s[i] == '/') {
        tag.closing = true;
        ++i;
    }
    if (i >= n || !isAlpha(s[i]))
        return std::nullopt;
    std::size_t start = i;
    while (i < n && isAlnum(s[i]))
        ++i;
    tag.name = lower(s.substr(start, i - start));
    for (;;) {
        while (i < n && isSpace(s[i]))
            ++i;
        if (i >= n || s[i] == '<')
            return std::nullopt;
        if (s[i] == '>') {
            tag.end = i + 1;
            return tag;
        }
        if (s[i] == '/' || s[i] == '=') {
            ++i;
            continue;
        }
        start = i;
        while (i < n && !isSpace(s[i]) && s[i] != '=' && s[i] != '>' && s[i] != '<' && s[i] != '/')
            ++i;
        Attribute attribute{lower(s.substr(start, i - start)), std::nullopt};
        std::size_t j = i;
        while (j < n && isSpace(s[j]))
            ++j;
        if (j < n && s[j] == '=') {
            i = j + 1;
            while (i < n && isSpace(s[i]))
                ++i;
            if (i >= n)
                return std::nullopt;
            if (s[i] == '\'' || s[i] == '"') {
                const std::size_t close = s.substr(0, n).find(s[i], i + 1);
                if (close == std::string_view::npos)
                    return std::nullopt;
                attribute.value = std::string(s.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                start = i;
                while (i < n && !isSpace(s[i]) && s[i] != '>' && s[i] != '<')
                    ++i;
                attribute.value = std::string(s.substr(start, i - start));
            }
        }
        tag.attributes.push_back(std::move(attribute));
    }
}

// A pixel count: digits, optionally followed by a unit other than '%'; clamped to the limits.
std::optional<int> readLength(std::optional<std::string_view> value, int limit) {
    if (!value)
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), number);
    if (error == std::errc::result_out_of_range)
        return limit;
    if (error != std::errc() || number < 0)
        return std::nullopt;
    if (end != value->data() + value->size() && *end == '%')
        return std::nullopt;
    return std::min(number, limit);
}

std::optional<std::int32_t> readInteger(std::optional<std::string_view> value) {
    if (!value)
        return std::nullopt;
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), number);
    if (error != std::errc() || end == value->data())
        return std::nullopt;
    return number;
}

bool valueIs(std::optional<std::string_view> value, std::string_view expected) {
    return value && lower(*value) == expected;
}

std::optional<Colour> readColour(const Tag& tag, std::string_view name) {
    const auto value = tag.attribute(name);
    return value ? parseColour(*value) : std::nullopt;
}

int headingLevel(std::string_view name) {
    if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6')
        return name[1] - '0';
    return 0;
}

class Builder {
  public:
    Builder() { stack_.push_back(&document_.root); }

    Document finish() { return std::move(document_); }

    void text(std::string_view raw) {
        std::string out;
        out.reserve(raw.size());
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const char c = raw[i];
            if (c == '&' && raw.size() - i >= 6 && lower(raw.substr(i, 6)) == "&nbsp;") {
                out += "\xC2\xA0";
                i += 5;
            } else if (c == '\r' || c == '\n' || c == '\t') {
                // Line breaks come only from tags; a CR LF pair is one space.
                if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
                    ++i;
                out += ' ';
            } else {
                out += c;
            }
        }
        if (out.empty())
            return;
        const NodeType at = top().type;
        if ((at == NodeType::Table || at == NodeType::Row) &&
            std::all_of(out.begin(), out.end(), [](char c) { return c == ' '; }))
            return;  // layout whitespace between table tags
        ensureFlow();
        auto& children = top().children;
        if (!children.empty() && children.back().type == NodeType::Text) {
            children.back().text += out;
            return;
        }
        Node node;
        node.type = NodeType::Text;
        node.text = std::move(out);
        children.push_back(std::move(node));
    }

    void tag(const Tag& tag) {
        if (tag.closing)
            close(tag.name);
        else
            open(tag);
    }

  private:
    Node& top() { return *stack_.back(); }

    void append(Node node) { top().children.push_back(std::move(node)); }

    // Returns false when the nesting limit refuses the element; its content then goes on in
    // the enclosing element.
    bool push(Node node) {
        const bool tablePart = node.type == NodeType::Row || node.type == NodeType::Cell;
        if (!tablePart && stack_.size() >= static_cast<std::size_t>(kMaxNesting))
            return false;
        top().children.push_back(std::move(node));
        stack_.push_back(&top().children.back());
        return true;
    }

    // Content found directly inside a table or row goes into a cell of its own, so nothing
    // typed between table tags is lost.
    void ensureFlow() {
        if (top().type == NodeType::Table) {
            Node row;
            row.type = NodeType::Row;
            row.tag = "tr";
            row.implicit = true;
            push(std::move(row));
        }
        if (top().type == NodeType::Row) {
            Node cell;
            cell.type = NodeType::Cell;
            cell.tag = "td";
            cell.implicit = true;
            push(std::move(cell));
        }
    }

    // Index in the stack of the nearest element of that type above any `stop` element.
    std::optional<std::size_t> find(NodeType type, std::initializer_list<NodeType> stop) const {
        for (std::size_t k = stack_.size(); k-- > 1;) {
            if (stack_[k]->type == type)
                return k;
            if (std::find(stop.begin(), stop.end(), stack_[k]->type) != stop.end())
                break;
        }
        return std::nullopt;
    }

    void open(const Tag& tag) {
        const std::string& name = tag.name;
        Node node;
        node.tag = name;
        if (name == "br") {
            ensureFlow();
            node.type = NodeType::LineBreak;
            append(std::move(node));
        } else if (name == "hr") {
            ensureFlow();
            node.type = NodeType::Rule;
            node.colour = readColour(tag, "color");
            append(std::move(node));
        } else if (name == "icon") {
            ensureFlow();
            node.type = NodeType::Icon;
            node.resource = readInteger(tag.attribute("idres"));
            node.width = readLength(tag.attribute("width"), kMaxIconSize).value_or(0);
            node.height = readLength(tag.attribute("height"), kMaxIconSize).value_or(0);
            append(std::move(node));
        } else if (const int level = headingLevel(name); level > 0) {
            ensureFlow();
            node.type = NodeType::Heading;
            node.level = level;
            node.centred = valueIs(tag.attribute("align"), "center");
            push(std::move(node));
        } else if (name == "font") {
            ensureFlow();
            node.type = NodeType::Font;
            node.colour = readColour(tag, "color");
            push(std::move(node));
        } else if (name == "b" || name == "strong" || name == "i") {
            ensureFlow();
            node.type = name == "i" ? NodeType::Italic : NodeType::Bold;
            push(std::move(node));
        } else if (name == "center" || name == "div") {
            ensureFlow();
            node.type = NodeType::Block;
            node.centred = name == "center" || valueIs(tag.attribute("align"), "center");
            push(std::move(node));
        } else if (name == "table") {
            ensureFlow();
            node.type = NodeType::Table;
            auto& t = node.table;
            t.width = readLength(tag.attribute("width"), kMaxLength).value_or(0);
            t.centred = valueIs(tag.attribute("align"), "center");
            t.cellSpacing = readLength(tag.attribute("cellspacing"), 64).value_or(t.cellSpacing);
            t.cellPadding = readLength(tag.attribute("cellpadding"), 64).value_or(t.cellPadding);
            t.border = readLength(tag.attribute("border"), 16).value_or(0);
            t.background = readColour(tag, "bgcolor");
            push(std::move(node));
        } else if (name == "tr") {
            const auto table = find(NodeType::Table, {});
            if (!table)
                return;
            stack_.resize(*table + 1);
            node.type = NodeType::Row;
            node.row.height = readLength(tag.attribute("height"), kMaxLength).value_or(0);
            node.row.background = readColour(tag, "bgcolor");
            push(std::move(node));
        } else if (name == "td") {
            std::optional<std::size_t> row = find(NodeType::Row, {NodeType::Table});
            if (!row) {
                const auto table = find(NodeType::Table, {});
                if (!table)
                    return;
                stack_.resize(*table + 1);
                Node implicitRow;
                implicitRow.type = NodeType::Row;
                implicitRow.tag = "tr";
                implicitRow.implicit = true;
                push(std::move(implicitRow));
                row = stack_.size() - 1;
            }
            stack_.resize(*row + 1);
            node.type = NodeType::Cell;
            auto& c = node.cell;
            c.width = readLength(tag.attribute("width"), kMaxLength).value_or(0);
            c.colspan = std::max(1, readLength(tag.attribute("colspan"), kMaxColspan).value_or(1));
            c.centred = valueIs(tag.attribute("align"), "middle") ||
                        valueIs(tag.attribute("align"), "center");
            const auto valign = tag.attribute("valign");
            c.verticallyCentred = valueIs(valign, "vcenter") || valueIs(valign, "middle") ||
                                  valueIs(valign, "center");
            c.background = readColour(tag, "bgcolor");
            push(std::move(node));
        }
        // Anything else (tbody included) is structure without a look of its own or unknown:
        // the tag goes, its content stays.
    }

    void close(const std::string& name) {
        std::optional<std::size_t> at;
        if (name == "table") {
            at = find(NodeType::Table, {});
        } else if (name == "tr") {
            at = find(NodeType::Row, {NodeType::Table});
        } else if (name == "td") {
            at = find(NodeType::Cell, {NodeType::Table});
        } else {
            // Inline and block elements end inside the cell they began in.
            for (std::size_t k = stack_.size(); k-- > 1;) {
                const Node& node = *stack_[k];
                if (node.type == NodeType::Cell || node.type == NodeType::Table ||
                    node.type == NodeType::Row)
                    break;
                if (node.tag == name) {
                    at = k;
                    break;
                }
            }
        }
        if (at)
            stack_.resize(*at);
    }

    Document document_;
    std::vector<Node*> stack_;
};

void appendPlain(const Node& node, std::string& out) {
    switch (node.type) {
        case NodeType::Text:
            out += node.text;
            return;
        case NodeType::LineBreak:
        case NodeType::Rule:
            out += '\n';
            return;
        default:
            break;
    }
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        if (i > 0 && node.type == NodeType::Row)
            out += '\t';
        if (i > 0 && node.type == NodeType::Table)
            out += '\n';
        appendPlain(node.children[i], out);
    }
}

}  // namespace

Document parseMarkup(std::string_view markup) {
    Builder builder;
    std::size_t pos = 0;
    std::size_t textStart = 0;
    while (pos < markup.size()) {
        const std::size_t lt = markup.find('<', pos);
        if (lt == std::string_view::npos)
            break;
        const auto tag = readTag(markup, lt);
        if (!tag) {
            pos = lt + 1;  // a '<' that starts no tag is text
            continue;
        }
        builder.text(markup.substr(textStart, lt - textStart));
        builder.tag(*tag);
        pos = textStart = tag->end;
    }
    builder.text(markup.substr(textStart));
    return builder.finish();
}

std::string plainText(const Node& node) {
    std::string out;
    appendPlain(node, out);
    return out;
}

}  // namespace kalvix::tooltip
