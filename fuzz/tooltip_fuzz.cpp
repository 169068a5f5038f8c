// Any bytes as tooltip markup: the parser must end, keep its tree shallow and never crash;
// and any text as a colour value: only a name or '#' with six hex digits is one.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "kalvix/core/tooltip/markup_colour.h"
#include "kalvix/core/tooltip/markup_parser.h"

namespace {

int depth(const kalvix::tooltip::Node& node) {
    int deepest = 0;
    for (const auto& child : node.children) {
        const int d = depth(child);
        if (d > deepest)
            deepest = d;
    }
    return deepest + 1;
}

void checkColour(std::string_view text) {
    const auto colour = kalvix::tooltip::parseColour(text);
    if (!colour || text.empty() || text[0] != '#')
        return;
    if (text.size() != 7)
        std::abort();
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour->red, colour->green, colour->blue);
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'F')
            c = static_cast<char>(c - 'A' + 'a');
    if (lower != hex)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view markup(reinterpret_cast<const char*>(data), size);
    const kalvix::tooltip::Document document = kalvix::tooltip::parseMarkup(markup);
    if (depth(document.root) > kalvix::tooltip::kMaxNesting + 4)
        std::abort();
    (void)kalvix::tooltip::plainText(document.root);
    checkColour(markup.substr(0, 16));
    checkColour(markup.substr(markup.size() > 7 ? markup.size() - 7 : 0));
    return 0;
}
