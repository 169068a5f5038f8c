// Stands in for the toolbox in the updater's tests: writes its argument vector, one argument
// a line, and its working folder to <its own path>.argv, then ends.
#include <unistd.h>

#include <climits>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return 1;
    std::ofstream out(std::string(self, static_cast<std::size_t>(n)) + ".argv");
    for (int i = 0; i < argc; ++i)
        out << argv[i] << '\n';
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd))
        out << "cwd=" << cwd << '\n';
    return 0;
}
