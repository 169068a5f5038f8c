#include "common/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    const std::string exe = common::executablePath();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.front(), '/');
    EXPECT_NE(exe.find("common_tests"), std::string::npos);
    const std::string folder = common::programFolder();
    EXPECT_EQ(folder + "/" + exe.substr(exe.rfind('/') + 1), exe);
    // Not the current directory.
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    ASSERT_EQ(chdir("/"), 0);
    EXPECT_EQ(common::programFolder(), folder);
    ASSERT_EQ(chdir(cwd), 0);
}

}  // namespace
