#pragma once
// The PinYin search key of a question: the initial letter of each Chinese character's
// most common pinyin reading, upper case, with ASCII letters (upper-cased) and digits kept and
// everything else left out.

#include <string>
#include <string_view>

namespace kalvix {

std::string pinyinInitials(std::string_view utf8);

}  // namespace kalvix
