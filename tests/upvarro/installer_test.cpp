#include "upvarro/core/installer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/gbk.h"
#include "update_fixture.h"
#include "upvarro/core/download_engine.h"
#include "upvarro/core/list_files.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/platform/processes.h"

namespace upvarro {
namespace {

using InstallTest = test::UpdateFixture;
using test::waitFor;

// Moves the published files into the temporary folder, as the download step would.
void downloadAll(UpdateSession& s) {
    EngineTimings t;
    t.firstPeriod = t.busyPeriod = t.idlePeriod = std::chrono::milliseconds(5);
    t.worker.afterDone = std::chrono::milliseconds(1);
    DownloadEngine engine(s, t);
    engine.start();
    engine.wait();
    ASSERT_TRUE(checkDownloadedSizes(s));
}

pid_t spawn(const std::string& program, const std::vector<std::string>& args) {
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

TEST_F(InstallTest, ActionsLinesAndEvents) {
    const std::string script = "#!/bin/sh\necho ran > \"$(dirname \"$0\")/ran.txt\"\n";
    publish({{"kept.txt", "new content"},
             {"lib/plugin.so", "plugin", "register"},
             {"tools/setup.sh", script, "run"},
             {"old.dat", "", "delete"}});
    test::writeFile(install.root() + "/kept.txt", "old");
    ::chmod((install.root() + "/kept.txt").c_str(), 0600);
    test::writeFile(install.root() + "/old.dat", "bye");
    writeLocalList(install.module() + "/localList.dat", {{"kept.txt", "x", "", 3}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    downloadAll(*session);
    std::vector<std::pair<Event, int>> seen;
    session->subscribe([&](Event e, int i) {
        if (e != Event::SpeedChanged && e != Event::RowChanged)
            seen.push_back({e, i});
    });
    runInstallStep(*session);

    EXPECT_EQ(test::readFile(install.root() + "/kept.txt"), "new content");
    struct stat st {};
    ASSERT_EQ(::stat((install.root() + "/kept.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u) << "the installed file keeps its permissions";
    ASSERT_EQ(::stat((install.root() + "/tools/setup.sh").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0111, 0111u) << "a new script becomes executable";
    ASSERT_EQ(::stat((install.root() + "/lib/plugin.so").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0111, 0u);
    EXPECT_FALSE(platform::fileExists(install.root() + "/old.dat"));
    EXPECT_FALSE(platform::fileExists(install.temp() + "/kept.txt")) << "copied files leave temp";
    EXPECT_TRUE(waitFor([&] { return platform::fileExists(install.root() + "/tools/ran.txt"); }));

    EXPECT_EQ(session->checkLines,
              (std::vector<std::string>{"正在进行文件锁定检查...", "lib/plugin.so -- 文件被锁定",
                                        "tools/setup.sh -- 文件被锁定"}));
    EXPECT_TRUE(entry("lib/plugin.so").has(kActionLocked));
    EXPECT_FALSE(entry("kept.txt").has(kActionLocked));
    EXPECT_EQ(
        session->operationLines,
        (std::vector<std::string>{"正在拷贝>> kept.txt 文件", "正在拷贝>> lib/plugin.so 文件",
                                  "正在注册>> lib/plugin.so 文件", "正在拷贝>> tools/setup.sh 文件",
                                  "正在执行>> tools/setup.sh 文件", "正在删除>> old.dat 文件"}));
    using P = std::pair<Event, int>;
    EXPECT_EQ(seen, (std::vector<P>{P{Event::Copied, 0}, P{Event::Copied, 1},
                                    P{Event::Registered, 1}, P{Event::Copied, 2}, P{Event::Ran, 2},
                                    P{Event::Deleted, 3}, P{Event::InstallDone, -1}}));
    EXPECT_EQ(installDoneText(session->updateCount, session->deleteCount),
              "总共拷贝3个文件, 删除 1个文件。");
    std::string log = common::gbkToUtf8(test::readFile(install.module() + "/update.log"));
    EXPECT_NE(log.find("kill process kept.txt"), std::string::npos);
    EXPECT_NE(log.find("组件注册"), std::string::npos);
}

TEST_F(InstallTest, FailedCopyIsCopiedAtTheNextStart) {
    publish({{"bin/kalvix", "fresh"}, {"other.txt", "o"}});
    // A folder where the file should be: the copy cannot replace it.
    std::filesystem::create_directories(install.root() + "/bin/kalvix");
    ASSERT_EQ(run(), ListOutcome::Ready);
    downloadAll(*session);
    runInstallStep(*session);
    EXPECT_EQ(entry("bin/kalvix").resultFlags, kResultCopyFailed);
    EXPECT_EQ(test::readFile(install.root() + "/other.txt"), "o");
    EXPECT_TRUE(platform::fileExists(install.temp() + "/bin/kalvix")) << "the download is kept";
    finishUpdate(*session);
    auto fail = readFailList(install.module() + "/faillist.dat");
    ASSERT_EQ(fail.size(), 1u);
    EXPECT_EQ(fail[0].name, "bin/kalvix");
    auto local = readLocalList(install.module() + "/localList.dat");
    ASSERT_EQ(local.size(), 2u);
    EXPECT_EQ(local[0].checksum, test::md5("fresh"));
    EXPECT_NE(test::readFile(install.module() + "/upvarro.ini").find("LastUpdateDate=20"),
              std::string::npos);

    std::filesystem::remove(install.root() + "/bin/kalvix");
    session->runLock.release();  // the first updater has ended
    UpdateSession next(Folders::fromExecutable(install.self()), install.self());
    ASSERT_EQ(startUp(next, parseCommandLine(""), 0), StartupOutcome::Continue);
    EXPECT_EQ(test::readFile(install.root() + "/bin/kalvix"), "fresh");
    EXPECT_FALSE(platform::fileExists(install.module() + "/faillist.dat"));
    EXPECT_FALSE(platform::fileExists(install.temp() + "/bin/kalvix"));
}

TEST_F(InstallTest, EndsOnlyProgramsInsideTheInstallation) {
    test::TempDir elsewhere;
    const std::string inside = install.root() + "/bin/game.exe";
    const std::string outside = elsewhere.path() + "/GAME.EXE";
    std::filesystem::create_directories(install.root() + "/bin");
    std::filesystem::copy_file("/bin/sleep", inside);
    std::filesystem::copy_file("/bin/sleep", outside);
    pid_t outsidePid = spawn(outside, {outside, "30"});
    pid_t insidePid = spawn(inside, {inside, "30"});
    ASSERT_TRUE(waitFor([&] {
        auto list = platform::runningProcesses();
        int found = 0;
        for (const auto& p : list)
            found += p.pid == insidePid || p.pid == outsidePid;
        return found == 2 && platform::isLocked(inside, platform::OpenFiles::snapshot(getpid()));
    })) << "a running program's file is locked";

    publish({{"bin/GAME.EXE", "new game"}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    downloadAll(*session);
    runInstallStep(*session);
    int status = 0;
    EXPECT_EQ(waitpid(insidePid, &status, WNOHANG), insidePid) << "ended";
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(waitpid(outsidePid, &status, WNOHANG), 0) << "an unrelated program runs on";
    EXPECT_EQ(test::readFile(install.root() + "/bin/GAME.EXE"), "new game");
    kill(outsidePid, SIGKILL);
    waitpid(outsidePid, &status, 0);

    // The process given as the updater itself is never ended, even when its name and folder
    // match. (A copy of sleep stands in for it: naming the test program itself would end the
    // sibling test processes ctest runs in parallel.)
    const std::string self = install.root() + "/upvarro_self";
    std::filesystem::copy_file("/bin/sleep", self);
    pid_t selfPid = spawn(self, {self, "30"});
    ASSERT_TRUE(waitFor([&] {
        for (const auto& p : platform::runningProcesses())
            if (p.pid == selfPid)
                return true;
        return false;
    }));
    EXPECT_EQ(platform::endInstalledProgram(self, selfPid), platform::EndResult::NotRunning)
        << "never the updater itself";
    EXPECT_EQ(waitpid(selfPid, &status, WNOHANG), 0) << "the updater runs on";
    kill(selfPid, SIGKILL);
    waitpid(selfPid, &status, 0);
}

TEST_F(InstallTest, CancelStopsTheStep) {
    publish({{"a", "a"}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    downloadAll(*session);
    session->cancel = true;
    runInstallStep(*session);
    EXPECT_TRUE(session->operationLines.empty());
    EXPECT_EQ(count(Event::InstallDone), 0);
    EXPECT_FALSE(platform::fileExists(install.root() + "/a"));
}

TEST_F(InstallTest, RestartStartsTheMainProgramWithItsMarker) {
    const std::string fake = test::readFile(FAKE_PROGRAM);
    publish({{"kalvix", fake, "restart"}, {"data.txt", "d"}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    EXPECT_TRUE(session->restart);
    downloadAll(*session);
    runInstallStep(*session);
    finishUpdate(*session);
    const std::string argvFile = install.root() + "/kalvix.argv";
    ASSERT_TRUE(waitFor([&] {
        return platform::fileExists(argvFile) &&
               test::readFile(argvFile).find("cwd=") != std::string::npos;
    }));
    EXPECT_EQ(test::readFile(argvFile), "DONT_RUN_UPVARRO\ncwd=" + install.root() + "\n");
}

std::vector<pid_t> runningFrom(const std::string& path) {
    std::vector<pid_t> found;
    for (const auto& p : platform::runningProcesses())
        if (p.executable == path)
            found.push_back(p.pid);
    return found;
}

// Where Windows tells programs by ".exe", a program here is an ELF file or one with an execute
// bit, so the toolbox "kalvix" is ended before a restart and when a forced update is declined.
TEST_F(InstallTest, ProgramsAreToldByTheirFilesAndOneToolboxRunsAfterARestart) {
    const std::string fake = test::readFile(FAKE_PROGRAM);
    struct Case {
        const char* name;
        std::string bytes;
        std::filesystem::perms perms;
        bool program;
    };
    using P = std::filesystem::perms;
    const Case cases[] = {
        {"elf", fake, P::owner_read | P::owner_write, true},
        {"script", "#!/bin/sh\n", P::owner_all, true},
        {"executable text", "echo", P::owner_read | P::group_exec, true},
        {"text", "notes", P::owner_read | P::owner_write, false},
    };
    for (const Case& c : cases) {
        const std::string path = install.root() + "/kinds/" + c.name;
        test::writeFile(path, c.bytes);
        std::filesystem::permissions(path, c.perms);
        EXPECT_EQ(platform::isProgramFile(path), c.program) << c.name;
    }
    EXPECT_FALSE(platform::isProgramFile(install.root() + "/kinds"));
    EXPECT_FALSE(platform::isProgramFile(install.root() + "/kinds/none"));

    // The toolbox, unchanged, runs twice; the list restarts it after updating another file.
    const std::string toolbox = install.root() + "/kalvix";
    test::writeFile(toolbox, fake);
    std::filesystem::permissions(toolbox, P::owner_all);
    test::writeFile(toolbox + ".stay", "");
    const pid_t first = spawn(toolbox, {toolbox});
    const pid_t second = spawn(toolbox, {toolbox});
    ASSERT_TRUE(waitFor([&] { return runningFrom(toolbox).size() == 2; }));
    publish({{"kalvix", fake, "restart"}, {"data.txt", "d"}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    ASSERT_EQ(actionNames(), std::vector<std::string>{"data.txt"});
    downloadAll(*session);
    runInstallStep(*session);
    finishUpdate(*session);
    for (pid_t pid : {first, second}) {
        const bool ended = waitFor([pid] { return waitpid(pid, nullptr, WNOHANG) == pid; });
        EXPECT_TRUE(ended) << "a running toolbox outlived the restart";
        if (!ended) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    // Every start is complete when finishUpdate returns (a start returns after the exec), and
    // the old toolboxes only end: once one runs, no second can still appear.
    ASSERT_TRUE(waitFor([&] { return runningFrom(toolbox).size() == 1; }))
        << runningFrom(toolbox).size() << " toolboxes";
    session->runLock.release();

    // Declining a forced update ends the running toolbox.
    publish({{"kalvix", fake + "2.0"}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    declineForcedUpdate(*session);
    EXPECT_TRUE(waitFor([&] { return runningFrom(toolbox).empty(); }));
    for (pid_t pid : runningFrom(toolbox))
        kill(pid, SIGKILL);
}

TEST(InstallTexts, Totals) {
    EXPECT_EQ(installDoneText(0, 0), " ");
    EXPECT_EQ(installDoneText(0, 2), "总共删除 2个文件。");
    EXPECT_EQ(installDoneText(3, 0), "总共拷贝3个文件。");
    EXPECT_EQ(installEventText(Event::Ran, "a.exe"), "正在运行文件--a.exe");
}

}  // namespace
}  // namespace upvarro
