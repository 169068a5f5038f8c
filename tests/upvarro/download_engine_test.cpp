#include "upvarro/core/download_engine.h"

#include <gtest/gtest.h>

#include "common/gbk.h"
#include "update_fixture.h"
#include "upvarro/core/download_texts.h"
#include "upvarro/core/list_files.h"

namespace upvarro {
namespace {

using test::Fault;

// The engine's pacing shortened, so that the tests run in moments; the order of events is
// the same.
EngineTimings quick() {
    EngineTimings t;
    t.firstPeriod = std::chrono::milliseconds(20);
    t.busyPeriod = std::chrono::milliseconds(25);
    t.idlePeriod = std::chrono::milliseconds(5);
    t.worker.statisticsPeriod = std::chrono::milliseconds(50);
    t.worker.afterDone = std::chrono::milliseconds(5);
    return t;
}

class DownloadEngineTest : public test::UpdateFixture {
  protected:
    void download() {
        session->transferOptions.timeout = 2;
        DownloadEngine engine(*session, quick());
        engine.start();
        engine.wait();
    }
};

TEST_F(DownloadEngineTest, DownloadsInParallel) {
    std::vector<test::ServedFile> files;
    for (int i = 0; i < 6; ++i)
        files.emplace_back("dir/f" + std::to_string(i), std::string(1000 + i, char('a' + i)));
    publish(files);
    server.setBodyDelay(std::chrono::milliseconds(300));
    install.configure(server.port(), "/list", 1, 4);
    ASSERT_EQ(run(), ListOutcome::Ready);
    download();
    EXPECT_GE(server.maxConcurrent(), 2) << "transfers overlap";
    EXPECT_LE(server.maxConcurrent(), 4) << "only DownloadThreadNumber workers are used";
    EXPECT_EQ(session->finishedCount, 6);
    EXPECT_EQ(session->failedCount, 0);
    for (const UpdateEntry* e : session->actionList) {
        EXPECT_EQ(e->state, kStateDownloaded) << e->name;
        EXPECT_EQ(e->downloaded, e->listSize) << e->name;
        EXPECT_EQ(server.hits("/files/" + e->name), 1);
    }
    EXPECT_EQ(test::readFile(install.temp() + "/dir/f5"), std::string(1005, 'f'));
    EXPECT_EQ(count(Event::DownloadsDone), 1);
    EXPECT_GE(count(Event::SpeedChanged), 6);
    EXPECT_TRUE(checkDownloadedSizes(*session));
    std::string log = test::readFile(install.module() + "/update.log");
    EXPECT_NE(log.find("exit UploadFile thread====dir/f"), std::string::npos);
    EXPECT_NE(log.find(common::utf8ToGbk("exit 统计 thread")), std::string::npos);
}

TEST_F(DownloadEngineTest, MisbehavingServer) {
    struct Case {
        const char* what;
        Fault fault;
        int times;  // faulty answers before good ones; -1: always
        int hits;
        int state;
    } cases[] = {
        {"error page fails at once", Fault::ErrorPage, -1, 1, kStateFailed},
        {"dropped connection, six attempts", Fault::Drop, -1, kMaxAttempts, kStateFailed},
        {"dropped twice, then served", Fault::Drop, 2, 3, kStateDownloaded},
        {"truncated body is retried", Fault::Truncate, -1, kMaxAttempts, kStateFailed},
        {"stalled body times out and is retried", Fault::Stall, 1, 2, kStateDownloaded},
        {"same size, other bytes", Fault::WrongBytes, -1, 1, kStateFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        publish({{"bad.bin", std::string(4096, 'x')}, {"good.bin", "good"}});
        server.fault("/files/bad.bin", c.fault, c.times);
        std::filesystem::remove_all(install.temp());
        ASSERT_EQ(run(), ListOutcome::Ready);
        server.resetHits();
        download();
        UpdateEntry& bad = entry("bad.bin");
        EXPECT_EQ(server.hits("/files/bad.bin"), c.hits);
        EXPECT_EQ(bad.state, c.state);
        EXPECT_EQ(stateText(bad.state), c.state == kStateFailed ? " 下载出错" : " 下载成功");
        EXPECT_EQ(entry("good.bin").state, kStateDownloaded);
        bool failed = c.state == kStateFailed;
        EXPECT_EQ(session->failedCount, failed ? 1 : 0);
        EXPECT_EQ(session->finishedCount, failed ? 1 : 2);
        EXPECT_EQ(bad.resultFlags, failed ? kResultDownloadFailed : 0);
        EXPECT_EQ(checkDownloadedSizes(*session), !failed);
        server.fault("/files/bad.bin", Fault::None, 0);
    }
}

TEST_F(DownloadEngineTest, NothingToDownloadEndsOnTheFirstPass) {
    publish({{"gone.dat", "", "delete"}, {"big.dat", "abc"}});
    test::writeFile(install.temp() + "/big.dat", "abc");  // copied without a download
    test::writeFile(install.root() + "/big.dat", "ab");
    writeLocalList(install.module() + "/localList.dat", {{"big.dat", test::md5("abc"), "", 3}});
    ASSERT_EQ(run(), ListOutcome::Ready);
    ASSERT_EQ(session->downloadCount, 0);
    download();
    EXPECT_EQ(count(Event::SpeedChanged), 1);
    EXPECT_EQ(count(Event::DownloadsDone), 1);
    EXPECT_TRUE(checkDownloadedSizes(*session));
    EXPECT_EQ(server.hits("/files/big.dat"), 0);
}

TEST_F(DownloadEngineTest, DeleteEntryWithASizeFailsTheSizeCheck) {
    test::ServedFile doomed("old.dat", "", "delete");
    doomed.size = 10;
    publish({doomed});
    ASSERT_EQ(run(), ListOutcome::Ready);
    download();
    EXPECT_FALSE(checkDownloadedSizes(*session));
    EXPECT_NE(test::readFile(install.module() + "/update.log")
                  .find(common::utf8ToGbk("===old.dat 下载出错,文件大小与服务器上的不一致!==")),
              std::string::npos);
}

TEST_F(DownloadEngineTest, StoppingAbortsRunningTransfers) {
    publish({{"slow.bin", std::string(100000, 's')}});
    server.fault("/files/slow.bin", Fault::Stall);
    ASSERT_EQ(run(), ListOutcome::Ready);
    session->transferOptions.timeout = 60;
    auto engine = std::make_unique<DownloadEngine>(*session, quick());
    engine->start();
    while (server.hits("/files/slow.bin") == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    auto before = std::chrono::steady_clock::now();
    engine.reset();  // the owner goes away while the download runs
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));
    UpdateEntry& e = entry("slow.bin");
    EXPECT_EQ(e.state, kStatePaused);
    EXPECT_EQ(e.allowed, 0);
    EXPECT_EQ(stateText(e.state), " 暂停下载");
    EXPECT_EQ(session->failedCount, 1);
    EXPECT_EQ(server.hits("/files/slow.bin"), 1) << "a paused entry is not tried again";
}

TEST(DownloadTexts, Forms) {
    EXPECT_EQ(speedLine(0, 0), " 0个文件正在下载, 下载速度：  0  KB/s");
    EXPECT_EQ(speedLine(3, 12345), " 3个文件正在下载, 下载速度： 12.34 KB/s");
    EXPECT_EQ(speedLine(10, 2500000), "10个文件正在下载, 下载速度：  2.50 MB/s");
    EXPECT_EQ(speedLine(1, 500), " 1个文件正在下载, 下载速度：  0.50 KB/s");
    EXPECT_EQ(countLine(5, 2), "需下载[5]，已完成[2]个文件");
    EXPECT_EQ(sizeText(1024), " 1024 B");
    EXPECT_EQ(sizeText(1025), "    1 KB");
    EXPECT_EQ(sizeText(1048576), " 1024 KB");
    EXPECT_EQ(sizeText(1048577), "    1 MB");
    EXPECT_EQ(progressText(1, 3), "33.33%");
    EXPECT_EQ(progressText(0, 0), "100.00%");
    EXPECT_EQ(clockText(3725), "01:02:05");
    EXPECT_EQ(stateText(kStateWaiting), " 等待下载");
    struct Case {
        std::int32_t configured;
        int used;
    } cases[] = {{8, 8}, {10, 10}, {11, 10}, {1000, 10}, {0, 1}, {-3, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(usedWorkers(c.configured), c.used) << c.configured;
}

}  // namespace
}  // namespace upvarro
