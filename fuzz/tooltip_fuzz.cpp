// Any bytes as tooltip markup: the parser must end, keep its tree shallow and never crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view markup(reinterpret_cast<const char*>(data), size);
    const kalvix::tooltip::Document document = kalvix::tooltip::parseMarkup(markup);
    if (depth(document.root) > kalvix::tooltip::kMaxNesting + 4)
        std::abort();
    (void)kalvix::tooltip::plainText(document.root);
    return 0;
}
