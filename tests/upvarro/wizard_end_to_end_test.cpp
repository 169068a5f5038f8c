// The upvarro program with its wizard, offscreen, started as the toolbox starts it.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace upvarro {
namespace {

struct WizardRun {
    test::TestServer server;
    test::Installation install;
    std::string toolbox = test::readFile(FAKE_PROGRAM);

    // Host and port left to the command line, as a fresh installation of the toolbox has them.
    WizardRun(int autoNextStep = 1) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        test::writeFile(install.module() + "/upvarro.ini",
                        "[UpdateType]\nAutoNextStep=" + std::to_string(autoNextStep) +
                            "\n[Server]\nUpdateHost=\nUpdatePort=0\nUpdateListUrlPath=/list\n"
                            "LogLevel=1\n");
        test::installUpdater(install.self());
    }

    enum class List { Full, Missing, Truncated };

    void publish(List list = List::Full) {
        server.put("/files/kalvix", toolbox);
        server.put("/files/data/a.txt", "aaa");
        server.put("/list/changelog.txt", "1.修正");
        if (list == List::Missing)
            return;
        std::string xml = "<system><i name=\"Title\" value=\"Kalvix\"/></system><files>" +
                          entry("kalvix", toolbox) + entry("data/a.txt", "aaa") + "</files>";
        // A list cut off half way, as a dropped connection would leave it.
        if (list == List::Truncated)
            xml.resize(xml.size() / 2);
        server.put("/list/soft_update.xml", xml);
    }

    std::string entry(const std::string& name, const std::string& content) const {
        return "<file name=\"" + name + "\" checksum=\"" + test::md5(content) + "\" DownUrl=\"" +
               server.url() + "\" size=\"" + std::to_string(content.size()) + "\"/>";
    }

    test::ProcessResult run(const std::string& answer) {
        std::vector<std::string> argv{
            install.self(),
            "RUN_UPDATE@0@127.0.0.1@" + std::to_string(server.port()) + "@/softupdate/xyq"};
        if (!answer.empty())
            argv.push_back(answer);
        return test::runProcess(install.self(), argv);
    }
};

TEST(WizardEndToEnd, AcceptedUpdateInstallsAndCountsDown) {
    WizardRun w;
    w.publish();
    auto started = std::chrono::steady_clock::now();
    test::ProcessResult r = w.run("--answer=now");
    auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started)
            .count();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFile(w.install.root() + "/kalvix"), w.toolbox);
    EXPECT_EQ(test::readFile(w.install.root() + "/data/a.txt"), "aaa");
    // The list named the host only through the command line, and the run took the countdown.
    EXPECT_EQ(w.server.hits("/list/soft_update.xml"), 1);
    EXPECT_GE(seconds, 15);
    EXPECT_TRUE(std::filesystem::exists(w.install.module() + "/localList.dat"));
    std::string ini = test::readFile(w.install.module() + "/upvarro.ini");
    EXPECT_NE(ini.find("Title=Kalvix v1.0.005"), std::string::npos) << ini;
    EXPECT_NE(ini.find("LastUpdateDate=2"), std::string::npos) << ini;
    EXPECT_NE(ini.find("AutoNextStep=1"), std::string::npos) << ini;

    // The next run finds nothing to do and ends silently.
    r = w.run("");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(w.server.hits("/files/kalvix"), 1);
}

struct QuickCase {
    const char* name;
    WizardRun::List list;
    bool sameAsInstalled;  // the installation already holds the published files
    const char* answer;
    int status;
};

class WizardQuickRuns : public ::testing::TestWithParam<QuickCase> {};

// Runs that end before any download: nothing is installed and no window waits for a user.
TEST_P(WizardQuickRuns, EndWithoutInstalling) {
    const QuickCase& c = GetParam();
    WizardRun w;
    w.publish(c.list);
    if (c.sameAsInstalled) {
        test::writeFile(w.install.root() + "/kalvix", w.toolbox);
        test::writeFile(w.install.root() + "/data/a.txt", "aaa");
    }
    test::ProcessResult r = w.run(c.answer);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(w.server.hits("/files/kalvix"), 0);
    if (!c.sameAsInstalled) {
        EXPECT_FALSE(std::filesystem::exists(w.install.root() + "/kalvix"));
    }
    // Every close writes the configuration back.
    EXPECT_NE(test::readFile(w.install.module() + "/upvarro.ini").find("UpdateHost=127.0.0.1"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WizardQuickRuns,
    ::testing::Values(QuickCase{"Declined", WizardRun::List::Full, false, "--answer=later", 0},
                      QuickCase{"NothingToUpdate", WizardRun::List::Full, true, "", 0},
                      QuickCase{"ListMissing", WizardRun::List::Missing, false, "", 1},
                      QuickCase{"ListTruncated", WizardRun::List::Truncated, false, "", 1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(WizardEndToEnd, ConfigurationErrorEndsAtOnce) {
    WizardRun w;
    test::writeFile(w.install.module() + "/upvarro.ini", "[Server]\nUpdateListUrlPath=\n");
    test::ProcessResult r = w.run("--answer=now");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("对不起，读取upvarro.ini配置文件出错！\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace upvarro
