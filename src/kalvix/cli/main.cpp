// kalvix-calc: the toolbox's rules as JSON, driving the same page models as the windows.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "batch.h"
#include "calc_line.h"
#include "calc_request.h"
#include "json_output.h"
#include "kalvix/build_config.h"

namespace {

int refuse(const std::string& error) {
    std::cerr << "kalvix-calc: " << error << '\n';
    return 2;
}

// Behind main, which turns anything it throws into the one-line error.
int runCalc(const std::vector<std::string>& args) {
    kalvix::CalcLine line;
    std::string error;
    if (!kalvix::parseCalcLine(args, line, error))
        return refuse(error);
    if (line.help) {
        std::cout << kalvix::calcHelp();
        return 0;
    }
    if (line.version) {
        std::cout << "kalvix-calc " << kalvix::config::kVersion << '\n';
        return 0;
    }
    if (line.batch) {
        if (args.size() != 1)
            return refuse("--batch takes its requests on standard input, nothing else");
        std::ios::sync_with_stdio(false);
        return kalvix::runBatch(std::cin, std::cout);
    }
    if (line.rest.empty()) {
        std::cout << kalvix::calcHelp();
        return 2;
    }
    const kalvix::CalcResult r = kalvix::runRequest(line);
    if (r.exitCode == 2)
        return refuse(r.error);
    kalvix::printJson(r.output);
    return r.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return runCalc(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "kalvix-calc: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "kalvix-calc: unexpected error\n";
    }
    return 2;
}
