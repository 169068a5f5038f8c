#include "common/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf8, TellsWellFormedTextFromOtherBytes) {
    struct Case {
        std::string bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"", true},
        {"plain ascii\r\n", true},
        {"更新说明：修正", true},
        {"\xF0\x9F\x98\x80", true},                   // beyond the basic plane
        {"\xB8\xFC\xD0\xC2\xCB\xB5\xC3\xF7", false},  // 更新说明 in GBK
        {"\xC0\xAF", false},                          // overlong "/"
        {"\xE0\x80\xAF", false},                      // overlong, three bytes
        {"\xED\xA0\x80", false},                      // a surrogate
        {"\xF4\x90\x80\x80", false},                  // beyond U+10FFFF
        {"\xE6\x9B", false},                          // cut short
        {"a\x80z", false},                            // a lone continuation byte
    };
    for (const Case& c : cases)
        EXPECT_EQ(common::isUtf8(c.bytes), c.utf8) << testing::PrintToString(c.bytes);
}

TEST(Utf8, CutsBetweenCharacters) {
    const std::string text = "ab更新";  // 2 + 3 + 3 bytes
    EXPECT_EQ(common::cutUtf8(text, 8), text);
    EXPECT_EQ(common::cutUtf8(text, 7), "ab更");
    EXPECT_EQ(common::cutUtf8(text, 5), "ab更");
    EXPECT_EQ(common::cutUtf8(text, 4), "ab");
    EXPECT_EQ(common::cutUtf8(text, 0), "");
    EXPECT_EQ(common::withoutBom("\xEF\xBB\xBF说明"), "说明");
    EXPECT_EQ(common::withoutBom("说明"), "说明");
}

}  // namespace
