#pragma once
// The framework's field exchange, without widgets: pages read the texts of their fields in
// order; the first field that is refused records its message and stops the reading, so the
// members of later fields keep their values. Widgets show the message in a box and give the
// refused field the focus.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

class FieldReader {
  public:
    // Each read returns false and changes nothing once an earlier field was refused.
    bool readInt(std::string_view field, std::string_view text, std::int32_t& member);
    bool readInt64(std::string_view field, std::string_view text, std::int64_t& member);
    // Integer then range check: a value outside [min, max] is stored (as typed) and then
    // refused with the range message.
    bool readIntRange(std::string_view field, std::string_view text, std::int32_t& member,
                      std::int32_t min, std::int32_t max);
    bool readDouble(std::string_view field, std::string_view text, double& member);
    bool readFloat(std::string_view field, std::string_view text, float& member);

    bool failed() const { return failure_.has_value(); }
    const std::optional<FieldFailure>& failure() const { return failure_; }

  private:
    bool refuse(std::string_view field, std::string text);
    std::optional<FieldFailure> failure_;
};

}  // namespace common
