// The upvarro program itself, started as a script would start it.

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>
#include <vector>

#include "common/gbk.h"
#include "test_support.h"
#include "upvarro/core/list_files.h"

namespace upvarro {
namespace {

using test::waitFor;

TEST(Unattended, ListStepPrintsStatusAndActions) {
    test::TestServer server;
    test::Installation install;
    install.configure(server.port(), "/list");
    test::installUpdater(install.self());
    const std::string content = "new toolbox";
    server.put("/files/kalvix", content);
    server.put("/list/changelog.txt", "log");
    server.put("/list/soft_update.xml",
               "<system><i name=\"Title\" value=\"T\"/></system><files><file name=\"kalvix\" "
               "checksum=\"" +
                   test::md5(content) + "\" DownUrl=\"" + server.url() + "\" size=\"" +
                   std::to_string(content.size()) + "\"/></files>");
    auto r = test::runProcess(install.self(), {install.self(), "--unattended", "--list-only",
                                               "RUN_UPDATE@0@ignored@1@/x"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("发现1个文件需要更新\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("download+copy\tkalvix\t11\n"), std::string::npos) << r.out;
    // The configuration is written back with the list's title.
    EXPECT_NE(test::readFile(install.module() + "/upvarro.ini").find("Title=T v1.0.005"),
              std::string::npos);

    server.put("/list/soft_update.xml", "<files/>");
    r = test::runProcess(install.self(), {install.self(), "--unattended", "--list-only"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "下载的文件列表出错,本次升级失败!\n");

    test::writeFile(install.module() + "/upvarro.ini", "[Server]\nUpdateListUrlPath=\n");
    r = test::runProcess(install.self(), {install.self(), "--unattended"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "对不起，读取upvarro.ini配置文件出错！\n");
}

// A run without a window does not load Qt (its libraries alone take more memory than the rest
// of a large download); the wizard of the same file does.
TEST(Unattended, RunsWithoutLoadingQt) {
    test::TestServer server;
    test::Installation install;
    install.configure(server.port(), "/list");
    test::installUpdater(install.self());
    server.put("/list/soft_update.xml", "<files/>");
    // The list takes a while to come: time for a look at what the program has mapped.
    server.setBodyDelay(std::chrono::milliseconds(1500));
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    struct Case {
        std::vector<std::string> argv;
        bool qt;
    };
    const Case cases[] = {
        {{install.self(), "--unattended"}, false},
        {{"RUN_UPDATE@0@ignored@1@/x"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argv.back());
        server.resetHits();
        test::Running program(install.self(), c.argv);
        ASSERT_TRUE(waitFor([&] { return server.hits("/list/soft_update.xml") == 1; }, 10000));
        const std::string maps = test::readFile("/proc/" + std::to_string(program.pid()) + "/maps");
        EXPECT_NE(maps.find("libcurl"), std::string::npos) << "the maps were read";
        EXPECT_EQ(maps.find("libQt6Core") != std::string::npos, c.qt);
        EXPECT_TRUE(waitFor([&] { return !program.alive(); }, 10000));
    }
}

std::string entryXml(const std::string& url, const std::string& name, const std::string& content,
                     const std::string& extra = "") {
    return "<file name=\"" + name + "\" checksum=\"" + test::md5(content) + "\" DownUrl=\"" + url +
           "\" size=\"" + std::to_string(content.size()) + "\"" + extra + "/>";
}

TEST(Unattended, DownloadsInstallsAndHandsOverToTheNewUpdater) {
    test::TestServer server;
    test::Installation install;
    install.configure(server.port(), "/list");
    test::installUpdater(install.self());
    // The new updater: the same program with bytes appended, so the copy can be told apart.
    const std::string newUpdater = test::readFile(UPVARRO_BINARY) + "new build";
    const std::string toolbox = test::readFile(FAKE_PROGRAM);
    server.put("/files/kalvix", toolbox);
    server.put("/files/update/upvarro", newUpdater);
    server.put("/files/data/a.txt", "aaa");
    server.put("/list/changelog.txt", "log");
    test::writeFile(install.root() + "/gone.txt", "x");
    server.put("/list/soft_update.xml",
               "<files>" + entryXml(server.url(), "kalvix", toolbox, " action=\"restart\"") +
                   entryXml(server.url(), "update/upvarro", newUpdater) +
                   entryXml(server.url(), "data/a.txt", "aaa") +
                   "<file name=\"gone.txt\" checksum=\"0\" DownUrl=\"" + server.url() +
                   "\" size=\"0\" action=\"delete\"/></files>");

    auto r = test::runProcess(install.self(), {install.self(), "--unattended"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    for (const char* line :
         {"发现3个文件需要更新, 1个文件需要删除\n", "需下载[3]，已完成[3]个文件\n",
          "个文件正在下载, 下载速度：", "正在拷贝>> kalvix 文件\n", "正在拷贝>> data/a.txt 文件\n",
          "正在删除>> gone.txt 文件\n", "总共拷贝3个文件, 删除 1个文件。\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    EXPECT_EQ(r.out.find("正在拷贝>> update/upvarro"), std::string::npos) << "never copied itself";
    EXPECT_EQ(test::readFile(install.root() + "/data/a.txt"), "aaa");
    EXPECT_FALSE(std::filesystem::exists(install.root() + "/gone.txt"));
    EXPECT_EQ(readLocalList(install.module() + "/localList.dat").size(), 4u);

    // The restarted toolbox, and the hand-over that replaces the updater after 3 s.
    EXPECT_TRUE(
        waitFor([&] { return std::filesystem::exists(install.root() + "/kalvix.argv"); }, 5000));
    EXPECT_EQ(test::readFile(install.root() + "/kalvix.argv").substr(0, 17), "DONT_RUN_UPVARRO\n");
    EXPECT_TRUE(waitFor(
        [&] { return !std::filesystem::exists(install.temp() + "/update/upvarro"); }, 10000));
    EXPECT_EQ(test::readFile(install.self()), newUpdater);
    EXPECT_NE(test::readFile(install.module() + "/update.log")
                  .find(common::utf8ToGbk("自级自身upvarro.exe--ok")),
              std::string::npos);
    EXPECT_NE(test::readFile(install.module() + "/update.log")
                  .find("command_line =COPY_FILE@" + install.self() + "@" + install.temp() +
                        "/update/upvarro"),
              std::string::npos);
}

TEST(Unattended, AFailedDownloadFailsTheRun) {
    test::TestServer server;
    test::Installation install;
    install.configure(server.port(), "/list");
    test::installUpdater(install.self());
    server.put("/list/changelog.txt", "log");
    server.put("/list/soft_update.xml",
               "<files>" + entryXml(server.url(), "missing.bin", "not on the server") + "</files>");
    auto r = test::runProcess(install.self(), {install.self(), "--unattended"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("下载出错，升级失败！\n"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(install.root() + "/missing.bin"));
    EXPECT_FALSE(std::filesystem::exists(install.module() + "/localList.dat"));
}

}  // namespace
}  // namespace upvarro
