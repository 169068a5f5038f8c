// What a hostile installation can no longer do to an update: make it wait on a FIFO, lead its
// reads or writes outside the installation, fill the disk half way, or have it end a program
// that is not the one it replaces.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>

#include "common/gbk.h"
#include "update_fixture.h"
#include "upvarro/core/installation_picture.h"
#include "upvarro/core/installer.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/platform/processes.h"
#include "upvarro/core/update_log.h"

namespace upvarro {
namespace {

namespace fs = std::filesystem;

// Read as the updater reads it: the log may be one of the FIFOs.
std::string logOf(const test::Installation& install) {
    return common::gbkToUtf8(
        platform::readRegularFile(install.module() + "/update.log", kLogRotateSize).bytes);
}

// A FIFO in any place the updater reads is noticed at once: the run goes on without what
// could not be read, or stops with its message, and never waits for a writer.
TEST(HostileInstallation, AFifoWhereTheUpdaterReadsIsNeverWaitedOn) {
    struct Case {
        const char* path;  // relative to the installation folder
        int status;        // of upvarro --unattended
        const char* said;  // in the log, or on stderr when the log is the FIFO
    } cases[] = {
        {"update/localList.dat", 0, "localList.dat 不是普通文件"},
        {"update/faillist.dat", 0, "faillist.dat 不是普通文件"},
        {"update/upvarro.ini", 2, "对不起，读取upvarro.ini配置文件出错！"},
        {"update/update.log", 0, "Open update.log file error"},
        {"temp/soft_update.xml", 0, ""},
        {"temp/changelog.txt", 0, ""},
        {"temp/a.txt", 0, "temp/a.txt 不是普通文件，已删除后重新下载"},
    };
    test::TestServer server;
    server.put("/files/a.txt", "new a");
    server.put("/list/changelog.txt", "changes");
    server.put("/list/soft_update.xml", "<files><file name=\"a.txt\" checksum=\"" +
                                            test::md5("new a") + "\" DownUrl=\"" + server.url() +
                                            "\" size=\"5\"/></files>");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        test::Installation install;
        install.configure(server.port(), "/list");
        test::installUpdater(install.self());
        fs::create_directories(install.temp());
        if (std::string(c.path) == "update/upvarro.ini")
            fs::remove(install.module() + "/upvarro.ini");
        ASSERT_EQ(::mkfifo((install.root() + "/" + c.path).c_str(), 0644), 0)
            << std::strerror(errno);
        const auto began = std::chrono::steady_clock::now();
        auto run = test::runProcess(install.self(), {install.self(), "--unattended"},
                                    std::chrono::seconds(10));
        ASSERT_FALSE(run.timedOut) << "waited on the FIFO";
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(10));
        EXPECT_EQ(run.status, c.status) << run.out << run.err;
        if (c.status == 0) {
            EXPECT_EQ(test::readFile(install.root() + "/a.txt"), "new a");
        }
        EXPECT_NE((logOf(install) + run.err).find(c.said), std::string::npos)
            << logOf(install) << run.err;
    }
}

// Pictures the list names are files of the installation and nothing else.
TEST(HostileInstallation, PicturesStayInsideTheInstallation) {
    test::Installation install;
    test::TempDir elsewhere;
    test::writeFile(install.root() + "/pics/mark.png", "picture bytes");
    test::writeFile(elsewhere.path() + "/secret.png", "secret");
    fs::create_directory_symlink(elsewhere.path(), install.root() + "/out");
    fs::create_symlink(install.root() + "/pics/mark.png", install.root() + "/pics/link.png");
    ASSERT_EQ(::mkfifo((install.root() + "/pics/fifo.png").c_str(), 0644), 0);
    test::writeFile(install.root() + "/pics/huge.png", std::string(kPictureFileLimit + 1, 'p'));
    struct Case {
        std::string name;
        bool read;
    } cases[] = {
        {"pics/mark.png", true},
        {"pics\\mark.png", true},
        {"/proc/self/fd/0", false},
        {elsewhere.path() + "/secret.png", false},
        {"../" + fs::path(elsewhere.path()).filename().string() + "/secret.png", false},
        {"pics/../../secret.png", false},
        {"out/secret.png", false},
        {"pics/link.png", false},
        {"pics/fifo.png", false},
        {"pics/huge.png", false},
        {"pics/missing.png", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string refusal;
        const auto began = std::chrono::steady_clock::now();
        auto bytes = readInstallationPicture(install.root(), c.name, &refusal);
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1));
        EXPECT_EQ(bytes.has_value(), c.read) << refusal;
        if (c.read) {
            EXPECT_EQ(*bytes, "picture bytes");
        } else {
            EXPECT_FALSE(refusal.empty());
        }
    }
}

// The log keeps one old file beside it and never grows much past its limit.
TEST(HostileInstallation, TheLogIsRotatedAtItsLimit) {
    test::TempDir dir;
    const std::string path = dir.path() + "/update.log";
    test::writeFile(path, std::string(kLogRotateSize - 10, 'o'));
    UpdateLog log(path, 1);
    const std::string line(1000, 'x');
    for (int i = 0; i < 2000; ++i)
        log.write(line);
    const auto current = fs::file_size(path);
    const auto old = fs::file_size(path + kOldLogSuffix);
    EXPECT_LE(current, static_cast<std::uintmax_t>(kLogRotateSize));
    EXPECT_GT(old, static_cast<std::uintmax_t>(kLogRotateSize) / 2);
    EXPECT_LE(old, static_cast<std::uintmax_t>(kLogRotateSize));
    EXPECT_EQ(test::readFile(path + kOldLogSuffix).find(std::string(100, 'o')), std::string::npos)
        << "the first old file has been replaced by a newer one";
}

// A folder of the installation swapped for a link to elsewhere while the install step runs:
// the step walks every path from the folders it opened, so nothing outside is written or
// removed, whenever the swap happens.
class SwappedFolder : public test::UpdateFixture {};

TEST_F(SwappedFolder, NoWriteOrRemovalLeavesTheInstallation) {
    test::TempDir elsewhere;
    test::writeFile(elsewhere.path() + "/b.txt", "outside b");
    test::writeFile(elsewhere.path() + "/gone.txt", "outside gone");
    test::writeFile(install.root() + "/data/gone.txt", "inside gone");
    publish({{"a.txt", "new a"}, {"data/b.txt", "new b"}, {"data/gone.txt", "", "delete"}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    ASSERT_TRUE(downloadQuickly());
    // Once the step has begun copying, data/ becomes a link out of the installation.
    session->subscribe([&](Event e, int index) {
        if (e != Event::Copied || index != 0)
            return;
        fs::rename(install.root() + "/data", install.root() + "/data.moved");
        fs::create_directory_symlink(elsewhere.path(), install.root() + "/data");
    });
    runInstallStep(*session);
    EXPECT_EQ(test::readFile(install.root() + "/a.txt"), "new a");
    EXPECT_EQ(test::readFile(elsewhere.path() + "/b.txt"), "outside b");
    EXPECT_EQ(test::readFile(elsewhere.path() + "/gone.txt"), "outside gone");
    EXPECT_EQ(entry("data/b.txt").resultFlags, kResultCopyFailed);

    // The same between a check and the write: the folders were opened before the swap.
    fs::remove(install.root() + "/data");
    fs::rename(install.root() + "/data.moved", install.root() + "/data");
    test::writeFile(install.temp() + "/data/c.txt", "new c");
    const platform::FolderHandle installation(install.root());
    const platform::FolderHandle temporary(install.temp());
    fs::rename(install.root() + "/data", install.root() + "/data.moved");
    fs::create_directory_symlink(elsewhere.path(), install.root() + "/data");
    EXPECT_EQ(platform::installFileAt(temporary, installation, "data/c.txt",
                                      {test::md5("new c"), {}}, {}),
              platform::InstallResult::Failed);
    EXPECT_FALSE(platform::removeFileAt(installation, "data/gone.txt"));
    EXPECT_FALSE(fs::exists(elsewhere.path() + "/c.txt"));
    EXPECT_EQ(test::readFile(elsewhere.path() + "/gone.txt"), "outside gone");
}

// Every file below folder with its bytes, links not followed.
std::map<std::string, std::string> filesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(folder))
        if (item.is_regular_file() && !item.is_symlink())
            files[fs::relative(item.path(), folder).string()] = test::readFile(item.path());
    return files;
}

// The temporary folder, a folder below it or a download's name swapped for a link to elsewhere
// after the run has opened the temporary folder: the downloads are written, measured and
// removed in the folders the run opened, and nothing outside the installation changes.
TEST_F(SwappedFolder, DownloadsStayInTheTemporaryFolderTheRunOpened) {
    struct Case {
        const char* swapped;  // below the installation folder
        const char* target;   // below elsewhere; empty: elsewhere itself
        bool downloaded;      // every download reaches the installation
    } cases[] = {
        {"temp", "", true},
        {"temp/data", "", false},
        {"temp/a.txt", "a.txt", true},
    };
    publish({{"a.txt", "new a"}, {"data/b.txt", "new b"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.swapped);
        test::TempDir elsewhere;
        test::writeFile(elsewhere.path() + "/a.txt", "outside a");
        test::writeFile(elsewhere.path() + "/b.txt", "outside b");
        const auto outside = filesBelow(elsewhere.path());
        fs::create_directories(install.temp() + "/data");
        ASSERT_EQ(run(), ListOutcome::Ready) << session->status();
        const std::string swapped = install.root() + "/" + c.swapped;
        if (std::string(c.target).empty()) {
            fs::rename(swapped, swapped + ".moved");
            fs::create_directory_symlink(elsewhere.path(), swapped);
        } else {
            fs::create_symlink(elsewhere.path() + "/" + c.target, swapped);
        }
        ASSERT_TRUE(downloadQuickly());
        EXPECT_EQ(checkDownloadedSizes(*session), c.downloaded);
        runInstallStep(*session);
        EXPECT_EQ(filesBelow(elsewhere.path()), outside);
        EXPECT_EQ(test::readFile(install.root() + "/a.txt"), "new a");
        EXPECT_EQ(fs::exists(install.root() + "/data/b.txt"), c.downloaded);

        session.reset();
        fs::remove_all(install.temp());
        fs::remove_all(install.temp() + ".moved");
        fs::remove(install.root() + "/a.txt");
        fs::remove_all(install.root() + "/data");
    }
}

// A link planted for the temporary folder before the run: the run does not use it, and
// fetches nothing, since every download would land where the link points.
TEST_F(SwappedFolder, ALinkPlantedForTheTemporaryFolderIsRefused) {
    test::TempDir elsewhere;
    test::writeFile(elsewhere.path() + "/soft_update.xml", "outside list");
    const auto outside = filesBelow(elsewhere.path());
    publish({{"a.txt", "new a"}});
    fs::remove_all(install.temp());
    fs::create_directory_symlink(elsewhere.path(), install.temp());
    EXPECT_EQ(run(), ListOutcome::DownloadFailed);
    EXPECT_EQ(filesBelow(elsewhere.path()), outside);
    EXPECT_FALSE(fs::exists(install.root() + "/a.txt"));
}

// The process list is taken once for a whole step: by the time an entry's program is ended,
// an id in it may belong to another program. That program is never ended.
TEST(HostileInstallation, AStaleProcessIdNeverEndsAnotherProgram) {
    test::Installation install;
    test::TempDir elsewhere;
    const std::string ours = install.root() + "/bin/game";
    const std::string other = elsewhere.path() + "/game";
    fs::create_directories(install.root() + "/bin");
    fs::copy_file("/bin/sleep", ours);
    fs::copy_file("/bin/sleep", other);
    auto runs = [](pid_t pid, const std::string& program) {
        return test::waitFor(
            [&] {
                for (const auto& p : platform::runningProcesses())
                    if (p.pid == pid && p.executable == program)
                        return true;
                return false;
            },
            5000);
    };
    test::Running unrelated(other, {other, "30"});
    ASSERT_TRUE(runs(unrelated.pid(), other));
    // What an old list would say: our program ran under this id.
    std::vector<platform::ProcessInfo> stale = {{unrelated.pid(), ours}};
    EXPECT_EQ(platform::endInstalledProgram(ours, ::getpid(), stale, 200),
              platform::EndResult::NotRunning);
    EXPECT_TRUE(unrelated.alive());

    test::Running installed(ours, {ours, "30"});
    ASSERT_TRUE(runs(installed.pid(), ours));
    std::vector<platform::ProcessInfo> now = platform::runningProcesses();
    EXPECT_EQ(platform::endInstalledProgram(ours, ::getpid(), now, 200),
              platform::EndResult::Ended);
    EXPECT_TRUE(test::waitFor([&] { return !installed.alive(); }, 2000));
    EXPECT_TRUE(unrelated.alive()) << "the program of the same name elsewhere runs on";
}

// A disk too small for the downloads is said before anything is fetched.
class FullDisk : public test::UpdateFixture {
  protected:
    void SetUp() override {
        UpdateFixture::SetUp();
        fs::create_directories(install.temp());
        if (::mount("tmpfs", install.temp().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=24m") !=
            0)
            GTEST_SKIP() << "a small tmpfs cannot be mounted here (" << std::strerror(errno)
                         << "); the full-disk check needs root with CAP_SYS_ADMIN";
        mounted = true;
    }
    void TearDown() override {
        session.reset();
        if (mounted)
            ::umount2(install.temp().c_str(), MNT_DETACH);
    }
    bool mounted = false;
};

TEST_F(FullDisk, TheUpdateDoesNotStartWhenTheDownloadsDoNotFit) {
    // 24 MiB hold 12 MiB of downloads only without the room kept free beyond them.
    publish({{"big.bin", std::string(12 * 1024 * 1024, 'b')}, {"small.bin", "s"}});
    EXPECT_EQ(run(), ListOutcome::NoSpace);
    EXPECT_NE(session->status().find("磁盘空间不足"), std::string::npos) << session->status();
    EXPECT_NE(logOf(install).find(session->status()), std::string::npos);
    EXPECT_EQ(server.hits("/files/big.bin") + server.hits("/files/small.bin"), 0);
    session.reset();

    publish({{"big.bin", std::string(4 * 1024 * 1024, 'b')}, {"small.bin", "s"}});
    ASSERT_EQ(run(), ListOutcome::Ready) << session->status();
    ASSERT_TRUE(downloadQuickly());
    EXPECT_TRUE(checkDownloadedSizes(*session));
}

}  // namespace
}  // namespace upvarro
