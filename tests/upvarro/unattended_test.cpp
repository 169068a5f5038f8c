// The upvarro program itself, started as a script would start it.

#include <gtest/gtest.h>

#include "test_support.h"

namespace upvarro {
namespace {

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

    r = test::runProcess(install.self(), {install.self()});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("not available"), std::string::npos);
}

}  // namespace
}  // namespace upvarro
