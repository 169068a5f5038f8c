#pragma once
// Turns tooltip markup into its document tree. Never fails: whatever cannot be read as a tag
// is shown as text, unknown tags are dropped and their content kept, unclosed elements end
// with the text.

#include <string_view>

#include "kalvix/core/tooltip/markup_document.h"

namespace kalvix::tooltip {

Document parseMarkup(std::string_view markup);

// All text of a document in order, with line breaks as '\n' (for tests and plain views).
std::string plainText(const Node& node);

}  // namespace kalvix::tooltip
