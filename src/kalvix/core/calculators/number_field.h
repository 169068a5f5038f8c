#pragma once
// An edit field of a calculator page: the text it shows and the member behind it, which the
// page declares to its field exchange (PageModel::fields()).

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/number_text.h"
#include "common/truncation.h"

namespace kalvix {

struct NumberField {
    std::string text = "0";
    std::int32_t value = 0;
};

// The text's leading integer as a 32-bit value (atoi-like, clamped).
inline std::int32_t leadingInt32(std::string_view text) {
    return common::clampToInt32(common::leadingInteger(text));
}

// Fields that accept digits only refuse any other keystroke, so such a text never arrives.
inline bool isDigitsOnly(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A typed text. The member follows at once when the text holds an integer, so a reading
// stopped early by another field does not undo what was typed here.
inline void typeInto(NumberField& field, const std::string& text) {
    field.text = text;
    if (auto v = common::parseInteger(text, INT32_MIN, INT32_MAX))
        field.value = static_cast<std::int32_t>(*v);
}

// The validation of a level field typed into: a value outside [0, max] leaves the text as
// typed and sets the member to max without showing it (false); otherwise the member takes
// the value (true).
inline bool acceptLevel(NumberField& field, const std::string& text, std::int32_t max) {
    field.text = text;
    const std::int64_t v = common::leadingInteger(text);
    if (v < 0 || v > max) {
        field.value = max;
        return false;
    }
    field.value = static_cast<std::int32_t>(v);
    return true;
}

}  // namespace kalvix
