#include "kalvix/core/tooltip/style_sheet.h"

#include <charconv>

#include "common/ascii_text.h"

namespace kalvix::tooltip {
namespace {

std::string_view trim(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && space(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    return common::asciiLower(s);
}

std::optional<double> leadingNumber(std::string_view s, std::string_view& rest) {
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end == s.data())
        return std::nullopt;
    rest = s.substr(static_cast<std::size_t>(end - s.data()));
    return value;
}

void applyProperty(StyleRule& rule, std::string_view name, std::string_view value) {
    const std::string key = lower(name);
    if (key == "font-size") {
        std::string_view unit;
        const auto number = leadingNumber(value, unit);
        if (!number || *number <= 0)
            return;
        unit = trim(unit);
        if (unit == "pt")
            rule.sizePoints = *number;
        else if (unit == "%")
            rule.sizePercent = *number;
    } else if (key == "color") {
        rule.colour = parseColour(value);
    } else if (key == "font-family") {
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        rule.family = std::string(value);
    } else if (key == "font-weight") {
        const std::string v = lower(value);
        if (v == "bold")
            rule.bold = true;
        if (v == "normal")
            rule.bold = false;
    } else if (key == "font-style") {
        const std::string v = lower(value);
        if (v == "italic")
            rule.italic = true;
        if (v == "normal")
            rule.italic = false;
    }
}

}  // namespace

StyleSheet StyleSheet::parse(std::string_view text) {
    StyleSheet sheet;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('{', pos);
        if (open == std::string_view::npos)
            break;
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos)
            break;
        const std::string selector = lower(trim(text.substr(pos, open - pos)));
        StyleRule rule;
        std::string_view body = text.substr(open + 1, close - open - 1);
        while (!body.empty()) {
            const std::size_t semicolon = body.find(';');
            const std::string_view item = body.substr(0, semicolon);
            const std::size_t colon = item.find(':');
            if (colon != std::string_view::npos)
                applyProperty(rule, trim(item.substr(0, colon)), trim(item.substr(colon + 1)));
            if (semicolon == std::string_view::npos)
                break;
            body.remove_prefix(semicolon + 1);
        }
        if (!selector.empty())
            sheet.rules_[selector] = rule;
        pos = close + 1;
    }
    return sheet;
}

const StyleRule* StyleSheet::rule(std::string_view selector) const {
    const auto it = rules_.find(selector);
    return it == rules_.end() ? nullptr : &it->second;
}

const std::string& defaultStyleSheetText() {
    static const std::string text =
        "body {font-size: 10pt; color:black; font-family:Verdana}\r\n"
        "p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        "h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        "h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
        "h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\r\n"
        "h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
        "h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
        "h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\r\n"
        "pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\r\n"
        "code {color:#990000; font-family:Arial}\r\n"
        "a:hover {text-decoration:underline; color:blue}\r\n"
        "sub {font-size:65%; vertical-align:bottom}\r\n"
        "sup {font-size:65%; vertical-align:top}\r\n"
        "big {font-size:125%}\r\n"
        "small {font-size:75%}\r\n"
        ".cpp-comment {color:green; font-style:italic}\r\n";
    return text;
}

const StyleSheet& defaultStyleSheet() {
    static const StyleSheet sheet = StyleSheet::parse(defaultStyleSheetText());
    return sheet;
}

}  // namespace kalvix::tooltip
