#include "common/md5.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace common {
namespace {

TEST(CMD5, KnownDigestsAndPieces) {
    // RFC 1321 test suite.
    struct Case {
        const char* text;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CMD5::ofBytes(c.text), c.digest) << c.text;

    CMD5 md5;
    md5.update("mess", 4);
    md5.update("age digest", 10);
    EXPECT_EQ(md5.finish(), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(md5.finish(), "d41d8cd98f00b204e9800998ecf8427e") << "finish starts over";
}

TEST(CMD5, FilesInPieces) {
    std::string path = ::testing::TempDir() + "/md5_test.bin";
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += static_cast<char>(i * 7);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    EXPECT_EQ(CMD5::ofFile(path), CMD5::ofBytes(bytes));
    std::remove(path.c_str());
    EXPECT_FALSE(CMD5::ofFile(path).has_value());
}

}  // namespace
}  // namespace common
