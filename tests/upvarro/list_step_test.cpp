#include "upvarro/core/list_step.h"

#include <gtest/gtest.h>

#include "common/gbk.h"
#include "update_fixture.h"
#include "upvarro/core/list_files.h"
#include "upvarro/core/startup.h"

namespace upvarro {
namespace {

using ListStepTest = test::UpdateFixture;

TEST_F(ListStepTest, FirstRunComparesInstalledFiles) {
    publish({{"same.txt", "same"}, {"changed.txt", "new"}, {"sub/missing.txt", "m"}});
    test::writeFile(install.root() + "/same.txt", "same");
    test::writeFile(install.root() + "/changed.txt", "old");
    ASSERT_EQ(run(), ListOutcome::Ready);
    EXPECT_EQ(actionNames(), (std::vector<std::string>{"changed.txt", "sub/missing.txt"}));
    EXPECT_EQ(session->updateCount, 2);
    EXPECT_EQ(session->downloadCount, 2);
    EXPECT_EQ(session->deleteCount, 0);
    EXPECT_EQ(session->status(), "发现2个文件需要更新");
    EXPECT_EQ(session->settings.title, "Kalvix v1.0.005");
    EXPECT_EQ(test::readFile(install.temp() + "/changelog.txt"), "changes");
    EXPECT_EQ(events, (std::vector<Event>{Event::StatusChanged, Event::ListReady}));
    // The local list made from the installed files: the missing file has no checksum.
    ASSERT_EQ(session->localList.size(), 3u);
    EXPECT_EQ(session->localList[0].checksum, test::md5("same"));
    EXPECT_EQ(session->localList[2].checksum, "");
    EXPECT_EQ(session->localList[2].size, 0);
    EXPECT_NE(test::readFile(install.module() + "/update.log")
                  .find(common::utf8ToGbk("打开 " + install.root() + "/sub/missing.txt 文件失败")),
              std::string::npos);
}

TEST_F(ListStepTest, EqualChecksumWithWrongInstalledSize) {
    const std::string content = "twelve bytes";
    publish({{"a.dat", content}});
    auto writeLocal = [&] {
        writeLocalList(install.module() + "/localList.dat",
                       {{"a.dat", test::md5(content), install.temp() + "/a.dat", 12}});
    };
    struct Case {
        const char* installed;  // nullptr: no installed file
        const char* temporary;  // nullptr: nothing in the temporary folder
        bool added;
        bool download;
    } cases[] = {
        {"twelve bytes", nullptr, false, false},
        {"short", nullptr, true, true},
        {nullptr, nullptr, true, true},
        {"short", "twelve bytes", true, false},  // copied from the temporary folder
        {"short", "twelve BYTES", true, true},   // right size, wrong content: fetched again
        {"short", "short", true, true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(install.root() + "/a.dat");
        std::filesystem::remove(install.temp() + "/a.dat");
        if (c.installed)
            test::writeFile(install.root() + "/a.dat", c.installed);
        if (c.temporary)
            test::writeFile(install.temp() + "/a.dat", c.temporary);
        writeLocal();
        ASSERT_EQ(run(), ListOutcome::Ready);
        SCOPED_TRACE(std::string(c.installed ? c.installed : "-") + " / " +
                     (c.temporary ? c.temporary : "-"));
        EXPECT_EQ(session->actionList.size(), c.added ? 1u : 0u);
        if (c.added) {
            EXPECT_EQ(entry("a.dat").has(kActionDownload), c.download);
        }
        EXPECT_EQ(session->downloadCount, c.download ? 1 : 0);
        EXPECT_EQ(session->updateCount, c.added ? 1 : 0);
        EXPECT_EQ(session->status(), c.added ? "发现1个文件需要更新" : "没有文件需要更新！");
    }
}

TEST_F(ListStepTest, DeleteEntries) {
    publish({{"old.dat", "", "delete"}, {"keep.dat", "k"}});
    test::writeFile(install.root() + "/keep.dat", "k");
    struct Case {
        const char* localChecksum;  // nullptr: the local list does not know the file
        bool added;
    } cases[] = {{nullptr, true}, {"different", true}, {"same", false}};
    for (const Case& c : cases) {
        std::vector<LocalRecord> local = {{"keep.dat", test::md5("k"), "", 1}};
        if (c.localChecksum)
            local.push_back(
                {"old.dat", std::string(c.localChecksum) == "same" ? test::md5("") : "x", "", 0});
        writeLocalList(install.module() + "/localList.dat", local);
        ASSERT_EQ(run(), ListOutcome::Ready);
        EXPECT_EQ(session->actionList.size(), c.added ? 1u : 0u) << c.localChecksum;
        EXPECT_EQ(session->deleteCount, c.added ? 1 : 0);
        EXPECT_EQ(session->downloadCount, 0);
        EXPECT_EQ(session->status(), c.added ? " 发现1个文件需要删除" : "没有文件需要更新！");
    }
    publish({{"old.dat", "", "delete"}, {"keep.dat", "new"}});
    writeLocalList(install.module() + "/localList.dat", {});
    ASSERT_EQ(run(), ListOutcome::Ready);
    EXPECT_EQ(session->status(), "发现1个文件需要更新, 1个文件需要删除");
}

TEST_F(ListStepTest, TheUpdatersOwnEntryIsDownloadOnly) {
    // Only the updater's own path is the updater; a file of its name elsewhere is installed.
    publish(
        {{"kalvix", "main"}, {"docs/upvarro", "notes"}, {"update/upvarro", "new updater", "run"}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    EXPECT_EQ(entry("docs/upvarro").actionFlags, kActionDownload | kActionCopy);
    EXPECT_TRUE(session->isUpdaterName("update/upvarro"));
    EXPECT_FALSE(session->isUpdaterName("docs/upvarro"));
    EXPECT_FALSE(session->isUpdaterName("upvarro"));
    const UpdateEntry& self = entry("update/upvarro");
    EXPECT_EQ(self.actionFlags, kActionDownload);
    EXPECT_TRUE(session->selfUpdate);
    EXPECT_EQ(session->newUpdaterPath, install.temp() + "/update/upvarro");
    EXPECT_EQ(session->downloadCount, 3);
    EXPECT_FALSE(entry("kalvix").has(kActionExecutable));
}

TEST_F(ListStepTest, FailuresGiveTheirStatusTexts) {
    // No list on the server.
    ASSERT_EQ(run(), ListOutcome::DownloadFailed);
    EXPECT_EQ(session->status(), "正在下载文件列表失败！");
    EXPECT_EQ(events, std::vector<Event>{Event::ListFailed});
    EXPECT_NE(test::readFile(install.module() + "/update.log")
                  .find(common::utf8ToGbk("下载soft_update.xml文件列表失败")),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(install.temp() + "/soft_update.xml"))
        << "an error page is not kept as the list";

    // A list that names a file outside the installation.
    events.clear();
    server.put("/list/soft_update.xml",
               test::replaceAll(test::fixture("list_parent_name.xml"), "@SERVER@", server.url()));
    ASSERT_EQ(run(), ListOutcome::Invalid);
    EXPECT_EQ(session->status(), "下载的文件列表出错,本次升级失败!");
    EXPECT_EQ(events, std::vector<Event>{Event::StatusChanged});
    EXPECT_TRUE(session->actionList.empty());
    EXPECT_EQ(server.hits("/list/changelog.txt"), 0);

    // Files to update but no change log.
    events.clear();
    publish({{"a", "a"}}, false);
    ASSERT_EQ(run(), ListOutcome::Ready);
    EXPECT_EQ(session->status(), "下载changelog.txt失败！");
    EXPECT_NE(test::readFile(install.module() + "/update.log")
                  .find(common::utf8ToGbk("下载changelog.txt 文件失败")),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(install.temp() + "/changelog.txt"));
}

TEST_F(ListStepTest, GbkListFromTheServer) {
    std::string xml = test::replaceAll(test::fixture("list_gbk.xml"), "@SERVER@", server.url());
    server.put("/list/soft_update.xml", xml);
    server.put("/list/changelog.txt", "c");
    ASSERT_EQ(run(), ListOutcome::Ready);
    EXPECT_EQ(session->settings.title, "梦幻西游工具箱 v1.0.005");
    ASSERT_EQ(session->actionList.size(), 1u);
    EXPECT_EQ(session->actionList[0]->localPath, install.root() + "/攻略/副本.txt");
}

TEST(Startup, ConfigurationErrorAndFailListRecopy) {
    test::Installation install;
    test::writeFile(install.module() + "/upvarro.ini", "[Server]\nUpdateListUrlPath=\n");
    UpdateSession broken(Folders::fromExecutable(install.self()), install.self());
    EXPECT_EQ(startUp(broken, parseCommandLine(""), 0), StartupOutcome::ConfigurationError);

    install.configure(1, "/list");
    test::writeFile(install.temp() + "/bin/kalvix", "fresh");
    test::writeFile(install.root() + "/bin/kalvix", "stale");
    // The fail list names what the copy must be; a temporary file changed since (or a list
    // whose entry has no checksum) is not installed.
    test::writeFile(install.temp() + "/changed.txt", "tampered");
    test::writeFile(install.root() + "/changed.txt", "old");
    test::writeFile(install.temp() + "/nosum.txt", "n");
    UpdateEntry failed;
    failed.name = "bin/kalvix";
    failed.checksum = test::md5("fresh");
    failed.resultFlags = kResultCopyFailed;
    UpdateEntry changed;
    changed.name = "changed.txt";
    changed.checksum = test::md5("intended");
    UpdateEntry noChecksum;
    noChecksum.name = "nosum.txt";
    UpdateEntry hostile;
    hostile.name = "../outside";
    hostile.checksum = test::md5("x");
    test::writeFile(install.temp() + "/../outside", "x");
    writeFailList(install.module() + "/faillist.dat", {&failed, &changed, &noChecksum, &hostile});
    UpdateSession s(Folders::fromExecutable(install.self()), install.self());
    ASSERT_EQ(startUp(s, parseCommandLine("RUN_UPDATE@0@h@80@/x"), 0), StartupOutcome::Continue);
    EXPECT_EQ(test::readFile(install.root() + "/bin/kalvix"), "fresh");
    EXPECT_FALSE(std::filesystem::exists(install.temp() + "/bin/kalvix"));
    EXPECT_EQ(test::readFile(install.root() + "/changed.txt"), "old");
    EXPECT_FALSE(std::filesystem::exists(install.root() + "/nosum.txt"));
    EXPECT_FALSE(std::filesystem::exists(install.module() + "/faillist.dat"));
    EXPECT_TRUE(std::filesystem::exists(install.root() + "/outside"));
    EXPECT_EQ(s.settings.showFromStart, 0);
    EXPECT_EQ(s.settings.updateHost, "127.0.0.1");
    EXPECT_NE(
        test::readFile(install.module() + "/update.log").find("command_line =RUN_UPDATE@0@h@80@/x"),
        std::string::npos);
}

}  // namespace
}  // namespace upvarro
