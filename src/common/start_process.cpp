#include "common/start_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace common {

namespace {

// Starts the program at program, or, when programFd is not -1, the one open as programFd.
bool start(const std::string& program, int programFd, const std::vector<std::string>& argv,
           const std::string& workingFolder) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    // The grandchild reports a failed exec through this pipe; a successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild != 0)
            ::_exit(grandchild < 0 ? 1 : 0);
        int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
            if (null > 2)
                ::close(null);
        }
        if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0) {
            int e = errno;
            (void)!::write(report[1], &e, sizeof e);
            ::_exit(127);
        }
        if (programFd >= 0)
            ::fexecve(programFd, args.data(), environ);
        else
            ::execv(program.c_str(), args.data());
        int e = errno;
        (void)!::write(report[1], &e, sizeof e);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

}  // namespace

bool startDetached(const std::string& program, const std::vector<std::string>& argv,
                   const std::string& workingFolder) {
    return start(program, -1, argv, workingFolder);
}

bool startDetached(int programFd, const std::vector<std::string>& argv,
                   const std::string& workingFolder) {
    return start({}, programFd, argv, workingFolder);
}

}  // namespace common
