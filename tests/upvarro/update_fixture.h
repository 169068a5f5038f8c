#pragma once
// A published update set on a loopback server and an installation that fetches it.

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_support.h"
#include "upvarro/core/download_engine.h"
#include "upvarro/core/list_step.h"
#include "upvarro/core/startup.h"

namespace upvarro::test {

struct ServedFile {
    ServedFile(std::string n, std::string c, std::string a = "")
        : name(std::move(n)), content(std::move(c)), action(std::move(a)) {}
    std::string name;
    std::string content;
    std::string action;      // empty: a plain update
    std::int32_t size = -1;  // list size; -1: the content's
};

class UpdateFixture : public ::testing::Test {
  protected:
    void SetUp() override { install.configure(server.port(), "/list"); }

    // Publishes the files under /files and their list under /list.
    void publish(const std::vector<ServedFile>& files, bool changelog = true) {
        std::string xml = "<system><item name=\"Title\" value=\"Kalvix\"/></system><files>";
        for (const ServedFile& f : files) {
            std::int32_t size = f.size < 0 ? static_cast<std::int32_t>(f.content.size()) : f.size;
            xml += "<file name=\"" + f.name + "\" checksum=\"" + md5(f.content) + "\" DownUrl=\"" +
                   server.url() + "\" size=\"" + std::to_string(size) + "\"" +
                   (f.action.empty() ? "" : " action=\"" + f.action + "\"") + "/>";
            server.put("/files/" + f.name, f.content);
        }
        server.put("/list/soft_update.xml", xml + "</files>");
        if (changelog)
            server.put("/list/changelog.txt", "changes");
    }

    // Start-up and the list step as the updater runs them; records the events.
    ListOutcome run() {
        session = std::make_unique<UpdateSession>(Folders::fromExecutable(install.self()),
                                                  install.self());
        EXPECT_EQ(startUp(*session, parseCommandLine("RUN_UPDATE@1"), 0), StartupOutcome::Continue);
        session->updateKey = updateKey;
        session->buildTime = buildTime;
        if (now)
            session->clock = [t = now] { return t; };
        events.clear();
        session->subscribe([this](Event e, int) {
            std::lock_guard guard(eventsLock);
            events.push_back(e);
        });
        session->transferOptions.caFile = caFile;
        Transfer transfer(session->transferOptions);
        return runListStep(*session, transfer);
    }

    // The download step with its pacing shortened; false when it has not ended within the
    // limit (it is stopped then), so a hanging engine fails a test instead of blocking it.
    bool downloadQuickly(std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        EngineTimings t;
        t.firstPeriod = std::chrono::milliseconds(20);
        t.busyPeriod = std::chrono::milliseconds(25);
        t.idlePeriod = std::chrono::milliseconds(5);
        t.worker.statisticsPeriod = std::chrono::milliseconds(50);
        t.worker.afterDone = std::chrono::milliseconds(5);
        struct Done {
            std::promise<void> promise;
            std::atomic<bool> set{false};
        };
        auto done = std::make_shared<Done>();
        session->subscribe([done](Event e, int) {
            if (e == Event::DownloadsDone && !done->set.exchange(true))
                done->promise.set_value();
        });
        auto ended = done->promise.get_future();
        DownloadEngine engine(*session, t);
        engine.start();
        bool inTime = ended.wait_for(limit) == std::future_status::ready;
        engine.stop();
        return inTime;
    }

    std::vector<std::string> actionNames() const {
        std::vector<std::string> names;
        for (const UpdateEntry* e : session->actionList)
            names.push_back(e->name);
        return names;
    }

    UpdateEntry& entry(const std::string& name) const {
        for (const auto& e : session->updateList)
            if (e->name == name)
                return *e;
        throw std::runtime_error("no entry " + name);
    }

    int count(Event e) {
        std::lock_guard guard(eventsLock);
        return static_cast<int>(std::count(events.begin(), events.end(), e));
    }

    TestServer server;
    Installation install;
    std::string updateKey;  // the session's: lists must be signed with it when not empty
    std::int64_t now = 0;   // the session's clock; 0: the system's
    // The session's build time: signed lists older than it are refused; the tests' lists are
    // dated as they please.
    std::int64_t buildTime = 0;
    std::string caFile;  // the certificate authorities of HTTPS servers; empty: the system's
    std::unique_ptr<UpdateSession> session;
    std::mutex eventsLock;
    std::vector<Event> events;
};

}  // namespace upvarro::test
