#pragma once
// Builds shared as text: the same 2000-character line a build file holds, copied to and pasted
// from the clipboard. A pasted text is checked whole before anything is decoded, so a text
// that is not a build code never touches the build.

#include <optional>
#include <string>
#include <string_view>

#include "kalvix/core/simulator/build_record.h"

namespace kalvix {

inline constexpr const char* kNotABuildCode = "剪贴板中的文字不是人物模拟代码！";
inline constexpr const char* kReplaceByCode = "用粘贴的代码替换当前的人物模拟？";
inline constexpr const char* kCodeCopied = "人物模拟代码已复制到剪贴板。";
inline constexpr const char* kCodePasted = "人物模拟代码已读取。";

// The code inside a pasted text: blanks and line breaks around it are dropped; what remains
// must be exactly 2000 characters of the Base64 alphabet (a whole record needs no padding).
// nullopt for anything else.
std::optional<std::string> extractBuildCode(std::string_view pasted);

// Decodes a code that extractBuildCode accepted into the whole record.
void decodeBuildCode(const std::string& code, BuildRecord& record);

}  // namespace kalvix
