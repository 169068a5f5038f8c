#pragma once
#include <algorithm>
#include <cstddef>
#include <string>

#include "kalvix/core/catalogue/catalogue.h"

namespace content_test {

inline const kalvix::Catalogue& cat() {
    return kalvix::Catalogue::instance();
}

// The only markup in the catalogue's texts is "<br>"; a cut or misspelt tag would show as text.
inline bool onlyBreakTags(const std::string& text) {
    std::size_t tags = 0;
    for (std::size_t i = text.find("<br>"); i != std::string::npos; i = text.find("<br>", i + 4))
        ++tags;
    const auto count = [&](char c) {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
    };
    return count('<') == tags && count('>') == tags;
}

}  // namespace content_test
