#pragma once
// The two text rules of the INI-style files (upvarro.ini, xyq.ini) and of SQL names: blanks
// around a value do not count, and names compare without regard to ASCII case.

#include <string>
#include <string_view>

namespace common {

// Without leading blanks and tabs and without trailing blanks, tabs and a CR.
std::string_view trimBlanks(std::string_view s);

// Equal when only the case of ASCII letters differs (GBK's multi-byte characters compare as
// they are).
bool equalsNoCase(std::string_view a, std::string_view b);

// The text with its ASCII capitals in lower case; every other byte (GBK's included) as it is.
std::string asciiLower(std::string_view s);

}  // namespace common
