// A release published with upvarro-publish, served by nginx on loopback, installed by the
// updater unattended: a build with the test key compiled in takes the signed release and
// refuses a tampered list, signature or file and a replayed older release, keeping the files
// it has; a build without a key takes an unsigned release as it always did.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "common/profile_file.h"
#include "test_support.h"
#include "upvarro/core/list_step.h"

namespace upvarro {
namespace {

namespace fs = std::filesystem;

std::string nginxProgram() {
    for (const char* path : {"/usr/sbin/nginx", "/usr/bin/nginx", "/usr/local/sbin/nginx"})
        if (::access(path, X_OK) == 0)
            return path;
    return {};
}

// A port nobody listens on right now.
int freePort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool accepts(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

// nginx in the foreground, serving root at http://127.0.0.1:port/.
class Nginx {
  public:
    Nginx(const std::string& program, const std::string& root) {
        const std::string& d = dir_.path();
        fs::create_directories(d + "/logs");
        for (int attempt = 0; attempt < 5 && !running_; ++attempt) {
            port_ = freePort();
            test::writeFile(
                d + "/nginx.conf",
                "daemon off;\nmaster_process off;\nworker_processes 1;\n"
                "pid " +
                    d + "/nginx.pid;\nerror_log " + d +
                    "/logs/error.log;\n"
                    "events { worker_connections 64; }\n"
                    "http {\n  access_log off;\n  default_type application/octet-stream;\n"
                    "  client_body_temp_path " +
                    d + "/body;\n  proxy_temp_path " + d + "/proxy;\n  fastcgi_temp_path " + d +
                    "/fastcgi;\n"
                    "  uwsgi_temp_path " +
                    d + "/uwsgi;\n  scgi_temp_path " + d +
                    "/scgi;\n"
                    "  server { listen 127.0.0.1:" +
                    std::to_string(port_) + "; root " + root + "; }\n}\n");
            process_ = std::make_unique<test::Running>(
                program, std::vector<std::string>{program, "-p", d, "-c", d + "/nginx.conf"});
            running_ = test::waitFor([&] { return accepts(port_) || !process_->alive(); }, 10000) &&
                       process_->alive();
        }
    }
    bool running() const { return running_; }
    int port() const { return port_; }
    std::string errorLog() const { return test::readFile(dir_.path() + "/logs/error.log"); }

  private:
    test::TempDir dir_;
    std::unique_ptr<test::Running> process_;
    int port_ = 0;
    bool running_ = false;
};

constexpr const char* kListPath = "/softupdate/xyq";

class SignedRelease : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string nginx = nginxProgram();
        if (nginx.empty())
            GTEST_SKIP() << "nginx is not installed (scripts/install-deps installs it)";
        release = www.path() + kListPath;
        fs::create_directories(release + "/data");
        test::writeFile(release + "/kalvix", "toolbox 2.0");
        test::writeFile(release + "/data/a.txt", "table a, second edition");
        test::writeFile(release + "/changelog.txt", "2.0: new tables");
        server = std::make_unique<Nginx>(nginx, www.path());
        ASSERT_TRUE(server->running()) << server->errorLog();
        // git keeps no permission bits: the key is handed over as a key file should be.
        fs::copy_file(std::string(KALVIX_TEST_DATA) + "/upvarro/keys/update.key",
                      key.path() + "/update.key");
        fs::permissions(key.path() + "/update.key", fs::perms::owner_read | fs::perms::owner_write);
    }

    test::ProcessResult publish(std::int64_t time, bool sign = true) {
        std::vector<std::string> argv = {
            PUBLISH_BINARY, release,
            "--url",        "http://127.0.0.1:" + std::to_string(server->port()) + kListPath,
            "--title",      "Kalvix",
            "--time",       std::to_string(time)};
        if (sign) {
            argv.push_back("--key");
            argv.push_back(key.path() + "/update.key");
        }
        return test::runProcess(PUBLISH_BINARY, argv);
    }

    // An installation of release 1.0 with the given updater.
    std::unique_ptr<test::Installation> installation(const char* updater) {
        auto install = std::make_unique<test::Installation>();
        install->configure(server->port(), kListPath);
        fs::create_directories(install->root() + "/data");
        test::writeFile(install->root() + "/kalvix", "toolbox 1.0");
        test::writeFile(install->root() + "/data/a.txt", "table a, first edition");
        fs::copy_file(updater, install->self());
        return install;
    }

    static test::ProcessResult update(const test::Installation& install) {
        return test::runProcess(install.self(), {install.self(), "--unattended"});
    }

    static void expectFirstEdition(const test::Installation& install) {
        EXPECT_EQ(test::readFile(install.root() + "/kalvix"), "toolbox 1.0");
        EXPECT_EQ(test::readFile(install.root() + "/data/a.txt"), "table a, first edition");
    }

    static std::string publishTime(const test::Installation& install) {
        common::ProfileFile ini;
        ini.load(install.module() + "/upvarro.ini");
        return ini.getString("Version", "PublishTime", "");
    }

    static void flipByte(const std::string& path, std::size_t at) {
        std::string bytes = test::readFile(path);
        ASSERT_LT(at, bytes.size());
        bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
        test::writeFile(path, bytes);
    }

    // Later than this updater's build: it refuses signed lists published before it was built.
    const std::int64_t base = static_cast<std::int64_t>(std::time(nullptr)) + 3600;
    test::TempDir www;
    test::TempDir key;
    std::string release;
    std::unique_ptr<Nginx> server;
};

TEST_F(SignedRelease, InstallsTheSignedReleaseAndRefusesEveryForgery) {
    auto published = publish(base);
    ASSERT_EQ(published.status, 0) << published.err;
    ASSERT_TRUE(fs::exists(release + "/soft_update.xml.sig"));

    {
        SCOPED_TRACE("the signed release");
        auto install = installation(UPVARRO_SIGNED_BINARY);
        auto run = update(*install);
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_EQ(test::readFile(install->root() + "/kalvix"), "toolbox 2.0");
        EXPECT_EQ(test::readFile(install->root() + "/data/a.txt"), "table a, second edition");
        EXPECT_EQ(publishTime(*install), std::to_string(base));
    }

    const std::string list = release + "/soft_update.xml";
    const std::string signature = release + "/soft_update.xml.sig";
    const std::string goodList = test::readFile(list);
    const std::string goodSignature = test::readFile(signature);
    const std::string goodFile = test::readFile(release + "/data/a.txt");
    struct Forgery {
        const char* what;
        std::function<void()> tamper;
        const char* status;
    };
    const Forgery forgeries[] = {
        {"one byte of the list", [&] { flipByte(list, goodList.find("Kalvix") + 1); },
         kListBadSignature},
        {"one byte of the signature", [&] { flipByte(signature, 3); }, kListBadSignature},
        {"no signature", [&] { fs::remove(signature); }, kListUnsigned},
        {"one byte of one file", [&] { flipByte(release + "/data/a.txt", 2); },
         "下载出错，升级失败！"},
    };
    for (const Forgery& f : forgeries) {
        SCOPED_TRACE(f.what);
        test::writeFile(list, goodList);
        test::writeFile(signature, goodSignature);
        test::writeFile(release + "/data/a.txt", goodFile);
        f.tamper();
        auto install = installation(UPVARRO_SIGNED_BINARY);
        auto run = update(*install);
        EXPECT_EQ(run.status, 1) << run.out << run.err;
        EXPECT_NE(run.out.find(f.status), std::string::npos) << run.out;
        expectFirstEdition(*install);
        EXPECT_EQ(publishTime(*install), "");
    }
}

TEST_F(SignedRelease, AReplayedOlderReleaseIsRefused) {
    auto published = publish(base);
    ASSERT_EQ(published.status, 0) << published.err;
    auto install = installation(UPVARRO_SIGNED_BINARY);
    ASSERT_EQ(update(*install).status, 0);

    // The old release, signed at its time with the same key, served again.
    test::writeFile(release + "/kalvix", "toolbox 1.5 with a known hole");
    published = publish(base - 1000);
    ASSERT_EQ(published.status, 0) << published.err;
    auto run = update(*install);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find(kListOutdated), std::string::npos) << run.out;
    EXPECT_EQ(test::readFile(install->root() + "/kalvix"), "toolbox 2.0");
    EXPECT_EQ(publishTime(*install), std::to_string(base));
}

// The release before this updater was built, signed at its time with the same key: a fresh
// installation has no mark of its own, and the updater's build time stands in for it.
TEST_F(SignedRelease, AFreshInstallationRefusesAReleaseOlderThanItsUpdater) {
    auto published = publish(kBuildTime - 1);
    ASSERT_EQ(published.status, 0) << published.err;
    auto install = installation(UPVARRO_SIGNED_BINARY);
    auto run = update(*install);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find(kListOutdated), std::string::npos) << run.out;
    expectFirstEdition(*install);

    ASSERT_EQ(publish(kBuildTime).status, 0);
    run = update(*install);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(test::readFile(install->root() + "/kalvix"), "toolbox 2.0");
}

TEST_F(SignedRelease, ABuildWithoutAKeyTakesAnUnsignedRelease) {
    auto published = publish(base, false);
    ASSERT_EQ(published.status, 0) << published.err;
    EXPECT_FALSE(fs::exists(release + "/soft_update.xml.sig"));

    auto signedBuild = installation(UPVARRO_SIGNED_BINARY);
    auto refused = update(*signedBuild);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find(kListUnsigned), std::string::npos) << refused.out;
    expectFirstEdition(*signedBuild);

    auto plain = installation(UPVARRO_BINARY);
    auto run = update(*plain);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(test::readFile(plain->root() + "/kalvix"), "toolbox 2.0");
    EXPECT_EQ(publishTime(*plain), "") << "an unsigned release sets no mark";
}

// The processes running the program at path (one that was replaced since counts too).
std::vector<pid_t> runningFrom(const std::string& path) {
    std::vector<pid_t> found;
    for (const auto& item : fs::directory_iterator("/proc")) {
        const std::string id = item.path().filename().string();
        if (id.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::error_code ec;
        std::string exe = fs::read_symlink(item.path() / "exe", ec).string();
        if (ec)
            continue;
        const std::string deleted = " (deleted)";
        if (exe.size() > deleted.size() && exe.ends_with(deleted))
            exe.resize(exe.size() - deleted.size());
        // A zombie has no program any more and does not run.
        if (exe == path)
            found.push_back(static_cast<pid_t>(std::stol(id)));
    }
    return found;
}

int countLines(const std::string& text, const std::string& line) {
    int n = 0;
    std::size_t at = 0;
    while ((at = text.find(line + "\n", at)) != std::string::npos) {
        if (at == 0 || text[at - 1] == '\n')
            ++n;
        at += line.size() + 1;
    }
    return n;
}

// A release as a maker writes it on Linux: UTF-8 names with blanks and the characters URLs
// reserve, a nested folder, a file that shares the updater's name elsewhere, the updater
// itself and the toolbox that is restarted. Installed over a running toolbox, twice.
TEST_F(SignedRelease, NamesOfEveryKindArriveAndTheRunningToolboxIsRestartedOnce) {
    const std::string fake = test::readFile(FAKE_PROGRAM);
    const std::string updater = test::readFile(UPVARRO_SIGNED_BINARY);
    const std::vector<std::string> names = {"docs/说明.txt", "docs/read me #1.txt",
                                            "docs/100% + more?.txt", "docs/a&b=c/深 层/文件.txt",
                                            "docs/upvarro"};
    test::TempDir rulesDir;
    const std::string rules = rulesDir.path() + "/release.rules";
    test::writeFile(rules, "kalvix restart\n");
    auto publishEdition = [&](const std::string& edition, std::int64_t time) {
        // Trailing bytes make another file of the same program.
        test::writeFile(release + "/kalvix", fake + "\nedition " + edition);
        test::writeFile(release + "/update/upvarro", updater + "\nedition " + edition);
        for (const std::string& name : names)
            test::writeFile(release + "/" + name, name + ", edition " + edition);
        auto published = test::runProcess(
            PUBLISH_BINARY,
            {PUBLISH_BINARY, release, "--url",
             "http://127.0.0.1:" + std::to_string(server->port()) + kListPath, "--rules", rules,
             "--key", key.path() + "/update.key", "--time", std::to_string(time)});
        ASSERT_EQ(published.status, 0) << published.err;
    };

    auto install = installation(UPVARRO_SIGNED_BINARY);
    const std::string toolbox = install->root() + "/kalvix";
    test::writeFile(toolbox, fake);
    fs::permissions(toolbox, fs::perms::owner_all);
    test::writeFile(toolbox + ".stay", "");
    test::Running open(toolbox, {toolbox});
    ASSERT_TRUE(test::waitFor([&] { return fs::exists(toolbox + ".starts"); }, 5000));

    const char* editions[] = {"2.0", "3.0"};
    std::int64_t time = base;
    for (const char* edition : editions) {
        SCOPED_TRACE(edition);
        publishEdition(edition, time += 1000);
        if (HasFatalFailure())
            return;
        const std::vector<pid_t> before = runningFrom(toolbox);
        ASSERT_EQ(before.size(), 1u);
        auto run = update(*install);
        EXPECT_EQ(run.status, 0) << run.out << run.err << server->errorLog();
        for (const std::string& name : names)
            EXPECT_EQ(test::readFile(install->root() + "/" + name), name + ", edition " + edition);
        EXPECT_EQ(test::readFile(toolbox), fake + "\nedition " + edition);
        // The toolbox that ran was ended, and exactly one new one runs.
        EXPECT_TRUE(test::waitFor(
            [&] {
                auto now = runningFrom(toolbox);
                return now.size() == 1 && now != before;
            },
            10000))
            << runningFrom(toolbox).size() << " running";
        // The updater hands over to its new copy, which replaces it once this run has ended.
        EXPECT_TRUE(test::waitFor(
            [&] {
                return test::readFile(install->self()) == updater + "\nedition " + edition &&
                       runningFrom(install->temp() + "/update/upvarro").empty();
            },
            20000))
            << test::readFile(install->module() + "/update.log");
    }
    EXPECT_FALSE(open.alive());
    EXPECT_EQ(countLines(test::readFile(toolbox + ".starts"), "DONT_RUN_UPVARRO"), 2)
        << test::readFile(toolbox + ".starts");
    // The toolbox the updater started is this test's to end.
    for (pid_t pid : runningFrom(toolbox))
        ::kill(pid, SIGKILL);
}

}  // namespace
}  // namespace upvarro
