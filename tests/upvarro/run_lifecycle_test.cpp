// A run from start to end: one updater per installation, a kill in the middle of the install,
// the hand-over from a folder with "@" in its path, a finish that cannot write its records,
// and lists of many thousand files.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <future>

#include "common/gbk.h"
#include "update_fixture.h"
#include "upvarro/core/installer.h"
#include "upvarro/core/list_files.h"
#include "upvarro/core/platform/files.h"

namespace upvarro {
namespace {

using test::waitFor;

std::string entryXml(const std::string& url, const std::string& name, const std::string& content) {
    return "<file name=\"" + name + "\" checksum=\"" + test::md5(content) + "\" DownUrl=\"" + url +
           "\" size=\"" + std::to_string(content.size()) + "\"/>";
}

std::string logOf(const test::Installation& install) {
    return common::gbkToUtf8(test::readFile(install.module() + "/update.log"));
}

TEST(OneUpdater, ASecondOneEndsAndTheHandOverWaits) {
    test::Installation install;
    install.configure(1, "/list");
    UpdateSession first(Folders::fromExecutable(install.self()), install.self());
    ASSERT_EQ(startUp(first, parseCommandLine(""), 0), StartupOutcome::Continue);
    test::writeFile(install.temp() + "/a.bin", "the first one's download");

    UpdateSession second(Folders::fromExecutable(install.self()), install.self());
    EXPECT_EQ(startUp(second, parseCommandLine("RUN_UPDATE@0"), 0), StartupOutcome::Ended);
    EXPECT_EQ(second.status(), kAnotherUpdaterRunning);
    EXPECT_NE(logOf(install).find(kAnotherUpdaterRunning), std::string::npos);
    EXPECT_EQ(test::readFile(install.temp() + "/a.bin"), "the first one's download");

    // The new updater of a self-update waits for the old one to let go.
    test::writeFile(install.self(), "old updater");
    test::writeFile(install.temp() + "/update/upvarro", "new updater");
    UpdateSession copy(Folders::fromExecutable(install.self()), install.temp() + "/update/upvarro");
    StartupOptions options;
    options.copyWait = std::chrono::milliseconds(0);
    options.handOverLockWait = std::chrono::seconds(5);
    options.copySource = install.temp() + "/update/upvarro";  // in place of this test program
    auto begin = std::chrono::steady_clock::now();
    std::thread ending([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        first.runLock.release();
    });
    EXPECT_EQ(startUp(copy,
                      parseCommandLine("COPY_FILE@" + install.self() + "@" + install.temp() +
                                       "/update/upvarro"),
                      0, options),
              StartupOutcome::Ended);
    ending.join();
    EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(250));
    EXPECT_EQ(test::readFile(install.self()), "new updater");
}

// An installation a group shares: every member's updater must be able to take the lock, so
// it is made readable by the group whatever the umask, and reading is all the lock needs.
TEST(OneUpdater, TheLockFileServesTheGroup) {
    test::Installation install;
    install.configure(1, "/list");
    const mode_t was = ::umask(077);
    UpdateSession first(Folders::fromExecutable(install.self()), install.self());
    const StartupOutcome outcome = startUp(first, parseCommandLine(""), 0);
    ::umask(was);
    ASSERT_EQ(outcome, StartupOutcome::Continue);
    struct stat st {};
    ASSERT_EQ(::stat(first.folders.lockFile().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    first.runLock.release();

    ASSERT_EQ(::chmod(first.folders.lockFile().c_str(), 0440), 0);
    UpdateSession second(Folders::fromExecutable(install.self()), install.self());
    ASSERT_EQ(startUp(second, parseCommandLine(""), 0), StartupOutcome::Continue);
    UpdateSession third(Folders::fromExecutable(install.self()), install.self());
    EXPECT_EQ(startUp(third, parseCommandLine(""), 0), StartupOutcome::Ended)
        << "a read-only lock file still keeps one updater at a time";
}

TEST(OneUpdater, TwoProgramsStartedTogether) {
    test::TestServer server;
    test::Installation install;
    install.configure(server.port(), "/list");
    test::installUpdater(install.self());
    const std::string content(200000, 'c');
    server.put("/files/big.bin", content);
    server.put("/list/changelog.txt", "log");
    server.put("/list/soft_update.xml",
               "<files>" + entryXml(server.url(), "big.bin", content) + "</files>");
    server.setBodyDelay(std::chrono::milliseconds(1500));
    auto first = std::async(std::launch::async, [&] {
        return test::runProcess(install.self(), {install.self(), "--unattended"});
    });
    ASSERT_TRUE(waitFor([&] { return server.hits("/list/soft_update.xml") > 0; }, 10000));
    auto second = test::runProcess(install.self(), {install.self(), "--unattended"});
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.err, std::string(kAnotherUpdaterRunning) + "\n");
    auto r = first.get();
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(test::readFile(install.root() + "/big.bin"), content);
}

// Every installed file is its old or its new self after a kill at any moment, and the next
// run completes the update.
TEST(KilledRun, EveryFileIsOldOrNewAndTheNextRunCompletes) {
    test::TestServer server;
    test::Installation install;
    install.configure(server.port(), "/list");
    test::installUpdater(install.self());
    const int files = 8;
    std::vector<std::string> olds, news;
    std::string xml = "<files>";
    for (int i = 0; i < files; ++i) {
        const std::string name = "data/f" + std::to_string(i) + ".bin";
        olds.push_back(std::string(4 << 20, 'o') + std::to_string(i));
        news.push_back(std::string(4 << 20, 'n') + std::to_string(i));
        test::writeFile(install.root() + "/" + name, olds.back());
        server.put("/files/" + name, news.back());
        xml += entryXml(server.url(), name, news.back());
    }
    server.put("/list/changelog.txt", "log");
    server.put("/list/soft_update.xml", xml + "</files>");

    pid_t pid = fork();
    if (pid == 0) {
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(install.self().c_str(), install.self().c_str(), "--unattended",
                static_cast<char*>(nullptr));
        _exit(127);
    }
    auto firstByte = [&](int i) {
        std::FILE* f =
            std::fopen((install.root() + "/data/f" + std::to_string(i) + ".bin").c_str(), "rb");
        int c = f ? std::fgetc(f) : -1;
        if (f)
            std::fclose(f);
        return c;
    };
    // Looked at often, so that the kill comes early in the install.
    bool someNew = waitFor(
        [&] {
            for (int i = 0; i < files; ++i)
                if (firstByte(i) == 'n')
                    return true;
            return false;
        },
        60000, std::chrono::milliseconds(5));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(someNew) << "the install step began";
    for (int i = 0; i < files; ++i) {
        std::string now = test::readFile(install.root() + "/data/f" + std::to_string(i) + ".bin");
        EXPECT_TRUE(now == olds[i] || now == news[i]) << i;
    }

    auto r = test::runProcess(install.self(), {install.self(), "--unattended"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    for (int i = 0; i < files; ++i)
        EXPECT_EQ(test::readFile(install.root() + "/data/f" + std::to_string(i) + ".bin"), news[i]);
    for (const auto& item : std::filesystem::recursive_directory_iterator(install.root()))
        EXPECT_EQ(item.path().string().find(".upvarro-new"), std::string::npos) << item.path();
}

TEST(HandOver, AnAtInTheInstallationPath) {
    struct Case {
        const char* line;
        const char* self;
        const char* replace;
        const char* fresh;
    } cases[] = {
        {"COPY_FILE@/x/a@b/update/upvarro@/x/a@b/temp/update/upvarro", "/x/a@b/temp/update/upvarro",
         "/x/a@b/update/upvarro", "/x/a@b/temp/update/upvarro"},
        {"COPY_FILE@/x/a/update/upvarro@/x/a/temp/update/upvarro", "/elsewhere/upvarro",
         "/x/a/update/upvarro", "/x/a/temp/update/upvarro"},
    };
    for (const Case& c : cases) {
        CommandLine line = parseCommandLine(c.line, c.self);
        EXPECT_EQ(line.mode, RunMode::CopyFile);
        EXPECT_EQ(line.replacePath, c.replace) << c.line;
        EXPECT_EQ(line.newPath, c.fresh) << c.line;
    }

    test::TestServer server;
    test::Installation install("tool@home");
    install.configure(server.port(), "/list");
    test::installUpdater(install.self());
    const std::string newUpdater = test::readFile(UPVARRO_BINARY) + "new build";
    server.put("/files/update/upvarro", newUpdater);
    server.put("/list/changelog.txt", "log");
    server.put("/list/soft_update.xml",
               "<files>" + entryXml(server.url(), "update/upvarro", newUpdater) + "</files>");
    auto r = test::runProcess(install.self(), {install.self(), "--unattended"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(waitFor(
        [&] { return !std::filesystem::exists(install.temp() + "/update/upvarro"); }, 15000));
    EXPECT_EQ(test::readFile(install.self()), newUpdater);
    EXPECT_NE(logOf(install).find("自级自身upvarro.exe--ok"), std::string::npos) << logOf(install);
}

using FinishTest = test::UpdateFixture;

TEST_F(FinishTest, RecordsThatCannotBeWrittenAreReported) {
    for (const char* file : {"localList.dat", "faillist.dat", "upvarro.ini"}) {
        SCOPED_TRACE(file);
        const std::string path = install.module() + "/" + file;
        install.configure(server.port(), "/list");
        publish({{"a.txt", "a"}});
        ASSERT_EQ(run(), ListOutcome::Ready);
        ASSERT_TRUE(downloadQuickly());
        runInstallStep(*session);
        // A folder where the file should be: nothing can be renamed over it.
        std::filesystem::remove(path);
        std::filesystem::create_directories(path);
        EXPECT_FALSE(finishUpdate(*session));
        EXPECT_EQ(session->status(), kFinishWriteFailed);
        EXPECT_NE(logOf(install).find("写入 " + path + " 失败"), std::string::npos);
        std::filesystem::remove_all(path);
        std::filesystem::remove(install.root() + "/a.txt");
        session.reset();
    }

    test::installUpdater(install.self());
    install.configure(server.port(), "/list");
    std::filesystem::remove(install.module() + "/localList.dat");
    std::filesystem::create_directories(install.module() + "/localList.dat");
    auto r = test::runProcess(install.self(), {install.self(), "--unattended"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(kFinishWriteFailed), std::string::npos) << r.out;
}

TEST(CompareLists, ManyThousandEntriesCompareQuickly) {
    const int n = 100000;
    UpdateSession s(Folders::fromExecutable("/nonexistent/update/upvarro"),
                    "/nonexistent/update/upvarro");
    for (int i = 0; i < n; ++i) {
        auto e = std::make_unique<UpdateEntry>();
        e->name = "dir/file" + std::to_string(i);
        e->checksum = "c" + std::to_string(i);
        e->localPath = "/nonexistent/" + e->name;
        e->tempPath = "/nonexistent/temp/" + e->name;
        e->actionFlags = kActionDownload | kActionCopy;
        e->allowed = 1;
        s.updateList.push_back(std::move(e));
    }
    for (int i = n - 1; i >= 0; --i) {
        const std::string name = "dir/file" + std::to_string(i);
        // Even files are known with their checksum (and then missing on disk), odd ones with
        // another.
        s.localList.push_back({name, i % 2 ? "other" : "c" + std::to_string(i), "", 0});
    }
    auto begin = std::chrono::steady_clock::now();
    compareLists(s);
    auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_LT(took, std::chrono::seconds(3)) << std::chrono::duration<double>(took).count();
    EXPECT_EQ(s.actionList.size(), static_cast<std::size_t>(n));
    EXPECT_EQ(s.downloadCount, n);
}

}  // namespace
}  // namespace upvarro
