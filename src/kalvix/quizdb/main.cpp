// kalvix-quizdb: builds a question store ("Conversion.dat") from a CSV list of questions.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "kalvix/core/quiz/question_csv.h"

namespace {

void printHelp(std::ostream& out) {
    out << "usage: kalvix-quizdb QUESTIONS.csv OUT.dat\n"
           "\n"
           "Builds a question store for the 答题器 page from a CSV list of questions.\n"
           "The CSV is UTF-8 with the header Question,answer,QType,PinYin; fields may be\n"
           "quoted as in RFC 4180 (commas, doubled quotes and line breaks inside quotes).\n"
           "An empty PinYin is computed from the question: the initial of each character's\n"
           "pinyin, with letters and digits kept. A malformed CSV is refused with its line\n"
           "number and nothing is written; OUT.dat is replaced only by a complete store.\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        printHelp(std::cout);
        return 0;
    }
    if (args.size() != 2 || args[0].rfind("-", 0) == 0 || args[1].rfind("-", 0) == 0) {
        printHelp(std::cerr);
        return 2;
    }
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
        std::cerr << "kalvix-quizdb: cannot read " << args[0] << '\n';
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const kalvix::CsvResult csv = kalvix::readQuestionCsv(text.str());
    if (!csv.ok()) {
        std::cerr << "kalvix-quizdb: " << args[0] << ": " << csv.error << '\n';
        return 1;
    }
    if (const auto error = kalvix::writeQuestionStore(csv.rows, args[1])) {
        std::cerr << "kalvix-quizdb: " << args[1] << ": " << *error << '\n';
        return 1;
    }
    std::cout << csv.rows.size() << " questions written to " << args[1] << '\n';
    return 0;
}
