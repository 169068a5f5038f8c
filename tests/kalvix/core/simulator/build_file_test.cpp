#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/gbk.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_fields.h"
#include "kalvix/core/simulator/build_file.h"
#include "kalvix/core/simulator/build_record.h"
#include "kalvix/core/simulator/build_simulator.h"
#include "support/files.h"
#include "support/record_layout.h"

namespace kalvix {
namespace {

namespace L = record_layout;
using test_support::readFile;
using test_support::writeFile;

std::int32_t le(const BuildRecord& r, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, r.bytes().data() + offset, 4);  // the build machines are little-endian
    return v;
}

void putLe(BuildRecord& r, std::size_t offset, std::int32_t v) {
    std::memcpy(r.bytes().data() + offset, &v, 4);
}

// Every field's place as the codec and the JSON use it: the fields of each block follow one
// another without gap or overlap, fill the block, are named once in it and are as wide as
// their values, and the last equipment record ends where the record does.
class FieldTiling {
  public:
    FieldTiling(std::string block, std::size_t base, std::vector<std::string>& problems)
        : block_(std::move(block)), base_(base), next_(base), problems_(problems) {}

    std::size_t end() const { return next_; }

    void operator()(const FieldInfo& f, const std::int32_t&) { place(f, 4); }
    void operator()(const FieldInfo& f, const float&) { place(f, 4); }
    void operator()(const FieldInfo& f, const bool&) { place(f, 0); }
    void operator()(const FieldInfo& f, const std::string&) { place(f, L::kTextField); }
    template <std::size_t N>
    void operator()(const FieldInfo& f, const std::array<std::int32_t, N>&) {
        place(f, 4 * N);
    }
    template <class Block>
    void operator()(const FieldInfo& f, const Block& block) {
        place(f, 0);
        inner(block_ + "." + std::string(f.name), block, base_ + f.offset, f.width);
    }
    template <std::size_t N>
    void operator()(const FieldInfo& f, const std::array<EquipmentRecord, N>& pieces) {
        place(f, N * L::kEquipmentSize);
        for (std::size_t i = 0; i < N; ++i)
            inner("equipment[" + std::to_string(i) + "]", pieces[i],
                  base_ + f.offset + L::kEquipmentSize * i, L::kEquipmentSize);
    }

  private:
    void problem(const std::string& text) { problems_.push_back(block_ + ": " + text); }
    void place(const FieldInfo& f, std::size_t valueWidth) {
        const std::string name(f.name);
        if (!names_.insert(name).second)
            problem(name + " is named twice");
        if (base_ + f.offset != next_)
            problem(name + " starts at " + std::to_string(base_ + f.offset) + ", not " +
                    std::to_string(next_));
        if (valueWidth != 0 && f.width != valueWidth)
            problem(name + " is " + std::to_string(f.width) + " bytes wide, its value " +
                    std::to_string(valueWidth));
        next_ = base_ + f.offset + f.width;
    }
    template <class Block>
    void inner(const std::string& name, const Block& block, std::size_t start, std::size_t width) {
        FieldTiling fields(name, start, problems_);
        forEachField(block, fields);
        if (fields.end() != start + width)
            problem(name + "'s fields end at " + std::to_string(fields.end()) + ", not " +
                    std::to_string(start + width));
    }

    std::string block_;
    std::size_t base_;
    std::size_t next_;
    std::set<std::string> names_;
    std::vector<std::string>& problems_;
};

TEST(BuildFields, TileTheRecordAndAreNamedOnce) {
    const CharacterBuild build;
    std::vector<std::string> problems;
    FieldTiling fields("record", 0, problems);
    forEachField(build, fields);
    EXPECT_EQ(fields.end(), L::kSize);
    EXPECT_EQ(problems, std::vector<std::string>{});
}

TEST(BuildRecord, DefaultsAtTheirOffsets) {
    BuildRecord r;
    r.bytes().fill(0x5A);
    r.resetDefaults();
    // Race, school, texts and level are left alone.
    EXPECT_EQ(le(r, L::kRace), 0x5A5A5A5A);
    EXPECT_EQ(le(r, L::kLevel), 0x5A5A5A5A);
    EXPECT_EQ(r.bytes()[L::kServer], 0x5A);
    EXPECT_EQ(r.bytes()[98], 1);
    EXPECT_EQ(le(r, 104), 0);
    for (std::size_t o = 108; o < 176; o += 4)
        EXPECT_EQ(le(r, o), 0) << o;
    EXPECT_EQ(le(r, 176), 0);  // growth 0.0
    EXPECT_EQ(le(r, 180), 100);
    EXPECT_EQ(le(r, 184), 100);
    EXPECT_EQ(le(r, 188), 100);
    for (std::size_t o = 192; o < 212; o += 4)
        EXPECT_EQ(le(r, o), 0) << o;
    const std::size_t starts[] = {212, 396, 580, 764, 948, 1132, 1316};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const std::size_t b = starts[i];
        EXPECT_EQ(le(r, b), i == 0 ? -1 : i);
        EXPECT_EQ(le(r, b + 4), -1);
        EXPECT_EQ(le(r, b + 8), 0);  // strengthened and filler
        EXPECT_EQ(le(r, b + 12), -1);
        for (std::size_t o = 16; o < 148; o += 4)
            EXPECT_EQ(le(r, b + o), 0) << o;
        EXPECT_EQ(le(r, b + 148), 0);
        for (std::size_t o = 152; o < 184; o += 4)
            EXPECT_EQ(le(r, b + o), -1) << o;
    }
}

TEST(BuildRecord, HandBuiltRecordReadsAndWritesBack) {
    BuildRecord r;
    r.resetDefaults();
    putLe(r, 0, 2);
    putLe(r, 4, 3);
    const std::string server = common::utf8ToGbk("紫禁城");
    std::memcpy(r.bytes().data() + 8, server.data(), server.size());
    const std::string name = common::utf8ToGbk("剑侠客a");
    std::memcpy(r.bytes().data() + 68, name.data(), name.size());
    r.bytes()[98] = 0;
    putLe(r, 100, 109);
    putLe(r, 104, 7);
    putLe(r, 108 + 4 * 7, 150);  // skill slot 8
    putLe(r, 140 + 4 * 3, 40);   // 健身
    putLe(r, 156 + 4 * 4, 33);   // 敏捷
    const float growth = 1.25f;
    std::memcpy(r.bytes().data() + 176, &growth, 4);
    putLe(r, 180, 55);
    putLe(r, 208, 700);              // mount 敏捷
    putLe(r, 1316 + 4, 12);          // boots level index
    r.bytes()[1316 + 8] = 1;         // strengthened
    putLe(r, 1316 + 12, 57);         // stunt
    putLe(r, 1316 + 16, 4);          // 狩猎
    putLe(r, 1316 + 20, 16 | 128);   // 坚固, 珍宝
    putLe(r, 1316 + 24 + 16, 41);    // base 敏捷
    putLe(r, 1316 + 44 + 20, 96);    // base 速度
    putLe(r, 1316 + 76 + 4, -3);     // added 魔力
    putLe(r, 1316 + 96 + 8, 5);      // melt 力量
    putLe(r, 1316 + 116 + 28, -12);  // melt 灵力
    putLe(r, 1316 + 148, 3);
    putLe(r, 1316 + 152, 42);  // reserved
    putLe(r, 1316 + 156, 21);
    putLe(r, 1316 + 160, 0);
    putLe(r, 1316 + 164, 10300);
    putLe(r, 1316 + 180, 10608);

    const CharacterBuild b = r.readBuild();
    EXPECT_EQ(b.race, 2);
    EXPECT_EQ(b.school, 3);
    EXPECT_EQ(b.server, "紫禁城");
    EXPECT_EQ(b.area, "");
    EXPECT_EQ(b.name, "剑侠客a");
    EXPECT_FALSE(b.ascended);
    EXPECT_EQ(b.level, 109);
    EXPECT_EQ(b.extraPotential, 7);
    EXPECT_EQ(b.skillLevel[7], 150);
    EXPECT_EQ(b.auxLevel[3], 40);
    EXPECT_EQ(b.allocated[4], 33);
    EXPECT_EQ(b.mount.growth, 1.25f);
    EXPECT_EQ(b.mount.carried[0], 55);
    EXPECT_EQ(b.mount.five[4], 700);
    const EquipmentRecord& boots = b.equipment[6];
    EXPECT_EQ(boots.slot, 6);
    EXPECT_EQ(boots.levelIndex, 12);
    EXPECT_TRUE(boots.strengthened);
    EXPECT_EQ(boots.stunt, 57);
    EXPECT_EQ(boots.partEffects, 4);
    EXPECT_EQ(boots.generalEffects, 144);
    EXPECT_EQ(boots.baseFive[4], 41);
    EXPECT_EQ(boots.baseStatus[kSpeed], 96);
    EXPECT_EQ(boots.addedFive[1], -3);
    EXPECT_EQ(boots.meltFive[2], 5);
    EXPECT_EQ(boots.meltStatus[kAnima], -12);
    EXPECT_EQ(boots.runes.holeCount, 3);
    EXPECT_EQ(boots.runes.reserved, 42);
    EXPECT_EQ(boots.runes.combinationId, 21);
    EXPECT_EQ(boots.runes.combinationLevelIndex, 0);
    EXPECT_EQ(boots.runes.stoneIds[0], 10300);
    EXPECT_EQ(boots.runes.stoneIds[4], 10608);

    BuildRecord again;
    again.writeBuild(b);
    EXPECT_EQ(again, r);
}

TEST(BuildRecord, TextsKeepAtMost29BytesOnCharacterBoundaries) {
    struct Case {
        std::string text;
        std::string stored;
    };
    const std::string fourteen = "梦梦梦梦梦梦梦梦梦梦梦梦梦梦";  // 28 bytes
    const Case cases[] = {
        {fourteen + "a", fourteen + "a"},
        {fourteen + "梦", fourteen},  // 30 bytes: the last character does not fit
        {"a" + fourteen + "b", "a" + fourteen},
        {"", ""},
    };
    for (const Case& c : cases) {
        BuildRecord r;
        r.writeText(L::kArea, c.text);
        EXPECT_EQ(r.readText(L::kArea), c.stored);
        EXPECT_EQ(r.bytes()[L::kArea + 29], 0);
        EXPECT_EQ(r.bytes()[L::kName], 0);
    }
    // A field without its NUL whose 30th byte starts a character.
    BuildRecord r;
    const std::string gbk = "a" + common::utf8ToGbk(fourteen) + "\xC3\xCE";
    std::memcpy(r.bytes().data() + L::kServer, gbk.data(), 30);
    std::memcpy(r.bytes().data() + L::kArea, "xyz", 4);
    EXPECT_EQ(r.readText(L::kServer), "a" + fourteen);
}

TEST(BuildRecord, AscendedReadsAnyNonZeroAndWritesOne) {
    BuildRecord r;
    r.bytes()[98] = 0x7F;
    CharacterBuild b = r.readBuild();
    EXPECT_TRUE(b.ascended);
    r.writePageFields(b);
    EXPECT_EQ(r.bytes()[98], 1);
    EXPECT_EQ(r.bytes()[99], 0);
}

TEST(BuildText, EncodesTheWholeRecordAsOneLine) {
    BuildRecord r;
    for (std::size_t i = 0; i < r.bytes().size(); ++i)
        r.bytes()[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const std::string text = encodeBuildText(r);
    ASSERT_EQ(text.size(), 2000u);
    EXPECT_EQ(
        text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"),
        std::string::npos);
    BuildRecord blank;
    EXPECT_EQ(encodeBuildText(blank).substr(0, 8), "AAAAAAAA");
    BuildRecord back;
    const DecodeResult d = decodeBuildText(text, back);
    EXPECT_EQ(d.bytes, 1500u);
    EXPECT_FALSE(d.failed);
    EXPECT_EQ(back, r);
    // "ABC" is "QUJD" in every Base64.
    BuildRecord abc;
    abc.bytes()[0] = 'A';
    abc.bytes()[1] = 'B';
    abc.bytes()[2] = 'C';
    EXPECT_EQ(encodeBuildText(abc).substr(0, 4), "QUJD");
}

TEST(BuildText, TolerantDecoding) {
    struct Case {
        const char* what;
        std::string text;
        std::size_t bytes;
        bool failed;
        std::string expected;  // the first bytes of the record afterwards
    };
    const Case cases[] = {
        {"a line break ends the data", "QUJD\nQUJD", 3, false, "ABC\x77"},
        {"a trailing line break", "QUJDQUJD\n", 6, false, "ABCABC\x77"},
        {"carriage return", "QUJD\r\n", 3, false, "ABC\x77"},
        {"garbage at a group start", "QUJD!UJD", 3, false, "ABC\x77"},
        {"garbage inside a group counts -1", "QUJDQ!JD", 6, false, "ABC\xFF\xF2\x43\x77"},
        {"one pad", "QUI=", 2, false, "AB\x77"},
        {"two pads, then more groups", "QQ==QUJD", 4, false, "AABC\x77"},
        {"character after a pad", "QUJDQ=JD", 3, true, "ABC\x77"},
        {"three pads", "Q===", 0, true, "\x77"},
        {"four pads", "====QUJD", 0, true, "\x77"},
        {"short text", "QUJDQU", 3, true, "ABC\x77"},
        {"empty", "", 0, false, "\x77"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuildRecord r;
        r.bytes().fill(0x77);
        const DecodeResult d = decodeBuildText(c.text, r);
        EXPECT_EQ(d.bytes, c.bytes);
        EXPECT_EQ(d.failed, c.failed);
        EXPECT_EQ(std::string(r.bytes().begin(), r.bytes().begin() + c.expected.size()),
                  c.expected);
    }
}

TEST(BuildText, NeverWritesBeyondTheRecord) {
    BuildRecord r;
    const DecodeResult d = decodeBuildText(std::string(4000, '/'), r);
    EXPECT_EQ(d.bytes, 1500u);
    EXPECT_EQ(r.bytes()[1499], 0xFF);
    EXPECT_EQ(firstBuildLine(std::string(4000, 'A')).size(), 2001u);
    EXPECT_EQ(firstBuildLine("AAAA\nBBBB"), "AAAA\n");
}

class BuildFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(temp_.path().empty()); }
    test_support::TempDir temp_;
    std::string dir_ = temp_.path();
};

TEST_F(BuildFileTest, FreshPageSavesAndLoadsTheSameNumbers) {
    BuildRecord record;
    record.resetDefaults();
    BuildSimulator page(Catalogue::instance(), 0);
    record.writePageFields(page.build());
    const std::string path = dir_ + "/a.PSF";
    ASSERT_EQ(saveBuildFile(path, record).status, BuildFileStatus::Done);
    const std::string text = readFile(path);
    EXPECT_EQ(text.size(), 2000u);
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(text, encodeBuildText(record));

    BuildRecord loaded;
    const BuildFileResult r = loadBuildFile(path, loaded);
    ASSERT_EQ(r.status, BuildFileStatus::Done);
    EXPECT_FALSE(r.decode.failed);
    EXPECT_EQ(loaded, record);
    BuildSimulator other(Catalogue::instance(), 30);
    other.applyRecord(loaded);
    EXPECT_EQ(other.sheet(), page.sheet());
}

TEST_F(BuildFileTest, LoadAppliesTheStoredAllocationAfterTheLevel) {
    BuildRecord record;
    record.resetDefaults();
    BuildSimulator page(Catalogue::instance(), 60);
    page.setServer("长安");
    page.addPoints(0, 5);
    page.addPoints(4, 1);
    page.setSkillLevel(3, 70);
    EquipmentRecord weapon = blankEquipment(1);
    weapon.baseStatus[kHurt] = 220;
    // The editor writes its piece into the record, then the page takes it.
    record.writeEquipment(1, weapon);
    page.replaceEquipment(1, record.readEquipment(1));
    // Runes set through 符石模拟 go into the record at once, even if the editor is cancelled.
    EquipmentRecord head = record.readEquipment(3);
    head.runes.holeCount = 1;
    head.runes.stoneIds[0] = 10000;
    record.writeEquipment(3, head);
    const std::string path = dir_ + "/a.PSF";
    ASSERT_EQ(page.saveFile(path, record).status, BuildFileStatus::Done);
    EXPECT_EQ(page.sheet().total[0], 10 + 60 + 5);

    BuildRecord shared;
    shared.resetDefaults();
    BuildSimulator sim(Catalogue::instance(), 0);
    ASSERT_EQ(sim.loadFile(path, shared).status, BuildFileStatus::Done);
    EXPECT_EQ(sim.build().level, 60);
    EXPECT_EQ(sim.build().allocated, page.build().allocated);
    EXPECT_EQ(sim.build().server, "长安");
    EXPECT_EQ(sim.build().equipment[3], head);
    EXPECT_EQ(sim.sheet().total[0], 10 + 60 + 5 + 1);
    page.replaceEquipment(3, head);
    EXPECT_EQ(sim.sheet(), page.sheet());

    // A trailing line break loads the same.
    writeFile(path, readFile(path) + "\r\n");
    BuildRecord withBreak;
    ASSERT_EQ(loadBuildFile(path, withBreak).status, BuildFileStatus::Done);
    EXPECT_EQ(withBreak, record);
}

TEST_F(BuildFileTest, WrappedEmptyAndMissingFiles) {
    BuildRecord source;
    source.bytes().fill(0x11);
    const std::string text = encodeBuildText(source);
    std::string wrapped;
    for (std::size_t i = 0; i < text.size(); i += 76)
        wrapped += text.substr(i, 76) + "\n";
    writeFile(dir_ + "/wrapped.PSF", wrapped);
    BuildRecord r;
    r.bytes().fill(0x22);
    const BuildFileResult w = loadBuildFile(dir_ + "/wrapped.PSF", r);
    ASSERT_EQ(w.status, BuildFileStatus::Done);
    EXPECT_EQ(w.decode.bytes, 57u);
    EXPECT_EQ(r.bytes()[56], 0x11);
    EXPECT_EQ(r.bytes()[57], 0x22);

    writeFile(dir_ + "/empty.PSF", "");
    BuildRecord e;
    e.bytes().fill(0x33);
    EXPECT_EQ(loadBuildFile(dir_ + "/empty.PSF", e).status, BuildFileStatus::Empty);
    EXPECT_EQ(e.bytes()[0], 0x33);
    EXPECT_TRUE(loadBuildFile(dir_ + "/empty.PSF", e).message.empty());

    BuildSimulator sim(Catalogue::instance(), 20);
    const AttributeSheet before = sim.sheet();
    EXPECT_EQ(sim.loadFile(dir_ + "/empty.PSF", e).status, BuildFileStatus::Empty);
    EXPECT_EQ(sim.build().level, 20);
    EXPECT_EQ(sim.sheet(), before);

    const std::string missing = dir_ + "/none/x.PSF";
    const BuildFileResult m = loadBuildFile(missing, e);
    EXPECT_EQ(m.status, BuildFileStatus::OpenFailed);
    EXPECT_EQ(m.message, "Open " + missing + " failed!\n");
    EXPECT_EQ(saveBuildFile(missing, e).status, BuildFileStatus::OpenFailed);
    EXPECT_EQ(e.bytes()[0], 0x33);
}

TEST_F(BuildFileTest, FullDiskIsReportedOnSave) {
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    const BuildFileResult r = saveBuildFile("/dev/full", BuildRecord{});
    EXPECT_EQ(r.status, BuildFileStatus::WriteFailed);
    EXPECT_EQ(r.message, "Write /dev/full failed!\n");
}

// A disk that fills up after 1 KiB (a file-size limit in a child process): the build that
// was there stays, with its permission bits, and nothing is left beside it. The old way of
// writing NAME.part through fopen followed a link planted under that name.
TEST_F(BuildFileTest, SavingKeepsTheOldFileOnAFullDisk) {
    const std::string file = dir_ + "/a.PSF";
    BuildRecord old;
    old.bytes()[100] = 77;
    writeFile(file, encodeBuildText(old));
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    writeFile(dir_ + "/victim", "keep");
    ASSERT_EQ(::symlink((dir_ + "/victim").c_str(), (dir_ + "/a.PSF.part").c_str()), 0);
    auto folder = [this] {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = folder();

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const BuildFileResult r = saveBuildFile(file, BuildRecord{});
        ::_exit(r.status == BuildFileStatus::WriteFailed &&
                        r.message == "Write " + file + " failed!\n"
                    ? 0
                    : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(file), encodeBuildText(old));
    EXPECT_EQ(folder(), before);

    // Room again: the new build replaces the old one, keeping its bits; the link's target is
    // untouched.
    ASSERT_EQ(saveBuildFile(file, BuildRecord{}).status, BuildFileStatus::Done);
    EXPECT_EQ(readFile(file), encodeBuildText(BuildRecord{}));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(readFile(dir_ + "/victim"), "keep");
    EXPECT_EQ(folder(), before);
}

}  // namespace
}  // namespace kalvix
