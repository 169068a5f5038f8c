// The installation folder as a hostile list or a damaged folder leaves it: checksums checked
// where the bytes land, FIFOs and linked folders, set-user-id bits, planted links and
// leftovers of broken-off replacements.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include "common/gbk.h"
#include "update_fixture.h"
#include "upvarro/core/installer.h"
#include "upvarro/core/list_files.h"
#include "upvarro/core/platform/files.h"

namespace upvarro {
namespace {

using InstallSafetyTest = test::UpdateFixture;

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

ino_t inode(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

mode_t mode(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

TEST_F(InstallSafetyTest, UpperCaseChecksumsNameTheSameFiles) {
    const std::string content = "content";
    server.put("/files/a.txt", content);
    server.put("/list/changelog.txt", "c");
    server.put("/list/soft_update.xml", "<files><file name=\"a.txt\" checksum=\"" +
                                            upper(test::md5(content)) + "\" DownUrl=\"" +
                                            server.url() + "\" size=\"7\"/></files>");
    ASSERT_EQ(run(), ListOutcome::Ready);
    ASSERT_TRUE(downloadQuickly());
    ASSERT_TRUE(checkDownloadedSizes(*session));
    runInstallStep(*session);
    EXPECT_EQ(test::readFile(install.root() + "/a.txt"), content);
    ASSERT_TRUE(finishUpdate(*session));
    session->runLock.release();
    session.reset();
    server.resetHits();
    ASSERT_EQ(run(), ListOutcome::Ready);
    EXPECT_EQ(session->status(), kNothingToUpdate) << "the next run finds it installed";
    EXPECT_EQ(server.hits("/files/a.txt"), 0);
}

TEST_F(InstallSafetyTest, BytesAreCheckedWhereTheyLand) {
    publish({{"good.bin", std::string(100000, 'g')}, {"bad.bin", "original"}});
    test::writeFile(install.root() + "/bad.bin", "installed");
    ASSERT_EQ(run(), ListOutcome::Ready);
    ASSERT_TRUE(downloadQuickly());
    ASSERT_TRUE(checkDownloadedSizes(*session));
    // Changed in the temporary folder after the download, to the same size.
    test::writeFile(install.temp() + "/bad.bin", "tampered");
    const ino_t downloaded = inode(install.temp() + "/good.bin");
    runInstallStep(*session);
    EXPECT_EQ(inode(install.root() + "/good.bin"), downloaded)
        << "one file system: renamed into place, not written again";
    EXPECT_FALSE(platform::fileExists(install.temp() + "/good.bin"));
    EXPECT_EQ(mode(install.root() + "/good.bin"), 0644u) << "a new file is readable by all";
    EXPECT_EQ(test::readFile(install.root() + "/bad.bin"), "installed");
    EXPECT_EQ(entry("bad.bin").resultFlags, kResultCopyFailed);
    EXPECT_NE(common::gbkToUtf8(test::readFile(install.module() + "/update.log"))
                  .find("拷贝 bad.bin 失败：文件校验和与列表不一致"),
              std::string::npos);

    // Across file systems the file is copied, with the same check on the bytes copied.
    if (::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second file system";
    char pattern[] = "/dev/shm/upvarro-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string other = pattern;
    test::writeFile(other + "/f", "elsewhere");
    EXPECT_EQ(platform::installFile(other + "/f", install.root() + "/f", test::md5("other")),
              platform::InstallResult::WrongChecksum);
    EXPECT_FALSE(platform::fileExists(install.root() + "/f"));
    EXPECT_FALSE(platform::fileExists(install.root() + "/f.upvarro-new"));
    EXPECT_EQ(platform::installFile(other + "/f", install.root() + "/f", test::md5("elsewhere")),
              platform::InstallResult::Installed);
    EXPECT_EQ(test::readFile(install.root() + "/f"), "elsewhere");
    EXPECT_TRUE(platform::fileExists(other + "/f")) << "a copy leaves the source";
    std::filesystem::remove_all(other);
}

TEST_F(InstallSafetyTest, TargetsThatAreNotPlainFiles) {
    test::TempDir elsewhere;
    const std::string outside = elsewhere.path() + "/outside.txt";
    test::writeFile(outside, "not yours");
    publish({{"pipe.dat", "p"}, {"suid.bin", "s"}, {"linked.txt", "l"}, {"plain.txt", "t"}});
    ASSERT_EQ(::mkfifo((install.root() + "/pipe.dat").c_str(), 0644), 0);
    test::writeFile(install.root() + "/suid.bin", "old");
    ::chmod((install.root() + "/suid.bin").c_str(), 04755);
    // A link where a file is expected is replaced, never written through.
    std::filesystem::create_symlink(outside, install.root() + "/linked.txt");

    // A FIFO must neither block the first run's checksums nor the lock check. Should either
    // open it, opening its other end sets the test free.
    std::atomic<bool> finished{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 500 && !finished; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!finished) {
            ADD_FAILURE() << "blocked on the FIFO";
            int fd = ::open((install.root() + "/pipe.dat").c_str(), O_RDWR | O_NONBLOCK);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            ::close(fd);
        }
    });
    ASSERT_EQ(run(), ListOutcome::Ready);
    downloadQuickly();
    runInstallStep(*session);
    finished = true;
    watchdog.join();

    EXPECT_TRUE(entry("pipe.dat").has(kActionLocked));
    EXPECT_EQ(entry("pipe.dat").resultFlags, kResultCopyFailed) << "a FIFO is not replaced";
    EXPECT_EQ(mode(install.root() + "/suid.bin"), 0755u) << "no set-user-id bit survives";
    EXPECT_EQ(test::readFile(install.root() + "/suid.bin"), "s");
    EXPECT_EQ(test::readFile(outside), "not yours");
    EXPECT_EQ(test::readFile(install.root() + "/linked.txt"), "l");
    EXPECT_FALSE(std::filesystem::is_symlink(install.root() + "/linked.txt"));
    EXPECT_EQ(test::readFile(install.root() + "/plain.txt"), "t");

    // Nor is a link planted where a copy writes its new file.
    std::filesystem::create_symlink(outside, install.root() + "/copy.txt.upvarro-new");
    test::writeFile(install.temp() + "/copy.txt", "copied");
    EXPECT_TRUE(platform::replaceFile(install.temp() + "/copy.txt", install.root() + "/copy.txt"));
    EXPECT_EQ(test::readFile(install.root() + "/copy.txt"), "copied");
    EXPECT_EQ(test::readFile(outside), "not yours");
}

TEST_F(InstallSafetyTest, LinkedFoldersLeadingOutAreRefusedLikeClimbing) {
    test::TempDir elsewhere;
    std::filesystem::create_directories(install.root() + "/real");
    std::filesystem::create_directories(install.temp());
    std::filesystem::create_symlink(elsewhere.path(), install.root() + "/out");
    std::filesystem::create_symlink(elsewhere.path(), install.temp() + "/tout");
    std::filesystem::create_symlink(install.root() + "/real", install.root() + "/alias");
    struct Case {
        const char* name;
        bool accepted;
    } cases[] = {
        {"out/x.txt", false},  {"out\\sub\\x.txt", false},
        {"tout/x.txt", false},  // through the temporary folder
        {"alias/x.txt", true},  // a link that stays inside
        {"real/x.txt", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        publish({{c.name, "x"}});
        server.put("/files/" + std::string(c.name), "x");
        std::filesystem::remove(install.module() + "/update.log");
        ListOutcome outcome = run();
        EXPECT_EQ(outcome, c.accepted ? ListOutcome::Ready : ListOutcome::Invalid);
        if (!c.accepted) {
            EXPECT_EQ(session->status(), kListInvalid);
            EXPECT_NE(common::gbkToUtf8(test::readFile(install.module() + "/update.log"))
                          .find("经过链接的目录通往安装目录之外"),
                      std::string::npos);
        }
        session.reset();
    }
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));

    // A link made between the list step and the install step is caught there.
    publish({{"later/x.txt", "x"}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    ASSERT_TRUE(downloadQuickly());
    std::filesystem::create_symlink(elsewhere.path(), install.root() + "/later");
    runInstallStep(*session);
    EXPECT_EQ(entry("later/x.txt").resultFlags, kResultCopyFailed);
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
}

TEST_F(InstallSafetyTest, LeftoversAreRemovedAtTheNextStart) {
    const std::vector<std::string> leftovers = {
        install.root() + "/a.txt.upvarro-new", install.root() + "/sub/b.so.upvarro-new",
        install.module() + "/localList.dat.Ab12Cd", install.module() + "/upvarro.ini.xYz789"};
    for (const std::string& path : leftovers)
        test::writeFile(path, "half");
    const std::string kept = install.root() + "/notes.upvarro-new.txt";
    test::writeFile(kept, "mine");
    UpdateSession s(Folders::fromExecutable(install.self()), install.self());
    ASSERT_EQ(startUp(s, parseCommandLine(""), 0), StartupOutcome::Continue);
    for (const std::string& path : leftovers)
        EXPECT_FALSE(std::filesystem::exists(path)) << path;
    EXPECT_EQ(test::readFile(kept), "mine");
}

TEST(InstallLines, LongNamesAreCutBetweenCharacters) {
    std::string name;
    for (int i = 0; i < 200; ++i)
        name += "梦";
    for (Event e : {Event::Copied, Event::Deleted, Event::Registered, Event::Ran}) {
        std::string text = installEventText(e, name);
        EXPECT_TRUE(common::utf8ToGbkStrict(text).has_value()) << "whole characters only";
        EXPECT_LE(common::gbkLength(text), kLineLimit);
        EXPECT_GE(common::gbkLength(text), kLineLimit - 1);
    }
    EXPECT_EQ(installEventText(Event::Copied, "a.txt"), "正在拷贝文件--a.txt");
}

}  // namespace
}  // namespace upvarro
