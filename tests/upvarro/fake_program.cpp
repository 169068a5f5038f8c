// Stands in for the toolbox in the updater's tests: writes its argument vector, one argument
// a line, and its working folder to <its own path>.argv, and appends its arguments as one line
// to <its own path>.starts. Ends then, unless <its own path>.stay exists: then it runs until
// it is ended, like a toolbox the user keeps open.
#include <signal.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return 1;
    const std::string path(self, static_cast<std::size_t>(n));
    {
        std::ofstream out(path + ".argv");
        for (int i = 0; i < argc; ++i)
            out << argv[i] << '\n';
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd))
            out << "cwd=" << cwd << '\n';
    }
    {
        std::ofstream starts(path + ".starts", std::ios::app);
        for (int i = 0; i < argc; ++i)
            starts << (i ? " " : "") << argv[i];
        starts << '\n';
    }
    if (access((path + ".stay").c_str(), F_OK) == 0)
        for (;;)
            pause();
    return 0;
}
