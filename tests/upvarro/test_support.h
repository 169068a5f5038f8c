#pragma once
// Helpers of the updater's tests: temporary installation folders and a loopback web server
// that can misbehave on purpose.

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/files.h"
#include "support/wait_for.h"

namespace upvarro::test {

using test_support::readFile;
using test_support::TempDir;
using test_support::waitFor;
using test_support::writeFile;

std::string fixture(const std::string& name);  // bytes of tests/data/upvarro/<name>
std::string md5(const std::string& bytes);
// Replaces every "@SERVER@" with the server's folder URL.
std::string replaceAll(std::string text, const std::string& from, const std::string& to);

struct ProcessResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
    bool timedOut = false;  // still running at the limit, and killed then
};
// Runs program with argv (argv[0] included) and waits for it.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& argv);
// The same, killing it when it has not ended within limit.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& argv,
                         std::chrono::milliseconds limit);
// A program left running until the test ends it (SIGKILL at the latest when destroyed),
// started in folder when one is given.
class Running {
  public:
    Running(const std::string& program, const std::vector<std::string>& argv,
            const std::string& folder = {});
    ~Running() { stop(); }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
    void stop();
    // Ends it with SIGTERM; the wait status it ended with.
    int end();
    // True when the program is still running.
    bool alive();
    int pid() const { return pid_; }

  private:
    int pid_ = -1;
    int status_ = 0;
};
// Copies the built upvarro into the installation's update folder.
void installUpdater(const std::string& to);

// An installation folder: <root>/update/upvarro is the updater's own path.
struct Installation {
    TempDir dir;
    std::string sub;  // a folder of dir that holds the installation, when not dir itself
    std::string root() const { return sub.empty() ? dir.path() : dir.path() + "/" + sub; }
    std::string module() const { return dir.path() + "/update"; }
    std::string self() const { return module() + "/upvarro"; }
    std::string temp() const { return dir.path() + "/temp"; }
    Installation();
    explicit Installation(std::string subfolder);
    // upvarro.ini pointing at the server.
    void configure(int port, const std::string& listPath, int logLevel = 1, int threads = 8,
                   const std::string& scheme = "http") const;
};

enum class Fault {
    None,
    ErrorPage,   // 404 with an HTML body
    Drop,        // headers with the full length, then the connection closes
    Truncate,    // half the body, then the connection closes
    Stall,       // headers, then no data until the server stops
    WrongBytes,  // the right size with other content
    Oversize,    // the body and as much again, its length declared
    Endless,     // chunked, no length: the body, then more until the client gives up
    Trickle,     // one byte every 400 ms, for at most 20 s
    Redirect,    // 302 to the address given with redirect()
};

// How a TestServer speaks: plain HTTP, or HTTPS with the certificate of tests/data/upvarro/tls
// that the test CA signed (trusted once a transfer is told testCaFile()), or a self-signed one.
enum class Tls { None, TestCa, Untrusted };
// The test CA's certificate.
std::string testCaFile();

class TestServer {
  public:
    explicit TestServer(Tls tls = Tls::None);
    ~TestServer();

    int port() const { return port_; }
    std::string url(const std::string& folder = "/files") const;

    void put(const std::string& path, std::string body);
    // The fault applies to the first `times` requests of path (all of them when negative).
    void fault(const std::string& path, Fault fault, int times = -1);
    // Where Fault::Redirect sends the client.
    void redirect(const std::string& path, const std::string& location);
    // Sends bodies slowly: each request takes at least this long.
    void setBodyDelay(std::chrono::milliseconds delay) { delay_ = delay; }

    int hits(const std::string& path) const;
    void resetHits();
    // Largest number of requests served at once.
    int maxConcurrent() const { return maxConcurrent_; }

  private:
    void handle(const httplib::Request& req, httplib::Response& res);

    Tls tls_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> bodies_;
    std::map<std::string, std::pair<Fault, int>> faults_;
    std::map<std::string, std::string> redirects_;
    std::map<std::string, int> hits_;
    std::atomic<int> concurrent_{0};
    std::atomic<int> maxConcurrent_{0};
    std::atomic<bool> stopping_{false};
    std::chrono::milliseconds delay_{0};
};

}  // namespace upvarro::test
