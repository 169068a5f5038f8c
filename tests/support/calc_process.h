#pragma once
// Runs kalvix-calc as a process and captures what it prints.

#include <sys/wait.h>

#include <cstdio>
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

inline CalcRun runCalc(const std::vector<std::string>& args) {
    char errPath[] = "/tmp/kalvix-calc-errXXXXXX";
    int fd = mkstemp(errPath);
    if (fd >= 0)
        close(fd);
    std::string cmd = shellQuote(KALVIX_CALC);
    for (const auto& a : args)
        cmd += " " + shellQuote(a);
    cmd += " 2>" + std::string(errPath);
    CalcRun r;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            r.out.append(buf, n);
        int status = pclose(p);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (FILE* e = fopen(errPath, "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, e)) > 0)
            r.err.append(buf, n);
        fclose(e);
    }
    std::remove(errPath);
    return r;
}

}  // namespace kalvix::test
