#pragma once
// The framework's field-exchange messages, without widgets: what a refused field shows. Pages
// declare their fields to kalvix::FieldExchange (kalvix/core/page/field_exchange.h), which
// reads them; widgets show the message in a box and give the refused field the focus.

#include <cstdint>
#include <string>

#include "common/number_text.h"

namespace common {

inline constexpr const char* kNotAnInteger = "请输入一个整数。";
inline constexpr const char* kNotANumber = "请输入一个数字。";

// "请输入一个 %1 至 %2 之间的整数。" filled with the bounds.
std::string rangeMessage(std::int64_t min, std::int64_t max);

struct FieldFailure {
    std::string field;  // the caption of the refused field
    std::string text;   // the message shown
};

}  // namespace common
