// What a hostile update list or server can no longer do: plant settings, reach other schemes,
// make a run wait for ever, or send more than the list promised.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/gbk.h"
#include "common/hex_digest.h"
#include "common/profile_file.h"
#include "update_fixture.h"
#include "upvarro/core/download_texts.h"
#include "upvarro/core/installer.h"
#include "upvarro/core/list_signature.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/update_list.h"

namespace upvarro {
namespace {

using test::Fault;

std::string fileXml(const std::string& url, const std::string& name, const std::string& content,
                    const std::string& extra = "") {
    return "<file name=\"" + name + "\" checksum=\"" + test::md5(content) + "\" DownUrl=\"" + url +
           "\" size=\"" + std::to_string(content.size()) + "\"" + extra + "/>";
}

class HostileTest : public test::UpdateFixture {
  protected:
    std::string log() const {
        return common::gbkToUtf8(test::readFile(install.module() + "/update.log"));
    }
};

TEST(ProfileWriter, ValuesStayOnTheirLine) {
    common::ProfileFile ini;
    ini.parse("[Version]\nTitle=t\n[Server]\nUpdateHost=good\n");
    using namespace std::string_literals;
    ini.setString("Version", "Title", "a\r\n[Server]\nUpdateHost=evil\0x"s);
    ini.setString("Other\n[Server]", "Key\nUpdateHost", "evil");
    common::ProfileFile again;
    again.parse(ini.text());
    EXPECT_EQ(again.value("Server", "UpdateHost"), "good");
    EXPECT_EQ(again.value("Version", "Title"), "a[Server]UpdateHost=evilx");
    EXPECT_EQ(ini.text().find("\nUpdateHost=evil"), std::string::npos) << ini.text();
}

// A value of the list that holds line ends, written back at the finish, changes no other key.
TEST_F(HostileTest, ListValuesCannotPlantSettings) {
    const std::string plant =
        "x&#13;&#10;[Server]&#10;UpdateHost=evil.example&#10;UpdatePort=9&#10;"
        "UpdateListUrlPath=/evil&#10;LogLevel=0";
    for (const char* key : {"Title", "Version", "WaterMarkPath", "BannerPath", "DownUrl"}) {
        SCOPED_TRACE(key);
        install.configure(server.port(), "/list");
        std::string url = server.url();
        std::string system;
        if (std::string(key) == "DownUrl")
            url += "/" + plant;
        else
            system =
                "<system><i name=\"" + std::string(key) + "\" value=\"" + plant + "\"/></system>";
        server.put("/files/a.txt", "a");
        server.put("/list/changelog.txt", "c");
        server.put("/list/soft_update.xml",
                   system + "<files>" + fileXml(url, "a.txt", "a") + "</files>");
        // An address with a line end in it is refused as a whole; the configuration is still
        // written back, as on every exit.
        bool address = std::string(key) == "DownUrl";
        ListOutcome outcome = run();
        EXPECT_EQ(outcome, address ? ListOutcome::Invalid : ListOutcome::Ready);
        if (address) {
            EXPECT_NE(log().find("x??[Server]?UpdateHost=evil.example?"), std::string::npos)
                << "quoted in the log, without its line ends";
        }
        if (outcome == ListOutcome::Ready) {
            downloadQuickly();
            runInstallStep(*session);
            finishUpdate(*session);
        } else {
            writeConfiguration(install.module() + "/upvarro.ini", session->settings);
        }

        // The text stays inside its own value, on its own line.
        const std::string text = test::readFile(install.module() + "/upvarro.ini");
        EXPECT_EQ(text.find("\n[Server]"), text.rfind("\n[Server]")) << text;
        EXPECT_EQ(text.find("\nUpdateHost=evil"), std::string::npos) << text;
        Settings s;
        ASSERT_TRUE(readConfiguration(install.module() + "/upvarro.ini", s, 0));
        EXPECT_EQ(s.updateHost, "127.0.0.1");
        EXPECT_EQ(s.updatePort, server.port());
        EXPECT_EQ(s.updateListUrlPath, "/list");
        EXPECT_EQ(s.logLevel, 1);
        session.reset();
    }
}

TEST_F(HostileTest, OnlyWebAddressesAreFetched) {
    test::TempDir elsewhere;
    const std::string secret = elsewhere.path() + "/secret";
    test::writeFile(secret, "private bytes");
    ::chmod(secret.c_str(), 0600);
    const std::string port = std::to_string(server.port());
    struct Case {
        std::string downUrl;
        bool accepted;
    } cases[] = {
        {"file://" + elsewhere.path(), false},
        {"FILE://" + elsewhere.path(), false},
        {"ftp://127.0.0.1:" + port + "/files", false},
        {"gopher://127.0.0.1:" + port + "/files", false},
        {"dict://127.0.0.1:" + port + "/files", false},
        {"127.0.0.1:" + port + "/files", false},  // no scheme: libcurl would guess one
        {"HTTP://127.0.0.1:" + port + "/files", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.downUrl);
        server.put("/files/secret", "served");
        server.put("/list/changelog.txt", "c");
        server.put("/list/soft_update.xml",
                   "<files>" + fileXml(c.downUrl, "secret", "private bytes") + "</files>");
        std::filesystem::remove(install.module() + "/update.log");
        ASSERT_EQ(run(), c.accepted ? ListOutcome::Ready : ListOutcome::Invalid);
        if (c.accepted)
            continue;
        EXPECT_EQ(session->status(), kListInvalid);
        EXPECT_NE(log().find("的下载地址 " + c.downUrl + " 不是 http 或 https 地址"),
                  std::string::npos)
            << log();
        EXPECT_TRUE(session->updateList.empty());
        session.reset();
    }

    // The transfer itself refuses them too, and never follows a redirect to one.
    Transfer transfer;
    const std::string out = install.temp() + "/out";
    EXPECT_FALSE(transfer.fetch("file://" + secret, out));
    EXPECT_TRUE(transfer.lastRefusedScheme());
    EXPECT_FALSE(platform::fileExists(out));
    server.redirect("/list/soft_update.xml", "file://" + secret);
    EXPECT_FALSE(transfer.fetch(server.url("/list") + "/soft_update.xml", out));
    EXPECT_FALSE(platform::fileExists(out));

    server.fault("/list/soft_update.xml", Fault::None, 0);
    server.put("/list/soft_update.xml",
               "<files>" + fileXml(server.url(), "secret", "private bytes") + "</files>");
    server.redirect("/files/secret", "file://" + secret);
    ASSERT_EQ(run(), ListOutcome::Ready);
    ASSERT_TRUE(downloadQuickly());
    EXPECT_EQ(entry("secret").state, kStateFailed);
    EXPECT_FALSE(platform::fileExists(install.temp() + "/secret"));
    EXPECT_FALSE(checkDownloadedSizes(*session));
}

// Entries that are never handed out are not waited for: every run ends.
TEST_F(HostileTest, EntriesNeverHandedOutAreNotWaitedFor) {
    test::writeFile(install.self(), "the updater");
    struct Case {
        const char* what;
        std::string entries;
        int downloads;
        bool sizesPass;
    } cases[] = {
        {"the updater asks to delete itself",
         fileXml(server.url(), "update/upvarro", "", " action=\"delete\""), 0, true},
        {"the updater with an unknown action",
         fileXml(server.url(), "update/upvarro", "new", " action=\"frobnicate\""), 0, false},
        {"an unknown action beside a file",
         fileXml(server.url(), "x.dat", "x", " action=\"frobnicate\"") +
             fileXml(server.url(), "y.dat", "y"),
         1, false},  // the size check still sees x.dat missing, as for every listed entry
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        server.put("/files/y.dat", "y");
        server.put("/files/update/upvarro", "new");
        server.put("/list/changelog.txt", "c");
        server.put("/list/soft_update.xml", "<files>" + c.entries + "</files>");
        std::filesystem::remove(install.module() + "/localList.dat");
        ASSERT_EQ(run(), ListOutcome::Ready);
        EXPECT_EQ(session->downloadCount, c.downloads);
        EXPECT_FALSE(session->selfUpdate) << "nothing to hand over to";
        ASSERT_TRUE(downloadQuickly(std::chrono::seconds(5))) << "the download step ends";
        EXPECT_EQ(checkDownloadedSizes(*session), c.sizesPass);
        if (c.sizesPass)
            runInstallStep(*session);
        EXPECT_EQ(test::readFile(install.self()), "the updater");
        session.reset();
    }
}

TEST_F(HostileTest, BodiesBeyondTheirSizeAndTricklingServers) {
    struct Case {
        const char* what;
        Fault fault;
        int times;
        int hits;
        int state;
    } cases[] = {
        {"declared length beyond the list size", Fault::Oversize, -1, 1, kStateFailed},
        {"chunked body without end", Fault::Endless, -1, 1, kStateFailed},
        {"a trickle is a failed attempt", Fault::Trickle, 1, 2, kStateDownloaded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        publish({{"big.bin", std::string(4096, 'b')}, {"ok.bin", "fine"}});
        server.fault("/files/big.bin", c.fault, c.times);
        std::filesystem::remove_all(install.temp());
        ASSERT_EQ(run(), ListOutcome::Ready);
        session->transferOptions.lowSpeedLimit = 100;
        session->transferOptions.lowSpeedTime = 2;
        server.resetHits();
        auto before = std::chrono::steady_clock::now();
        ASSERT_TRUE(downloadQuickly());
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
        EXPECT_EQ(server.hits("/files/big.bin"), c.hits);
        EXPECT_EQ(entry("big.bin").state, c.state);
        struct stat st {};
        ASSERT_EQ(::stat((install.temp() + "/ok.bin").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u) << "downloads are ours alone";
        EXPECT_EQ(platform::fileExists(install.temp() + "/big.bin"), c.state == kStateDownloaded)
            << "a failed entry leaves no file";
        server.fault("/files/big.bin", Fault::None, 0);
        session.reset();
    }
}

TEST_F(HostileTest, ListAndChangelogSizeLimits) {
    const std::string entries = "<files>" + fileXml(server.url(), "a", "a") + "</files>";
    server.put("/files/a", "a");
    auto padded = [&](std::size_t size) {
        return entries + "<!--" + std::string(size - entries.size() - 7, 'p') + "-->";
    };
    struct Case {
        std::size_t list;
        std::size_t changelog;
        const char* status;
    } cases[] = {
        {kListFetchLimit, kChangelogFetchLimit, "发现1个文件需要更新"},
        {kListFetchLimit + 1, 10, kListDownloadFailed},
        {1000, kChangelogFetchLimit + 1, kChangelogFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.list) + " / " + std::to_string(c.changelog));
        server.put("/list/soft_update.xml", padded(c.list));
        server.put("/list/changelog.txt", std::string(c.changelog, 'c'));
        run();
        EXPECT_EQ(session->status(), c.status);
        session.reset();
    }
    EXPECT_NE(log().find("soft_update.xml 超过 8 MiB，已拒绝"), std::string::npos);
    EXPECT_NE(log().find("changelog.txt 超过 64 KiB，已拒绝"), std::string::npos);
}

// The list, its change log and its files over HTTPS: a server whose certificate the trusted
// authorities signed is taken; one they did not sign is refused before any byte is read, even
// with a certificate file of the test's own given.
TEST_F(HostileTest, HttpsServersAreCheckedAgainstTheTrustedAuthorities) {
    struct Case {
        test::Tls tls;
        bool trusted;
    } cases[] = {{test::Tls::TestCa, true}, {test::Tls::Untrusted, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trusted ? "signed by the test CA" : "self-signed");
        test::TestServer tls(c.tls);
        install.configure(tls.port(), "/list", 1, 8, "https");
        tls.put("/files/a.txt", "over tls");
        tls.put("/list/changelog.txt", "c");
        tls.put("/list/soft_update.xml",
                "<files>" + fileXml(tls.url(), "a.txt", "over tls") + "</files>");
        caFile = test::testCaFile();
        const ListOutcome outcome = run();
        if (!c.trusted) {
            EXPECT_EQ(outcome, ListOutcome::DownloadFailed);
            EXPECT_EQ(tls.hits("/list/soft_update.xml"), 0);
            session.reset();
            continue;
        }
        ASSERT_EQ(outcome, ListOutcome::Ready) << session->status();
        ASSERT_TRUE(downloadQuickly());
        ASSERT_TRUE(checkDownloadedSizes(*session));
        runInstallStep(*session);
        EXPECT_EQ(test::readFile(install.root() + "/a.txt"), "over tls");
        session.reset();
    }

    // Redirects keep their scheme or move up to https, never down to http.
    test::TestServer tls(test::Tls::TestCa);
    tls.put("/files/a.txt", "over tls");
    server.put("/files/a.txt", "in the clear");
    tls.redirect("/down", server.url() + "/a.txt");
    server.redirect("/up", tls.url() + "/a.txt");
    server.redirect("/along", server.url() + "/a.txt");
    TransferOptions options;
    options.caFile = test::testCaFile();
    Transfer transfer(options);
    const std::string out = install.temp() + "/out";
    EXPECT_FALSE(transfer.fetch(tls.url("/down"), out));
    EXPECT_FALSE(platform::fileExists(out));
    ASSERT_TRUE(transfer.fetch(server.url("/up"), out));
    EXPECT_EQ(test::readFile(out), "over tls");
    ASSERT_TRUE(transfer.fetch(server.url("/along"), out));
    EXPECT_EQ(test::readFile(out), "in the clear");
}

// A signed list is taken whole or not at all: nothing in it is cut or left unchecked after its
// signature was verified, and a fresh installation takes nothing older than its updater.
TEST_F(HostileTest, SignedListsAreTakenWholeOrNotAtAll) {
    auto pair = generateKeyPair();
    ASSERT_TRUE(pair);
    const SigningKey key = *readSigningKey(pair->privatePem);
    updateKey = key.publicKey;
    buildTime = 1765000000;
    const std::string url = server.url();
    auto sha = [](const std::string& bytes) {
        return " sha256=\"" + common::HexDigest::ofBytes(common::DigestKind::Sha256, bytes) + "\"";
    };
    const std::string good = fileXml(url, "a.txt", "a", sha("a"));
    const std::string longName(kNameLimit + 1, 'n');
    const std::string longUrl = url + "/" + std::string(kUrlLimit, 'u');
    struct Case {
        const char* what;
        std::string system;
        std::string files;
        std::int64_t time;
        const char* status;
    } cases[] = {
        {"every entry with its sha256", "", good, buildTime, "发现1个文件需要更新"},
        {"an entry without its sha256", "", good + fileXml(url, "b.txt", "b"), buildTime,
         kListInvalid},
        {"a delete entry without its sha256", "",
         good + fileXml(url, "old.txt", "", " action=\"delete\""), buildTime, kListInvalid},
        {"a name longer than kept", "", fileXml(url, longName, "a", sha("a")), buildTime,
         kListInvalid},
        {"a DownUrl longer than kept", "", fileXml(longUrl, "a.txt", "a", sha("a")), buildTime,
         kListInvalid},
        {"a checksum longer than kept", "",
         "<file name=\"a.txt\" checksum=\"" + test::md5("a") + "0\" DownUrl=\"" + url +
             "\" size=\"1\"" + sha("a") + "/>",
         buildTime, kListInvalid},
        {"a Version longer than kept",
         "<i name=\"Version\" value=\"" + std::string(64, 'v') + "\"/>", good, buildTime,
         kListInvalid},
        {"published before the updater was built", "", good, buildTime - 1, kListOutdated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        server.put("/files/a.txt", "a");
        server.put("/list/changelog.txt", "c");
        const std::string list = "<system PublishTime=\"" + std::to_string(c.time) + "\">" +
                                 c.system + "</system><files>" + c.files + "</files>";
        server.put("/list/soft_update.xml", list);
        server.put("/list/soft_update.xml.sig", *signList(list, key));
        server.resetHits();
        run();
        EXPECT_EQ(session->status(), c.status);
        if (c.status != std::string(kListInvalid) && c.status != std::string(kListOutdated)) {
            session.reset();
            continue;
        }
        EXPECT_TRUE(session->updateList.empty());
        EXPECT_EQ(session->settings.version, "1.0.0000") << "nothing of the list was taken";
        EXPECT_EQ(server.hits("/files/a.txt") + server.hits("/list/changelog.txt"), 0);
        session.reset();
    }
}

// Lists that say their server keeps UTF-8 names ask for every reserved byte encoded, the
// folders left as they are; lists without the word keep the GBK escaping their servers have.
TEST(FileUrl, SpellsNamesAsTheListSays) {
    struct Case {
        const char* name;
        NameSpelling spelling;
        const char* url;
    };
    const Case cases[] = {
        {"说明.txt", NameSpelling::Utf8, "http://h/f/%E8%AF%B4%E6%98%8E.txt"},
        {"说明.txt", NameSpelling::Gbk, "http://h/f/%CB%B5%C3%F7.txt"},
        {"a b/#1%+?&=;'!*(),$@[].~_-", NameSpelling::Utf8,
         "http://h/f/a%20b/%231%25%2B%3F%26%3D%3B%27%21%2A%28%29%2C%24%40%5B%5D.~_-"},
        {"docs/深 层/x", NameSpelling::Utf8, "http://h/f/docs/%E6%B7%B1%20%E5%B1%82/x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fileUrl("http://h/f", c.name, c.spelling), c.url) << c.name;
}

TEST(FileUrl, TheListSaysHowItsServerSpellsNames) {
    const Folders folders = Folders::fromExecutable("/nonexistent/tool/update/upvarro");
    auto spelling = [&](const std::string& system) -> std::optional<NameSpelling> {
        Settings settings;
        auto list = parseUpdateList(system +
                                        "<files><file name=\"a\" checksum=\"0\" "
                                        "DownUrl=\"http://h/f\" size=\"1\"/></files>",
                                    folders, settings);
        if (!list)
            return std::nullopt;
        return list->entries.at(0)->spelling;
    };
    EXPECT_EQ(spelling(""), NameSpelling::Gbk);
    EXPECT_EQ(spelling("<system/>"), NameSpelling::Gbk);
    EXPECT_EQ(spelling("<system NameEncoding=\"UTF-8\"/>"), NameSpelling::Utf8);
    EXPECT_EQ(spelling("<system NameEncoding=\"utf-8\"/>"), NameSpelling::Utf8);
    EXPECT_EQ(spelling("<system NameEncoding=\"GBK\"/>"), NameSpelling::Gbk);
    EXPECT_EQ(spelling("<system NameEncoding=\"Latin-1\"/>"), std::nullopt)
        << "a server whose names cannot be spelt is asked for none";
}

// A GBK trail byte 0x5C is part of its character, not a folder separator.
TEST_F(HostileTest, GbkNamesWithBackslashTrailBytes) {
    EXPECT_EQ(fileUrl("http://h/f", "乗 俓/a#?%\"\\.txt"),
              "http://h/f/%81%5C%20%82%5C/a%23%3F%25%22%5C.txt");
    const std::string name = "数据/乗俓.txt";
    const std::string content = "gbk";
    server.put("/files/" + common::utf8ToGbk(name), content);
    server.put("/list/changelog.txt", "c");
    // The list names the folder with "\" as well.
    server.put("/list/soft_update.xml",
               common::utf8ToGbk("<files>" + fileXml(server.url(), "数据\\乗俓.txt", content) +
                                 "</files>"));
    ASSERT_EQ(run(), ListOutcome::Ready);
    ASSERT_TRUE(downloadQuickly());
    EXPECT_EQ(session->failedCount, 0);
    EXPECT_TRUE(checkDownloadedSizes(*session));
    runInstallStep(*session);
    EXPECT_EQ(test::readFile(install.root() + "/" + name), content);
}

}  // namespace
}  // namespace upvarro
