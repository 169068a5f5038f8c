#include "test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "common/md5.h"

namespace upvarro::test {

std::string fixture(const std::string& name) {
    return readFile(std::string(KALVIX_TEST_DATA) + "/upvarro/" + name);
}

std::string md5(const std::string& bytes) {
    return common::CMD5::ofBytes(bytes);
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& argv) {
    return runProcess(program, argv, std::chrono::milliseconds(0));
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& argv,
                         std::chrono::milliseconds limit) {
    ProcessResult result;
    TempDir dir;
    const std::string outPath = dir.path() + "/out";
    const std::string errPath = dir.path() + "/err";
    pid_t pid = fork();
    if (pid == 0) {
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(program.c_str(), args.data());
        _exit(127);
    }
    int status = 0;
    if (limit.count() > 0) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                result.timedOut = true;
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    } else {
        waitpid(pid, &status, 0);
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

Running::Running(const std::string& program, const std::vector<std::string>& argv,
                 const std::string& folder) {
    pid_ = ::fork();
    if (pid_ == 0) {
        if (!folder.empty() && ::chdir(folder.c_str()) != 0)
            ::_exit(126);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(program.c_str(), args.data());
        ::_exit(127);
    }
}

void Running::stop() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

int Running::end() {
    if (alive()) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, &status_, 0);
        pid_ = -1;
    }
    return status_;
}

bool Running::alive() {
    if (pid_ <= 0)
        return false;
    if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

void installUpdater(const std::string& to) {
    std::filesystem::create_directories(std::filesystem::path(to).parent_path());
    std::filesystem::copy_file(UPVARRO_BINARY, to,
                               std::filesystem::copy_options::overwrite_existing);
}

Installation::Installation() {
    std::filesystem::create_directories(module());
}

Installation::Installation(std::string subfolder) : sub(std::move(subfolder)) {
    std::filesystem::create_directories(module());
}

void Installation::configure(int port, const std::string& listPath, int logLevel, int threads,
                             const std::string& scheme) const {
    writeFile(module() + "/upvarro.ini",
              "[Version]\nVersion=1.0.0000\n[UpdateType]\nDownloadThreadNumber=" +
                  std::to_string(threads) + "\n[Server]\nUpdateScheme=" + scheme +
                  "\nUpdateHost=127.0.0.1\nUpdatePort=" + std::to_string(port) +
                  "\nUpdateListUrlPath=" + listPath + "\nLogLevel=" + std::to_string(logLevel) +
                  "\n");
}

std::string testCaFile() {
    return std::string(KALVIX_TEST_DATA) + "/upvarro/tls/ca.pem";
}

TestServer::TestServer(Tls tls) : tls_(tls) {
    const std::string tlsFolder = std::string(KALVIX_TEST_DATA) + "/upvarro/tls/";
    if (tls == Tls::None) {
        server_ = std::make_unique<httplib::Server>();
    } else {
        const std::string name = tls == Tls::TestCa ? "server" : "untrusted";
        server_ = std::make_unique<httplib::SSLServer>((tlsFolder + name + ".pem").c_str(),
                                                       (tlsFolder + name + ".key").c_str());
        if (!server_->is_valid())
            throw std::runtime_error("the test certificate " + name + ".pem cannot be loaded");
    }
    server_->Get(".*",
                 [this](const httplib::Request& req, httplib::Response& res) { handle(req, res); });
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TestServer::~TestServer() {
    stopping_ = true;
    server_->stop();
    thread_.join();
}

std::string TestServer::url(const std::string& folder) const {
    return std::string(tls_ == Tls::None ? "http" : "https") +
           "://127.0.0.1:" + std::to_string(port_) + folder;
}

void TestServer::put(const std::string& path, std::string body) {
    std::lock_guard guard(mutex_);
    bodies_[path] = std::move(body);
}

void TestServer::fault(const std::string& path, Fault fault, int times) {
    std::lock_guard guard(mutex_);
    faults_[path] = {fault, times};
}

void TestServer::redirect(const std::string& path, const std::string& location) {
    std::lock_guard guard(mutex_);
    redirects_[path] = location;
    faults_[path] = {Fault::Redirect, -1};
}

int TestServer::hits(const std::string& path) const {
    std::lock_guard guard(mutex_);
    auto it = hits_.find(path);
    return it == hits_.end() ? 0 : it->second;
}

void TestServer::resetHits() {
    std::lock_guard guard(mutex_);
    hits_.clear();
}

void TestServer::handle(const httplib::Request& req, httplib::Response& res) {
    int now = ++concurrent_;
    for (int seen = maxConcurrent_; now > seen && !maxConcurrent_.compare_exchange_weak(seen, now);)
        ;
    struct Leave {
        std::atomic<int>& c;
        ~Leave() { --c; }
    } leave{concurrent_};

    Fault fault = Fault::None;
    std::string body;
    std::string location;
    bool found = false;
    {
        std::lock_guard guard(mutex_);
        ++hits_[req.path];
        if (auto r = redirects_.find(req.path); r != redirects_.end())
            location = r->second;
        auto b = bodies_.find(req.path);
        if (b != bodies_.end()) {
            found = true;
            body = b->second;
        }
        auto f = faults_.find(req.path);
        if (f != faults_.end() && f->second.second != 0) {
            fault = f->second.first;
            if (f->second.second > 0)
                --f->second.second;
        }
    }
    if (delay_.count() > 0)
        std::this_thread::sleep_for(delay_);
    if (fault == Fault::Redirect) {
        res.status = 302;
        res.set_header("Location", location);
        res.set_content("moved", "text/plain");
        return;
    }
    if (!found || fault == Fault::ErrorPage) {
        res.status = 404;
        res.set_content("<html><body><h1>404 Not Found</h1></body></html>", "text/html");
        return;
    }
    auto shared = std::make_shared<std::string>(std::move(body));
    std::size_t size = shared->size();
    switch (fault) {
        case Fault::None:
        case Fault::ErrorPage:
        case Fault::Redirect:
            res.set_content(*shared, "application/octet-stream");
            return;
        case Fault::WrongBytes:
            for (char& c : *shared)
                c = static_cast<char>(c ^ 0x5A);
            res.set_content(*shared, "application/octet-stream");
            return;
        case Fault::Drop:
            res.set_content_provider(
                size, "application/octet-stream",
                [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
            return;
        case Fault::Truncate:
            res.set_content_provider(
                size, "application/octet-stream",
                [shared](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    std::size_t half = shared->size() / 2;
                    if (offset >= half)
                        return false;
                    sink.write(shared->data() + offset, half - offset);
                    return true;
                });
            return;
        case Fault::Oversize:
            res.set_content(*shared + *shared, "application/octet-stream");
            return;
        case Fault::Endless:
            res.set_chunked_content_provider(
                "application/octet-stream", [this, shared](std::size_t, httplib::DataSink& sink) {
                    std::string block(65536, 'e');
                    for (int i = 0; i < 1000 && !stopping_; ++i)
                        if (!sink.write(i == 0 ? shared->data() : block.data(),
                                        i == 0 ? shared->size() : block.size()))
                            return false;
                    sink.done();
                    return true;
                });
            return;
        case Fault::Trickle:
            res.set_content_provider(
                size, "application/octet-stream",
                [this, shared](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    for (int i = 0; i < 8 && !stopping_; ++i)
                        std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    if (stopping_ || offset >= 50)
                        return false;
                    sink.write(shared->data() + offset, 1);
                    return true;
                });
            return;
        case Fault::Stall:
            res.set_content_provider(
                size, "application/octet-stream",
                [this](std::size_t, std::size_t, httplib::DataSink&) {
                    for (int i = 0; i < 100 && !stopping_; ++i)
                        std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    return false;
                });
            return;
    }
}

}  // namespace upvarro::test
