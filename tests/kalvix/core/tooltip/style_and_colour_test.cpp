// Colour values and the default style sheet of the tips.

#include <gtest/gtest.h>

#include "kalvix/core/tooltip/markup_colour.h"
#include "kalvix/core/tooltip/style_sheet.h"

using namespace kalvix::tooltip;

namespace {

TEST(MarkupColour, NamesAndHexValues) {
    struct Case {
        const char* text;
        std::optional<Colour> expected;
    };
    const Case cases[] = {
        {"blue", Colour{0, 0, 255}},
        {"green", Colour{0, 128, 0}},
        {"red", Colour{255, 0, 0}},
        {"orange", Colour{255, 165, 0}},
        {"purple", Colour{128, 0, 128}},
        {"aqua", Colour{0, 255, 255}},
        {"Blue", Colour{0, 0, 255}},
        {"YELLOWGREEN", Colour{154, 205, 50}},
        {"aliceblue", Colour{240, 248, 255}},
        {"#FF00FF", Colour{255, 0, 255}},
        {"#0000ff", Colour{0, 0, 255}},
        {"#ffcc33", Colour{255, 204, 51}},
        {"#99ccff", Colour{153, 204, 255}},
        {"#ffffff", Colour{255, 255, 255}},
        {"", std::nullopt},
        {"#fff", std::nullopt},
        {"#ffccgg", std::nullopt},
        {"ffcc33", std::nullopt},
        {"#ffcc333", std::nullopt},
        {"bluish", std::nullopt},
        {"blu", std::nullopt},
        {"zzzzzzzzzzzzzzzzzzzzzzzzzzz", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseColour(c.text), c.expected) << c.text;
}

TEST(StyleSheet, DefaultSheetIsOneTextOfCrLfLines) {
    const std::string& text = defaultStyleSheetText();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find("body {font-size: 10pt; color:black; font-family:Verdana}\r\n"), 0u);
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2)
        ++lines;
    EXPECT_EQ(lines, 16u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);  // no bare line feeds
}

TEST(StyleSheet, HeadingRules) {
    const StyleSheet& sheet = defaultStyleSheet();
    struct Case {
        const char* selector;
        double points;
        Colour colour;
        const char* family;
    };
    const Case cases[] = {
        {"body", 10, {0, 0, 0}, "Verdana"},   {"h1", 14, {0, 0, 0}, "Verdana"},
        {"h2", 13, {255, 153, 0}, "Verdana"}, {"h3", 12, {255, 153, 0}, "Arial"},
        {"h4", 10, {0, 0, 0}, "Verdana"},     {"h5", 9, {255, 153, 0}, "Verdana"},
    };
    for (const auto& c : cases) {
        const StyleRule* rule = sheet.rule(c.selector);
        ASSERT_NE(rule, nullptr) << c.selector;
        EXPECT_EQ(rule->sizePoints, c.points) << c.selector;
        EXPECT_EQ(rule->colour, c.colour) << c.selector;
        EXPECT_EQ(rule->family, c.family) << c.selector;
        EXPECT_EQ(rule->bold,
                  std::string(c.selector) != "body" ? std::optional(true) : std::nullopt)
            << c.selector;
    }
    const StyleRule* h6 = sheet.rule("h6");
    ASSERT_NE(h6, nullptr);
    EXPECT_EQ(h6->sizePercent, 65);
    EXPECT_EQ(h6->bold, false);
    EXPECT_EQ(sheet.rule("pre")->family, "Courier");
    EXPECT_EQ(sheet.rule(".cpp-comment")->italic, true);
    EXPECT_EQ(sheet.rule("h7"), nullptr);
}

TEST(StyleSheet, SkipsWhatItCannotRead) {
    const StyleSheet sheet =
        StyleSheet::parse("a {color: nope; font-size: big} b {font-size:12px; color:red;;} c {");
    ASSERT_NE(sheet.rule("a"), nullptr);
    EXPECT_FALSE(sheet.rule("a")->colour);
    EXPECT_FALSE(sheet.rule("a")->sizePoints);
    EXPECT_FALSE(sheet.rule("b")->sizePoints);
    EXPECT_EQ(sheet.rule("b")->colour, (Colour{255, 0, 0}));
    EXPECT_EQ(sheet.rule("c"), nullptr);
}

}  // namespace
