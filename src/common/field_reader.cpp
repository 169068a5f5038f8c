#include "common/field_reader.h"

namespace common {

std::string rangeMessage(std::int64_t min, std::int64_t max) {
    return "请输入一个 " + std::to_string(min) + " 至 " + std::to_string(max) + " 之间的整数。";
}

}  // namespace common
