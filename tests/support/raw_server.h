#pragma once
// A loopback server that answers each connection with a fixed reply, or takes the request and
// never answers: for the usage report, whose answer is ignored and whose request must not wait
// for ever.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace test_support {

class RawServer {
  public:
    explicit RawServer(std::string reply, bool silent = false)
        : reply_(std::move(reply)), silent_(silent) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd_, 4);
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~RawServer() {
        stop_ = true;
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
        thread_.join();
    }
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    int port() const { return port_; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // The last request received, and how many arrived.
    std::string request() const {
        std::lock_guard guard(lock_);
        return request_;
    }
    int requests() const { return requests_; }

  private:
    void serve() {
        while (!stop_) {
            int c = ::accept(fd_, nullptr, nullptr);
            if (c < 0)
                return;
            char buf[4096];
            ssize_t n = ::recv(c, buf, sizeof buf, 0);
            {
                std::lock_guard guard(lock_);
                request_.assign(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
            }
            if (n > 0)
                ++requests_;
            if (silent_) {
                while (!stop_)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
            } else {
                (void)!::send(c, reply_.data(), reply_.size(), 0);
            }
            ::close(c);
        }
    }

    std::string reply_;
    bool silent_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    mutable std::mutex lock_;
    std::string request_;
    std::thread thread_;
};

}  // namespace test_support
