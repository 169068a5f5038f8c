// kalvix-quizdb: builds a question store ("Conversion.dat") from a CSV list of questions.

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "kalvix/build_config.h"
#include "kalvix/core/quiz/question_csv.h"

namespace {

constexpr const char* kDescription =
    "usage: kalvix-quizdb QUESTIONS.csv OUT.dat\n"
    "\n"
    "Builds a question store for the 答题器 page from a CSV list of questions.\n"
    "The CSV is UTF-8 with the header Question,answer,QType,PinYin; fields may be\n"
    "quoted as in RFC 4180 (commas, doubled quotes and line breaks inside quotes).\n"
    "An empty PinYin is computed from the question: the initial of each character's\n"
    "pinyin, with letters and digits kept. A malformed CSV is refused with its line\n"
    "number and nothing is written; OUT.dat is replaced only by a complete store.";

}  // namespace

int main(int argc, char** argv) {
    std::string csvPath;
    std::string storePath;
    CLI::App app(kDescription, "kalvix-quizdb");
    app.set_version_flag("-v,--version", std::string("kalvix-quizdb ") + kalvix::config::kVersion);
    app.add_option("QUESTIONS.csv", csvPath, "the list of questions")->required();
    app.add_option("OUT.dat", storePath, "the store to write")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    std::ifstream in(csvPath, std::ios::binary);
    if (!in) {
        std::cerr << "kalvix-quizdb: cannot read " << csvPath << '\n';
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const kalvix::CsvResult csv = kalvix::readQuestionCsv(text.str());
    if (!csv.ok()) {
        std::cerr << "kalvix-quizdb: " << csvPath << ": " << csv.error << '\n';
        return 1;
    }
    if (const auto error = kalvix::writeQuestionStore(csv.rows, storePath)) {
        std::cerr << "kalvix-quizdb: " << storePath << ": " << *error << '\n';
        return 1;
    }
    std::cout << csv.rows.size() << " questions written to " << storePath << '\n';
    return 0;
}
