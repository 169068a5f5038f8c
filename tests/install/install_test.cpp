// The installation as a new user gets it: cmake --install of this build into a temporary
// prefix, the folder moved elsewhere, every program started from another current folder.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using upvarro::test::ProcessResult;
using upvarro::test::readFile;
using upvarro::test::TempDir;
using upvarro::test::TestServer;
using upvarro::test::waitFor;
using upvarro::test::writeFile;

ProcessResult install(const std::string& prefix, const std::string& destdir = {}) {
    if (destdir.empty())
        unsetenv("DESTDIR");
    else
        setenv("DESTDIR", destdir.c_str(), 1);
    ProcessResult r = upvarro::test::runProcess(
        CMAKE_PROGRAM, {CMAKE_PROGRAM, "--install", KALVIX_BUILD_DIR, "--prefix", prefix});
    unsetenv("DESTDIR");
    return r;
}

// Runs a program with the given current folder.
ProcessResult runIn(const std::string& folder, const std::string& program,
                    const std::vector<std::string>& argv) {
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    ProcessResult r = upvarro::test::runProcess(program, argv);
    fs::current_path(before);
    return r;
}

json parsed(const ProcessResult& r) {
    EXPECT_EQ(r.status, 0) << r.err;
    return json::parse(r.out, nullptr, false);
}

std::string replaceLine(std::string text, const std::string& key, const std::string& value) {
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return text;
    const std::size_t end = text.find('\n', at + 1);
    return text.replace(at + 1, end - at - 1, key + "=" + value);
}

// Width and height from a PNG file's header chunk.
std::pair<int, int> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    auto at = [&](std::size_t i) {
        return (static_cast<unsigned char>(bytes[i]) << 24) |
               (static_cast<unsigned char>(bytes[i + 1]) << 16) |
               (static_cast<unsigned char>(bytes[i + 2]) << 8) |
               static_cast<unsigned char>(bytes[i + 3]);
    };
    return {at(16), at(20)};
}

const char* const kReportPath = "/tools/game_box/pts/web/game_box.php";

TEST(Install, MovedFolderWorksFromAnotherCurrentFolder) {
    TempDir tmp;
    const std::string first = tmp.path() + "/first";
    const ProcessResult installed = install(first);
    ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
    for (const char* file : {"kalvix", "kalvix-calc", "kalvix-quizdb", "upvarro-publish",
                             "Conversion.dat", "xyq.ini", "update/upvarro", "update/upvarro.ini"})
        EXPECT_TRUE(fs::is_regular_file(first + "/" + file)) << file;
    // The menu entry belongs to system prefixes only.
    EXPECT_FALSE(fs::exists(first + "/share"));

    // The updater's configuration names the server this build was configured with.
    std::string host = KALVIX_CONFIGURED_UPDATE_HOST;
    std::string port = "80";
    if (std::size_t colon = host.rfind(':'); colon != std::string::npos) {
        port = host.substr(colon + 1);
        host.resize(colon);
    }
    std::string ini = readFile(first + "/update/upvarro.ini");
    EXPECT_NE(ini.find("\nUpdateHost=" + host + "\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\nUpdatePort=" + port + "\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\nUpdateListUrlPath=/softupdate/xyq\n"), std::string::npos) << ini;

    fs::create_directories(tmp.path() + "/moved");
    const std::string root = tmp.path() + "/moved/kalvix box";
    fs::rename(first, root);
    const std::string elsewhere = tmp.path() + "/elsewhere";
    fs::create_directories(elsewhere);
    const std::string calc = root + "/kalvix-calc";

    ProcessResult version = runIn(elsewhere, calc, {calc, "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("kalvix-calc ") + KALVIX_PROJECT_VERSION + "\n");

    // The installed publisher writes the same version into the lists it makes.
    const std::string publisher = root + "/upvarro-publish";
    const std::string release = tmp.path() + "/release";
    fs::create_directories(release + "/data");
    writeFile(release + "/data/a.txt", "a");
    ProcessResult published = runIn(
        elsewhere, publisher, {publisher, release, "--url", "http://updates.example.org/xyq"});
    EXPECT_EQ(published.status, 0) << published.out << published.err;
    const std::string list = readFile(release + "/soft_update.xml");
    EXPECT_NE(list.find(std::string("\"Version\" value=\"") + KALVIX_PROJECT_VERSION + "\""),
              std::string::npos)
        << list;
    EXPECT_NE(list.find("name=\"data\\a.txt\""), std::string::npos) << list;

    // The sample store and guide file beside the moved programs.
    json quiz = parsed(runIn(elsewhere, calc, {calc, "答题器", "关键字=床前明月光"}));
    EXPECT_EQ(quiz["结果"], json::parse(R"([["“床前明月光”的作者是", "李白"]])"));
    quiz = parsed(runIn(elsewhere, calc,
                        {calc, "--store=" + root + "/Conversion.dat", "答题器", "关键字=端午节"}));
    EXPECT_FALSE(quiz["结果"].empty()) << quiz.dump();
    const json guide =
        parsed(runIn(elsewhere, calc, {calc, "常用攻略", "剧情攻略.剧情任务=商人的鬼魂"}));
    EXPECT_EQ(guide["剧情攻略.攻略"].get<std::string>().rfind("【示例攻略】商人的鬼魂\r\n", 0), 0u)
        << guide.dump();

    // The updater reads the upvarro.ini of its own folder, wherever the folder went.
    TestServer server;
    const std::string notes = "notes";
    server.put("/files/readme.txt", notes);
    server.put("/softupdate/xyq/soft_update.xml",
               "<system></system><files><file name=\"readme.txt\" checksum=\"" +
                   upvarro::test::md5(notes) + "\" DownUrl=\"" + server.url() + "\" size=\"" +
                   std::to_string(notes.size()) + "\"/></files>");
    ini = replaceLine(ini, "UpdateHost", "127.0.0.1");
    writeFile(root + "/update/upvarro.ini",
              replaceLine(ini, "UpdatePort", std::to_string(server.port())));
    const std::string updater = root + "/update/upvarro";
    ProcessResult update = runIn(elsewhere, updater, {updater, "--unattended", "--list-only"});
    EXPECT_EQ(update.status, 0) << update.out << update.err;
    EXPECT_NE(update.out.find("download+copy\treadme.txt\t5\n"), std::string::npos) << update.out;
    EXPECT_EQ(server.hits("/softupdate/xyq/soft_update.xml"), 1);

#ifdef UPVARRO_ANSWER_HOOK
    // The installed toolbox shows its window (the usage report follows the first frame),
    // starts the installed updater, and is still up until it is ended. (Only where the
    // updater takes its answer from UPVARRO_ANSWER: a release build's would wait for one.)
    const std::string base = "http://127.0.0.1:" + std::to_string(server.port());
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Started by root, the toolbox has to look after the embedded browser's sandbox itself.
    if (::geteuid() == 0)
        unsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    else
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    setenv("KALVIX_STATS_BASE", base.c_str(), 1);
    setenv("KALVIX_UPDATE_HOST", ("127.0.0.1:" + std::to_string(server.port())).c_str(), 1);
    // The updater the toolbox starts declines its prompt and ends.
    setenv("UPVARRO_ANSWER", "later", 1);
    {
        upvarro::test::Running kalvix(root + "/kalvix", {root + "/kalvix"}, elsewhere);
        EXPECT_TRUE(waitFor([&] { return server.hits(kReportPath) == 1; }, 20000));
        EXPECT_TRUE(
            waitFor([&] { return server.hits("/softupdate/xyq/soft_update.xml") == 2; }, 10000));
        EXPECT_TRUE(kalvix.alive());
        const int status = kalvix.end();
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    }
    unsetenv("KALVIX_STATS_BASE");
    unsetenv("KALVIX_UPDATE_HOST");
    unsetenv("UPVARRO_ANSWER");
#endif

    // A second install keeps the updater's own configuration.
    writeFile(root + "/update/upvarro.ini", "[Server]\nUpdateListUrlPath=/mine\n");
    ASSERT_EQ(install(root).status, 0);
    EXPECT_EQ(readFile(root + "/update/upvarro.ini"), "[Server]\nUpdateListUrlPath=/mine\n");
}

// A system prefix gets the usual layout (programs in bin/, data in share/kalvix/, the updater
// in lib/kalvix/, nothing at the top of the prefix) and the desktop's files.
TEST(Install, SystemPrefixGetsTheSystemLayoutMenuEntryAndIcons) {
    TempDir dest;
    const ProcessResult installed = install("/usr", dest.path());
    ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
    const std::string usr = dest.path() + "/usr";
    for (const char* file :
         {"bin/kalvix", "bin/kalvix-calc", "bin/kalvix-quizdb", "bin/upvarro-publish",
          "share/kalvix/Conversion.dat", "share/kalvix/xyq.ini", "lib/kalvix/upvarro",
          "lib/kalvix/upvarro.ini", "share/doc/kalvix/LICENSE",
          "share/metainfo/org.kalvix.Kalvix.metainfo.xml", "share/man/man1/kalvix.1",
          "share/man/man1/kalvix-calc.1", "share/man/man1/kalvix-quizdb.1",
          "share/man/man1/upvarro.1", "share/man/man1/upvarro-publish.1"})
        EXPECT_TRUE(fs::is_regular_file(usr + "/" + file)) << file;
    for (const fs::directory_entry& e : fs::directory_iterator(usr))
        EXPECT_TRUE(e.is_directory()) << e.path();
    const std::string entry = dest.path() + "/usr/share/applications/kalvix.desktop";
    const std::string text = readFile(entry);
    EXPECT_NE(text.find("\nExec=\"/usr/bin/kalvix\" %f\n"), std::string::npos) << text;
    // Build files open with the toolbox.
    EXPECT_NE(text.find("\nMimeType=application/x-kalvix-build;\n"), std::string::npos) << text;
    EXPECT_NE(readFile(dest.path() + "/usr/share/mime/packages/kalvix-build.xml")
                  .find("<glob pattern=\"*.psf\" case-sensitive=\"false\"/>"),
              std::string::npos);
    EXPECT_NE(text.find("\nName[zh_CN]=梦幻西游实用工具箱\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nCategories=Game;Utility;\n"), std::string::npos) << text;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string icon = dest.path() + "/usr/share/icons/hicolor/" + std::to_string(size) +
                                 "x" + std::to_string(size) + "/apps/kalvix.png";
        EXPECT_EQ(pngSize(readFile(icon)), std::make_pair(size, size)) << icon;
    }
    const std::string validator = DESKTOP_FILE_VALIDATE;
    if (validator.empty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    ProcessResult valid = upvarro::test::runProcess(validator, {validator, entry});
    EXPECT_EQ(valid.status, 0) << valid.out << valid.err;
}

}  // namespace
