#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_file.h"
#include "kalvix/core/simulator/build_record.h"
#include "kalvix/core/simulator/build_simulator.h"
#include "kalvix/core/simulator/build_summary.h"
#include "support/calc_process.h"
#include "support/files.h"

namespace {

using kalvix::test::runCalc;
using nlohmann::json;
using test_support::readFile;

class BuildCli : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(temp_.path().empty()); }
    std::string path(const char* name) const { return dir_ + name; }
    test_support::TempDir temp_;
    std::string dir_ = temp_.path();
};

TEST_F(BuildCli, NewDecodeAndEncodeAgree) {
    auto made = runCalc({"build", "new", "race=1", "school=2", "level=100", "name=镇元大仙",
                         "allocated=[50,0,20,0,30]", "skillLevel[1]=90", "mount.growth=1.25",
                         "mount.five[0]=400", "equipment[1].levelIndex=10",
                         "equipment[1].baseStatus[3]=360", "equipment[1].stunt=18",
                         "equipment[1].runes.holeCount=2", "equipment[1].runes.stoneIds[0]=10301",
                         "--save", path("/a.PSF")});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(readFile(path("/a.PSF")).size(), 2000u);

    auto decoded = runCalc({"build", "decode", path("/a.PSF")});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
    const json j = json::parse(decoded.out);
    EXPECT_EQ(j, json::parse(made.out));
    EXPECT_EQ(j["record"]["name"], "镇元大仙");
    EXPECT_EQ(j["record"]["mount"]["growth"], 1.25);

    // The same numbers as the simulator computes in-process.
    kalvix::BuildRecord record;
    ASSERT_EQ(kalvix::loadBuildFile(path("/a.PSF"), record).status, kalvix::BuildFileStatus::Done);
    kalvix::BuildSimulator sim(kalvix::Catalogue::instance(), 0);
    sim.applyRecord(record);
    const auto& s = sim.sheet();
    EXPECT_EQ(j["sheet"]["finalStatus"], json(s.finalStatus));
    EXPECT_EQ(j["sheet"]["total"], json(s.total));
    EXPECT_EQ(j["sheet"]["skillBonus"], json(s.skillBonus));
    EXPECT_EQ(j["sheet"]["remainingPotential"], s.remainingPotential);
    EXPECT_EQ(j["summaries"]["equipment"][0],
              kalvix::equipmentSummary(sim.build().equipment[1], kalvix::Catalogue::instance()));
    EXPECT_EQ(j["summaries"]["bottom"]["stunt"][0], "破血狂攻");

    std::ofstream(path("/a.json")) << decoded.out;
    auto encoded = runCalc({"build", "encode", path("/a.json"), path("/b.PSF")});
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
    EXPECT_EQ(readFile(path("/b.PSF")), readFile(path("/a.PSF")));
}

// A file name that is not UTF-8 is printed with U+FFFD, after the file is written.
TEST_F(BuildCli, InvalidUtf8PrintsValidJson) {
    auto made = runCalc({"build", "new", "level=30"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    std::ofstream(path("/a.json")) << made.out;
    auto encoded = runCalc({"build", "encode", path("/a.json"), path("/odd\xff.PSF")});
    ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
    EXPECT_EQ(json::parse(encoded.out)["file"], path("/odd\uFFFD.PSF"));
    EXPECT_EQ(readFile(path("/odd\xff.PSF")).size(), 2000u);
}

// A disk full after 1 KiB (the shell's file-size limit): the old build stays and the error is
// the one line of the contract.
TEST_F(BuildCli, EncodeOnAFullDiskKeepsTheOldFile) {
    auto made = runCalc({"build", "new", "level=30"});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    std::ofstream(path("/a.json")) << made.out;
    std::ofstream(path("/b.PSF")) << "old build";
    using kalvix::test::shellQuote;
    const std::string cmd = "trap '' XFSZ; ulimit -f 1; " + shellQuote(KALVIX_CALC) +
                            " build encode " + shellQuote(path("/a.json")) + " " +
                            shellQuote(path("/b.PSF")) + " 2>&1";
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    char buf[512];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        out.append(buf, n);
    const int status = pclose(p);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
    EXPECT_EQ(out, "kalvix-calc: Write " + path("/b.PSF") + " failed!\n");
    EXPECT_EQ(readFile(path("/b.PSF")), "old build");
    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir_))
        files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2u);  // a.json and b.PSF
}

TEST_F(BuildCli, EmptyAndDamagedFiles) {
    std::ofstream(path("/empty.PSF")).close();
    auto empty = runCalc({"build", "decode", path("/empty.PSF")});
    ASSERT_EQ(empty.exitCode, 0) << empty.err;
    const json e = json::parse(empty.out);
    EXPECT_EQ(e["record"]["level"], 0);
    EXPECT_EQ(e["record"]["equipment"][1]["slot"], 1);
    EXPECT_EQ(e["sheet"]["remainingPotential"], 15);
    EXPECT_EQ(e["summaries"]["mount"], "<h3>坐骑</h3>");

    // Every byte 0xFF: every value reads -1, the texts are undecodable.
    kalvix::BuildRecord bad;
    bad.bytes().fill(0xFF);
    std::ofstream(path("/bad.PSF"), std::ios::binary) << kalvix::encodeBuildText(bad);
    auto damaged = runCalc({"build", "decode", path("/bad.PSF")});
    ASSERT_EQ(damaged.exitCode, 0) << damaged.err;
    const json d = json::parse(damaged.out);
    EXPECT_EQ(d["record"]["race"], 0);
    EXPECT_EQ(d["record"]["level"], 0);
    EXPECT_EQ(d["record"]["allocated"], json({0, 0, 0, 0, 0}));
    EXPECT_EQ(d["record"]["mount"]["growth"], 0.0);
    EXPECT_EQ(d["record"]["equipment"][3]["slot"], 3);
    EXPECT_EQ(d["record"]["equipment"][3]["runes"]["holeCount"], 0);
}

TEST_F(BuildCli, Refusals) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const std::string missing = dir_ + "/missing.PSF";
    const Case cases[] = {
        {{"build", "decode", missing}, "kalvix-calc: Open " + missing + " failed!\n"},
        {{"build", "new", "colour=1"}, "kalvix-calc: unknown field colour\n"},
        {{"build", "new", "equipment[7].slot=1"}, "kalvix-calc: unknown field equipment[7].slot\n"},
        {{"build", "new", "allocated=[1,2]"},
         "kalvix-calc: allocated must be an array of 5 values\n"},
        {{"build", "new", "level=2147483648"}, "kalvix-calc: level is out of range\n"},
        {{"build", "new", "level=x"}, "kalvix-calc: bad value for level: x\n"},
        {{"build", "frobnicate"}, "kalvix-calc: unknown build command: frobnicate\n"},
    };
    for (const Case& c : cases) {
        auto r = runCalc(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.back();
        EXPECT_EQ(r.err, c.error);
        EXPECT_TRUE(r.out.empty());
    }
}

}  // namespace
