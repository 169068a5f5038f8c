#pragma once
// The renderer's style sheet: one rule per selector, each line ending in CR LF, read into
// the few properties the tips use.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "kalvix/core/tooltip/markup_colour.h"

namespace kalvix::tooltip {

struct StyleRule {
    std::optional<double> sizePoints;   // "font-size: 12pt"
    std::optional<double> sizePercent;  // "font-size: 65%", of the enclosing text's size
    std::optional<Colour> colour;
    std::string family;  // empty: inherited
    std::optional<bool> bold;
    std::optional<bool> italic;
};

class StyleSheet {
  public:
    // Reads "selector {property: value; ...}" rules; what it does not understand it skips.
    static StyleSheet parse(std::string_view text);
    // The rule of a selector (lower case, e.g. "h3"); nullptr when the sheet has none.
    const StyleRule* rule(std::string_view selector) const;

  private:
    std::map<std::string, StyleRule, std::less<>> rules_;
};

// The text of the default sheet, used for every tip.
const std::string& defaultStyleSheetText();
// That sheet, parsed once.
const StyleSheet& defaultStyleSheet();

}  // namespace kalvix::tooltip
