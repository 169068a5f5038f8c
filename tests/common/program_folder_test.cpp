#include "common/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

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

namespace {

namespace fs = std::filesystem;

void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

// A user's own data file wins over the installed one, in either kind of installation; a
// folder or a relative XDG_DATA_HOME is not the user's file.
TEST(ProgramFolder, DataFilesComeFromTheUserFirstThenTheInstallation) {
    const fs::path root = fs::temp_directory_path() / ("kalvix-data-" + std::to_string(getpid()));
    fs::remove_all(root);
    const std::string portable = (root / "portable").string();
    const std::string bin = (root / "usr" / "bin").string();
    const std::string share = (root / "usr" / "share" / "kalvix").string();
    const std::string user = (root / "user").string();
    const std::string home = (root / "home").string();
    touch(root / "portable" / "xyq.ini");
    touch(root / "usr" / "share" / "kalvix" / "xyq.ini");
    fs::create_directories(bin);
    touch(root / "user" / "kalvix" / "Conversion.dat");
    fs::create_directories(root / "user" / "kalvix" / "xyq.ini");  // not a file
    touch(root / "home" / ".local" / "share" / "kalvix" / "xyq.ini");
    struct Case {
        const char* name;
        std::string file, folder;
        const char* xdg;
        std::string expected;
    } cases[] = {
        {"portable", "xyq.ini", portable, nullptr, portable + "/xyq.ini"},
        {"system", "xyq.ini", bin, nullptr, share + "/xyq.ini"},
        {"userFile", "Conversion.dat", bin, user.c_str(), user + "/kalvix/Conversion.dat"},
        {"userFolderIsNoFile", "xyq.ini", portable, user.c_str(), portable + "/xyq.ini"},
        {"homeWhenXdgIsRelative", "xyq.ini", bin, "relative",
         home + "/.local/share/kalvix/xyq.ini"},
        {"missingEverywhere", "none.dat", portable, user.c_str(), portable + "/none.dat"},
        {"missingInSystem", "none.dat", bin, nullptr, share + "/none.dat"},
    };
    for (const Case& c : cases) {
        auto env = [&](const char* variable) -> const char* {
            if (std::string(variable) == "XDG_DATA_HOME")
                return c.xdg;
            if (std::string(variable) == "HOME")
                return c.xdg ? home.c_str() : nullptr;
            return nullptr;
        };
        EXPECT_EQ(common::dataFilePath(c.file, c.folder, env), c.expected) << c.name;
    }
    fs::remove_all(root);
}

}  // namespace
