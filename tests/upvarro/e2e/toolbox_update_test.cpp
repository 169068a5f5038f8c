// The toolbox and its updater together, offscreen: the toolbox reports and starts the
// updater, the update installs, the toolbox is restarted with DONT_RUN_UPVARRO, and a toolbox
// started that way does not start the updater again.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "test_support.h"

namespace upvarro {
namespace {

using test::Running;
using test::waitFor;

const char* const kReportPath = "/tools/game_box/pts/web/game_box.php";

TEST(ToolboxUpdate, ReportLaunchInstallRestartAndNoSecondUpdater) {
#ifndef UPVARRO_ANSWER_HOOK
    GTEST_SKIP() << "a release build's updater takes no answer from UPVARRO_ANSWER";
#endif
    test::TestServer server;
    test::Installation install;
    const std::string toolbox = install.root() + "/kalvix";
    std::filesystem::copy_file(KALVIX_BINARY, toolbox);
    test::installUpdater(install.self());
    // A fresh installation leaves host and port to the toolbox's command line.
    test::writeFile(install.module() + "/upvarro.ini",
                    "[Server]\nUpdateHost=\nUpdatePort=0\nUpdateListUrlPath=/softupdate/xyq\n"
                    "LogLevel=1\n");
    // The new "toolbox" is a stand-in that notes how it was started.
    const std::string replacement = test::readFile(FAKE_PROGRAM);
    server.put("/files/kalvix", replacement);
    server.put("/softupdate/xyq/changelog.txt", "changes");
    server.put("/softupdate/xyq/soft_update.xml",
               "<system><i name=\"Title\" value=\"Kalvix\"/></system><files><file name=\"kalvix\" "
               "checksum=\"" +
                   test::md5(replacement) + "\" DownUrl=\"" + server.url() + "\" size=\"" +
                   std::to_string(replacement.size()) + "\" action=\"restart\"/></files>");

    const std::string base = "http://127.0.0.1:" + std::to_string(server.port());
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    setenv("KALVIX_STATS_BASE", base.c_str(), 1);
    const std::string host = "127.0.0.1:" + std::to_string(server.port());
    setenv("KALVIX_UPDATE_HOST", host.c_str(), 1);
    setenv("UPVARRO_ANSWER", "now", 1);

    {
        Running kalvix(toolbox, {toolbox});
        EXPECT_TRUE(waitFor([&] { return server.hits(kReportPath) == 1; }, 20000));
        EXPECT_TRUE(
            waitFor([&] { return server.hits("/softupdate/xyq/soft_update.xml") == 1; }, 10000));
        // Download, install, the 15-second countdown, then the restart.
        ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(toolbox + ".argv"); }, 60000))
            << test::readFile(install.module() + "/update.log");
        // The running toolbox of the update set was ended before its file was replaced.
        EXPECT_TRUE(waitFor([&] { return !kalvix.alive(); }, 5000));
    }
    EXPECT_EQ(test::readFile(toolbox), replacement);
    EXPECT_EQ(test::readFile(toolbox + ".argv").rfind("DONT_RUN_UPVARRO\n", 0), 0u)
        << test::readFile(toolbox + ".argv");

    // The real toolbox started the way the updater starts it: it reports, starts no updater.
    const std::string second = install.root() + "/kalvix-again";
    std::filesystem::copy_file(KALVIX_BINARY, second);
    {
        Running kalvix(second, {"DONT_RUN_UPVARRO"});
        EXPECT_TRUE(waitFor([&] { return server.hits(kReportPath) == 2; }, 20000));
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        EXPECT_TRUE(kalvix.alive());
    }
    EXPECT_EQ(server.hits("/softupdate/xyq/soft_update.xml"), 1);
}

}  // namespace
}  // namespace upvarro
