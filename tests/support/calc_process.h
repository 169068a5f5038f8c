#pragma once
// Runs kalvix-calc (the program KALVIX_CALC names) as a process and captures what it prints.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kalvix::test {

struct CalcRun {
    int exitCode = -1;
    std::string out;  // stdout
    std::string err;  // stderr
};

inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// A temporary file that goes with its object.
class TempFile {
  public:
    explicit TempFile(const std::string& content = {}) {
        int fd = mkstemp(path_);
        if (fd >= 0) {
            std::size_t done = 0;
            while (done < content.size()) {
                const ssize_t n = write(fd, content.data() + done, content.size() - done);
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            close(fd);
        }
    }
    ~TempFile() { std::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string path() const { return path_; }

  private:
    char path_[32] = "/tmp/kalvix-calc-XXXXXX";
};

inline std::string readAll(FILE* f) {
    std::string text;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    return text;
}

// With input, the program reads it on its standard input (kalvix-calc --batch).
inline CalcRun runCalc(const std::vector<std::string>& args, const std::string* input = nullptr) {
    TempFile err;
    TempFile in(input ? *input : std::string());
    std::string cmd = shellQuote(KALVIX_CALC);
    for (const auto& a : args)
        cmd += " " + shellQuote(a);
    cmd += " 2>" + err.path() + " <" + (input ? in.path() : std::string("/dev/null"));
    CalcRun r;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        r.out = readAll(p);
        int status = pclose(p);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (FILE* e = fopen(err.path().c_str(), "r")) {
        r.err = readAll(e);
        fclose(e);
    }
    return r;
}

}  // namespace kalvix::test
