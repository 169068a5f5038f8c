#include "common/profile_file.h"

#include <gtest/gtest.h>

namespace common {
namespace {

TEST(ProfileFile, ReadsLikeTheProfileFunctions) {
    ProfileFile ini;
    ini.parse(
        "; comment\r\n[Server]\r\n  UpdateHost = host.example  \r\nPort=\"8080\"\r\n"
        "Neg=-3\r\nText=12abc\r\nEmpty=\r\n[server]\r\nUpdateHost=second\r\n[Other]\r\nx=1");
    EXPECT_EQ(ini.getString("server", "updatehost", "d"), "host.example");
    EXPECT_EQ(ini.getString("Server", "Missing", "d"), "d");
    EXPECT_EQ(ini.getString("Nowhere", "UpdateHost", "d"), "d");
    EXPECT_EQ(ini.getString("Server", "Port", "d"), "8080");
    EXPECT_EQ(ini.getInt("Server", "Port", 1), 8080);
    EXPECT_EQ(ini.getInt("Server", "Neg", 1), 0);
    EXPECT_EQ(ini.getInt("Server", "Text", 1), 12);
    EXPECT_EQ(ini.getInt("Server", "Empty", 1), 0);
    EXPECT_EQ(ini.getInt("Server", "Missing", 7), 7);
    EXPECT_EQ(ini.getInt("Other", "x", 0), 1);
}

TEST(ProfileFile, WritesInPlaceOrAppends) {
    ProfileFile ini;
    ini.parse("; keep\n[A]\nk=1\n\n; end of A\n[B]\nz=2\n");
    ini.setString("a", "K", "9");
    ini.setString("A", "new", "x");
    ini.setInt("C", "n", -5);
    EXPECT_EQ(ini.text(), "; keep\n[A]\nk=9\nnew=x\n\n; end of A\n[B]\nz=2\n[C]\nn=-5\n");
}

// Reading takes blanks and one pair of quotes off a value; what is set must still read back as
// it was set (an update list's title in quotes, a path that ends in a blank, a value cut to
// its length that happens to end in a quote).
TEST(ProfileFile, SetValuesReadBackAsSet) {
    const char* values[] = {"plain", "'Kalvix'", "\"quoted\"", "  blanks  ", "\tt", "''",
                            "'",     "\"",       "'a\"",       "\"\"x\"\"",  "a b", ""};
    for (const char* v : values) {
        ProfileFile ini;
        ini.parse("[Version]\nTitle=old\n");
        ini.setString("Version", "Title", v);
        ini.setString("Version", "New", v);
        ProfileFile reread;
        reread.parse(ini.text());
        EXPECT_EQ(reread.value("Version", "Title"), v) << ini.text();
        EXPECT_EQ(reread.value("Version", "New"), v) << ini.text();
    }
    ProfileFile ini;
    ini.setString("Version", "Title", "plain text");
    EXPECT_EQ(ini.text(), "[Version]\nTitle=plain text\n");  // only odd values get quotes
}

}  // namespace
}  // namespace common
