#pragma once
// The PinYin search key of a question: the initial letter of each Chinese character's
// pinyin, upper case, with ASCII letters (upper-cased) and digits kept and everything else
// left out.

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvix {

// The initial of a GB2312 level-1 character given by its two GBK bytes (lead << 8 | trail),
// or 0 for any other code.
char levelOneInitial(std::uint16_t gbkCode);

std::string pinyinInitials(std::string_view utf8);

}  // namespace kalvix
