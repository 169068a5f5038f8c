#include "kalvix/core/simulator/build_code.h"

#include "kalvix/core/simulator/build_file.h"

namespace kalvix {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool inAlphabet(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/';
}

}  // namespace

std::optional<std::string> extractBuildCode(std::string_view pasted) {
    while (!pasted.empty() && isBlank(pasted.front()))
        pasted.remove_prefix(1);
    while (!pasted.empty() && isBlank(pasted.back()))
        pasted.remove_suffix(1);
    if (pasted.size() != kBuildTextLength)
        return std::nullopt;
    for (char c : pasted)
        if (!inAlphabet(c))
            return std::nullopt;
    return std::string(pasted);
}

void decodeBuildCode(const std::string& code, BuildRecord& record) {
    decodeBuildText(code, record);
}

}  // namespace kalvix
