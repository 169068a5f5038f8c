// The markup subset read into its tree, and malformed markup read as far as it goes.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "kalvix/core/tooltip/markup_parser.h"

using namespace kalvix::tooltip;

namespace {

std::string hex(const std::optional<Colour>& c) {
    if (!c)
        return "-";
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c->red, c->green, c->blue);
    return buf;
}

// A compact picture of a tree: 'text', br, hr[colour], icon[id,w,h], name{attributes}(children).
std::string dump(const Node& node) {
    std::string out;
    switch (node.type) {
        case NodeType::Text:
            return "'" + node.text + "'";
        case NodeType::LineBreak:
            return "br";
        case NodeType::Rule:
            return "hr[" + hex(node.colour) + "]";
        case NodeType::Icon:
            return "icon[" + (node.resource ? std::to_string(*node.resource) : "-") + "," +
                   std::to_string(node.width) + "," + std::to_string(node.height) + "]";
        case NodeType::Group:
            break;
        case NodeType::Heading:
            out = "h" + std::to_string(node.level) + (node.centred ? "{c}" : "");
            break;
        case NodeType::Font:
            out = "font{" + hex(node.colour) + "}";
            break;
        case NodeType::Bold:
            out = "b";
            break;
        case NodeType::Italic:
            out = "i";
            break;
        case NodeType::Block:
            out = node.centred ? "block{c}" : "block";
            break;
        case NodeType::Table: {
            const auto& t = node.table;
            out = "table{w" + std::to_string(t.width) + (t.centred ? ",c" : "") + ",s" +
                  std::to_string(t.cellSpacing) + ",p" + std::to_string(t.cellPadding) + ",b" +
                  std::to_string(t.border) + "," + hex(t.background) + "}";
            break;
        }
        case NodeType::Row:
            out = std::string(node.implicit ? "tr*" : "tr") + "{h" +
                  std::to_string(node.row.height) + "," + hex(node.row.background) + "}";
            break;
        case NodeType::Cell: {
            const auto& c = node.cell;
            out = std::string(node.implicit ? "td*" : "td") + "{w" + std::to_string(c.width) +
                  ",s" + std::to_string(c.colspan) + (c.centred ? ",c" : "") +
                  (c.verticallyCentred ? ",v" : "") + "," + hex(c.background) + "}";
            break;
        }
    }
    out += "(";
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        if (i > 0)
            out += ",";
        out += dump(node.children[i]);
    }
    return out + ")";
}

std::string parse(const std::string& markup) {
    return dump(parseMarkup(markup).root);
}

struct Case {
    const char* markup;
    const char* tree;
};

class ParserCases : public ::testing::TestWithParam<Case> {};

TEST_P(ParserCases, ReadsTheTree) {
    EXPECT_EQ(parse(GetParam().markup), GetParam().tree) << GetParam().markup;
}

// The constructs the program's tips use.
INSTANTIATE_TEST_SUITE_P(
    Subset, ParserCases,
    ::testing::Values(
        Case{"<h3>武器</h3>", "(h3('武器'))"},
        Case{"等级&nbsp;&nbsp;60<br>",
             "('等级\xC2\xA0\xC2\xA0"
             "60',br)"},
        Case{"<hr color=green><HR COLOR='Blue'><hr color=#FF00FF><hr>",
             "(hr[#008000],hr[#0000ff],hr[#ff00ff],hr[-])"},
        Case{"<h4 align=center>武器</h4><h2 align=vcenter>x</h2>", "(h4{c}('武器'),h2('x'))"},
        Case{"<font color=blue>a</font>b", "(font{#0000ff}('a'),'b')"},
        Case{"<i>a</i><b>b</b><strong>c</strong>", "(i('a'),b('b'),b('c'))"},
        Case{"<center>a</center><div align=center>b</div><div>c</div>",
             "(block{c}('a'),block{c}('b'),block('c'))"},
        Case{"<icon idres=9999 width=48 height=48><icon idres=10000>",
             "(icon[9999,48,48],icon[10000,0,0])"},
        Case{"<table width=40><tr><td width=30>x</td></tr></table>",
             "(table{w40,s2,p1,b0,-}(tr{h0,-}(td{w30,s1,-}('x'))))"},
        Case{"<table cellspacing=1 cellPadding=1 width=460 align=center bgColor=#ffcc33 "
             "border=0><tr height=20 bgcolor=#99ccff class=x><td bgColor=#ffffff>a</td></tr>"
             "</table>",
             "(table{w460,c,s1,p1,b0,#ffcc33}(tr{h20,#99ccff}(td{w0,s1,#ffffff}('a'))))"},
        Case{"<table><tr><td valign=vcenter>a</td><td colspan=2 align=middle>b</td>"
             "<td align='center'>c</td></tr></table>",
             "(table{w0,s2,p1,b0,-}(tr{h0,-}(td{w0,s1,v,-}('a'),td{w0,s2,c,-}('b'),"
             "td{w0,s1,c,-}('c'))))"},
        Case{"<table cellspacing='2' align='center'><tbody><tr><td><strong>a </strong></td>"
             "</tr></tbody></table>",
             "(table{w0,c,s2,p1,b0,-}(tr{h0,-}(td{w0,s1,-}(b('a ')))))"},
        // A cell holds any markup, tables included.
        Case{"<table><tr><td><table><tr><td>in</td></tr></table>out</td></tr></table>",
             "(table{w0,s2,p1,b0,-}(tr{h0,-}(td{w0,s1,-}(table{w0,s2,p1,b0,-}(tr{h0,-}("
             "td{w0,s1,-}('in'))),'out'))))"}));

// What the parser makes of everything else.
INSTANTIATE_TEST_SUITE_P(
    Malformed, ParserCases,
    ::testing::Values(
        Case{"", "()"}, Case{"a < b > c", "('a < b > c')"}, Case{"x<", "('x<')"},
        Case{"<b", "('<b')"}, Case{"1<2 and <b>bold", "('1<2 and ',b('bold'))"},
        Case{"<<b>>", "('<',b('>'))"}, Case{"<b <i>x</i>", "('<b ',i('x'))"},
        Case{"<hr color='green>after", "('<hr color='green>after')"},
        Case{"<p>para</p><blink a=1>x</blink>", "('parax')"},
        Case{"<font face=Arial size=3>x</font>", "(font{-}('x'))"},
        Case{"<font color=nocolour>x</font><font color=#12345>y</font>",
             "(font{-}('x'),font{-}('y'))"},
        Case{"<hr color><hr color=>", "(hr[-],hr[-])"}, Case{"<td>a</td><tr>b", "('ab')"},
        Case{"</b>text</table>", "('text')"},
        Case{"<b>bold<i>both</b>plain", "(b('bold',i('both')),'plain')"},
        Case{"<icon idres=abc width=-4 height=99999><icon width=48>",
             "(icon[-,0,512],icon[-,48,0])"},
        Case{"line\r\none\ttab\nnext", "('line one tab next')"},
        Case{"&NBSP;&nbsp&amp;", "('\xC2\xA0&nbsp&amp;')"}, Case{"<br/><BR >", "(br,br)"},
        Case{"<table><tr><td>a<td>b<tr><td>c</table>d",
             "(table{w0,s2,p1,b0,-}(tr{h0,-}(td{w0,s1,-}('a'),td{w0,s1,-}('b')),"
             "tr{h0,-}(td{w0,s1,-}('c'))),'d')"},
        // Content between table tags gets a cell of its own; layout blanks do not.
        Case{"<table>\n <tr>\n <td>a</td> stray </tr>lost?</table>",
             "(table{w0,s2,p1,b0,-}(tr{h0,-}(td{w0,s1,-}('a'),td*{w0,s1,-}(' stray ')),"
             "tr*{h0,-}(td*{w0,s1,-}('lost?'))))"},
        Case{"<table><td>x</td></table>", "(table{w0,s2,p1,b0,-}(tr*{h0,-}(td{w0,s1,-}('x'))))"},
        // A closing tag does not reach out of the cell it stands in.
        Case{"<font color=red><table><tr><td>a</font>b</td></tr></table>c</font>d",
             "(font{#ff0000}(table{w0,s2,p1,b0,-}(tr{h0,-}(td{w0,s1,-}('ab'))),'c'),'d')"},
        Case{"<table width=100% cellspacing=99999><tr><td colspan=0 width=x>a",
             "(table{w0,s64,p1,b0,-}(tr{h0,-}(td{w0,s1,-}('a'))))"},
        Case{"<b a=\"1>2\" c='3'>x</b>", "(b('x'))"}));

TEST(MarkupParser, DeepNestingStopsGrowingTheTree) {
    std::string markup;
    for (int i = 0; i < 5000; ++i)
        markup += "<font color=red><table><tr><td>";
    markup += "deep";
    const Document doc = parseMarkup(markup);
    int depth = 0;
    const Node* node = &doc.root;
    while (!node->children.empty()) {
        node = &node->children.back();
        ++depth;
    }
    EXPECT_LE(depth, kMaxNesting + 2);
    EXPECT_EQ(node->text, "deep");
}

TEST(MarkupParser, KeepsEveryTextOfAnUnclosedLongTag) {
    // A quote that never closes makes the tag text; everything after it still reads.
    std::string markup = "<b x='";
    markup += std::string(3000, 'y');
    markup += "<i>z</i>";
    EXPECT_EQ(plainText(parseMarkup(markup).root), "<b x='" + std::string(3000, 'y') + "z");
}

TEST(MarkupParser, PlainTextJoinsCellsAndLines) {
    const Document doc = parseMarkup(
        "<h3>t</h3><br><table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>");
    EXPECT_EQ(plainText(doc.root), "t\na\tb\nc");
}

}  // namespace
