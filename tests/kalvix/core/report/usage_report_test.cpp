// The usage report's address and check value, its one request, and the updater's launch.

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "kalvix/core/report/updater_launch.h"
#include "kalvix/core/report/usage_report.h"
#include "support/raw_server.h"

namespace kalvix::report {
namespace {

struct AddressCase {
    HardwareAddress bytes;
    const char* text;
    const char* check;  // MD5 of "138" + text + salt, from an independent implementation
};

TEST(UsageReport, AddressAndCheckValueForFixedInputs) {
    const AddressCase cases[] = {
        {{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E},
         "00-1A-2B-3C-4D-5E",
         "cdcb070979509142dcd6d2dbf2694d95"},
        {{0x0A, 0x0B, 0x0C, 0xF0, 0xFF, 0x01},
         "0A-0B-0C-F0-FF-01",
         "a6a1b2559fb57fc5bf07e14a149b8bc0"},
    };
    for (const AddressCase& c : cases) {
        EXPECT_EQ(formatAdapterAddress(c.bytes), c.text);
        EXPECT_EQ(checkValue(c.text), c.check) << c.text;
    }
    // No adapter: the check value covers the number and the salt alone.
    EXPECT_EQ(checkValue(""), "02356a51cf3925db9097add126785b00");
    EXPECT_EQ(reportAddress("http://stats.example", "00-1A-2B-3C-4D-5E"),
              "http://stats.example/tools/game_box/pts/web/game_box.php?SoftwareID=138&macAdd="
              "00-1A-2B-3C-4D-5E&chk=cdcb070979509142dcd6d2dbf2694d95");
    EXPECT_EQ(reportAddress("http://s", ""),
              "http://s/tools/game_box/pts/web/game_box.php?SoftwareID=138&macAdd=&chk="
              "02356a51cf3925db9097add126785b00");
}

TEST(UsageReport, AdapterTextIsEmptyOrSeventeenCharacters) {
    std::string text = adapterAddressText();
    if (!text.empty()) {
        ASSERT_EQ(text.size(), 17u);
        for (std::size_t i = 2; i < 17; i += 3)
            EXPECT_EQ(text[i], '-');
    }
    EXPECT_EQ(text.empty(), !firstAdapterAddress().has_value());
}

TEST(UpdaterLaunch, PathRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"/d/tools/bin/kalvix", "/d/tools/update/upvarro"},
        {"/d/tools/kalvix", "/d/tools/update/upvarro"},
        // The comparison is case-sensitive.
        {"/d/tools/Bin/kalvix", "/d/tools/Bin/update/upvarro"},
        {"/d/tools/binx/kalvix", "/d/tools/binx/update/upvarro"},
        {"/d/xbin/kalvix", "/d/xbin/update/upvarro"},
        {"/d/bin/bin/kalvix", "/d/bin/update/upvarro"},
    };
    for (const auto& [toolbox, updater] : cases)
        EXPECT_EQ(updaterPath(toolbox), updater) << toolbox;
}

TEST(UpdaterLaunch, CommandLineAndEndpoints) {
    const std::tuple<const char*, const char*, int> servers[] = {
        {"update.example", "update.example", 80},
        {"127.0.0.1:8080", "127.0.0.1", 8080},
        {"h:x", "h", 80},
        {"h:0", "h", 80},
        {"h:70000", "h", 80},
        {"", "", 80},
    };
    for (const auto& [text, host, port] : servers) {
        UpdateServer s = parseUpdateServer(text);
        EXPECT_EQ(s.host, host) << text;
        EXPECT_EQ(s.port, port) << text;
    }
    EXPECT_EQ(updateCommandLine({"update.example", 80}),
              "RUN_UPDATE@0@update.example@80@/softupdate/xyq");
    EXPECT_EQ(updateCommandLine({"127.0.0.1", 8080}),
              "RUN_UPDATE@0@127.0.0.1@8080@/softupdate/xyq");
    // The 260-byte buffer of the command line.
    EXPECT_EQ(updateCommandLine({std::string(400, 'h'), 80}).size(), 259u);

    std::map<std::string, std::string> env;
    auto getEnv = [&env](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    Endpoints e = resolveEndpoints("http://stats.example", "update.example", getEnv);
    EXPECT_EQ(e.statsBase, "http://stats.example");
    EXPECT_EQ(e.update.host, "update.example");
    env["KALVIX_STATS_BASE"] = "http://127.0.0.1:9";
    env["KALVIX_UPDATE_HOST"] = "127.0.0.1:9000";
    e = resolveEndpoints("http://stats.example", "update.example", getEnv);
    EXPECT_EQ(e.statsBase, "http://127.0.0.1:9");
    EXPECT_EQ(e.update.host, "127.0.0.1");
    EXPECT_EQ(e.update.port, 9000);
    env["KALVIX_STATS_BASE"] = "";  // set but empty: no report
    EXPECT_EQ(resolveEndpoints("http://stats.example", "u", getEnv).statsBase, "");
}

TEST(UpdaterLaunch, OnlyTheWholeMarkerSuppresses) {
    EXPECT_TRUE(updaterSuppressed("DONT_RUN_UPVARRO"));
    EXPECT_FALSE(updaterSuppressed("/opt/kalvix/kalvix DONT_RUN_UPVARRO"));
    EXPECT_FALSE(updaterSuppressed("dont_run_upvarro"));
    EXPECT_FALSE(updaterSuppressed("DONT_RUN_UPVARRO "));
    EXPECT_FALSE(updaterSuppressed(""));
    EXPECT_NE(ownCommandLine().find("report"), std::string::npos) << ownCommandLine();
}

TEST(UpdaterLaunch, StartsTheUpdaterUnlessSuppressed) {
    auto root =
        std::filesystem::temp_directory_path() / ("kalvix-launch-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "update");
    const auto marker = root / "started";
    {
        std::ofstream script(root / "update" / "upvarro");
        script << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
    }
    std::filesystem::permissions(root / "update" / "upvarro", std::filesystem::perms::owner_all);
    const std::string toolbox = (root / "bin" / "kalvix").string();

    EXPECT_FALSE(launchUpdater(toolbox, "DONT_RUN_UPVARRO", {"h", 80}));
    // A build without an update server starts no updater.
    EXPECT_FALSE(launchUpdater(toolbox, toolbox, {"", 80}));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(std::filesystem::exists(marker));

    EXPECT_TRUE(launchUpdater(toolbox, toolbox + " DONT_RUN_UPVARRO", {"h", 80}));
    for (int i = 0; i < 100 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(std::filesystem::exists(marker));
    // A missing updater is not reported to anyone, but it was not started either.
    EXPECT_FALSE(launchUpdater((root / "elsewhere" / "sub" / "kalvix").string(), "", {"h", 80}));
    std::filesystem::remove_all(root);
}

using test_support::RawServer;

TEST(UsageReport, SendsOneGetAndIgnoresTheAnswer) {
    struct Case {
        const char* name;
        const char* reply;
    } cases[] = {
        {"Ok", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok"},
        // An error status is an answer like any other.
        {"NotFound", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"},
    };
    for (const Case& c : cases) {
        RawServer server(c.reply);
        std::string base = "http://127.0.0.1:" + std::to_string(server.port());
        ReportResult r = sendReport(reportAddress(base, "00-1A-2B-3C-4D-5E"));
        EXPECT_TRUE(r.ok) << c.name << ": " << r.error;
        EXPECT_TRUE(r.sent) << c.name;
        EXPECT_EQ(server.request().rfind(
                      "GET /tools/game_box/pts/web/game_box.php?SoftwareID=138&macAdd="
                      "00-1A-2B-3C-4D-5E&chk=cdcb070979509142dcd6d2dbf2694d95 HTTP/1.1\r\n",
                      0),
                  0u)
            << c.name << ": " << server.request();
    }
}

TEST(UsageReport, FailuresAreBoundedAndExplained) {
    ReportResult nothing = sendReport("");
    EXPECT_TRUE(nothing.ok);
    EXPECT_FALSE(nothing.sent);

    // A server that takes the request and never answers is given up after the timeout.
    RawServer silent("", true);
    auto started = std::chrono::steady_clock::now();
    ReportResult r = sendReport("http://127.0.0.1:" + std::to_string(silent.port()) + "/x", {1, 2});
    auto took = std::chrono::steady_clock::now() - started;
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "操作超时");
    EXPECT_LT(took, std::chrono::seconds(5));

    // Nobody listening.
    int port;
    {
        RawServer gone("");
        port = gone.port();
    }
    r = sendReport("http://127.0.0.1:" + std::to_string(port) + "/x", {1, 2});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "无法与服务器建立连接");

    // The caller can stop a request early.
    RawServer slow("", true);
    std::atomic<bool> abort{true};
    started = std::chrono::steady_clock::now();
    r = sendReport("http://127.0.0.1:" + std::to_string(slow.port()) + "/x", {5, 10}, &abort);
    EXPECT_FALSE(r.ok);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
}

// The box speaks the player's language whatever libcurl says; a name that cannot be resolved
// is not tried for real here, that would ask the network's name server.
TEST(UsageReport, FailuresReadInChinese) {
    EXPECT_STREQ(failureText(failureOf(CURLE_COULDNT_RESOLVE_HOST)), "无法解析服务器的名称或地址");
    EXPECT_STREQ(failureText(failureOf(CURLE_COULDNT_RESOLVE_PROXY)), "无法解析服务器的名称或地址");
    EXPECT_STREQ(failureText(failureOf(CURLE_SSL_CONNECT_ERROR)), "与服务器的连接出错");
    ReportResult r = sendReport("unknown://127.0.0.1/x", {1, 2});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "与服务器的连接出错");
}

}  // namespace
}  // namespace kalvix::report
