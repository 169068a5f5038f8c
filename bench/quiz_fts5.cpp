// The 答题器 searches of bench_quiz_widget done by SQLite FTS5 (trigram tokenizer) on an
// unencrypted copy of the same questions: the keyword as a substring of the question or of
// its PinYin key, within the category, every row stepped through and the first screen read.
// Keywords under three characters cannot use a trigram index and are LIKE scans of the table.
//   bench_quiz_fts5 FOLDER   (questions.tsv and keystrokes.tsv of bench_quiz_widget)

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::vector<std::string>> readTsv(const std::string& path) {
    std::vector<std::vector<std::string>> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
            fields.push_back(line.substr(from, tab - from));
        fields.push_back(line.substr(from));
        out.push_back(fields);
    }
    return out;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

std::size_t characters(const std::string& s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

bool exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error ? error : "?");
        sqlite3_free(error);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_quiz_fts5 FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const auto questions = readTsv(folder + "/questions.tsv");
    const auto typed = readTsv(folder + "/keystrokes.tsv");
    const std::string path = folder + "/plain.db";
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        return 1;
    if (!exec(db,
              "CREATE VIRTUAL TABLE q USING fts5(Question, PinYin, QType UNINDEXED, "
              "tokenize='trigram')") ||
        !exec(db, "BEGIN"))
        return 1;
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO q VALUES (?1, ?2, ?3)", -1, &insert, nullptr);
    for (const auto& r : questions) {
        for (int i = 0; i < 3; ++i)
            sqlite3_bind_text(insert, i + 1, r[static_cast<std::size_t>(i)].c_str(), -1,
                              SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    if (!exec(db, "COMMIT"))
        return 1;
    sqlite3_close(db);

    // Opened afresh, as the toolbox opens its store.
    auto start = Clock::now();
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const char* kMatch = "SELECT Question FROM q WHERE q MATCH ?1 AND (?2 = '' OR QType = ?2)";
    const char* kLike =
        "SELECT Question FROM q WHERE (Question LIKE ?1 OR PinYin LIKE ?1) AND "
        "(?2 = '' OR QType = ?2)";
    sqlite3_stmt* match = nullptr;
    sqlite3_stmt* like = nullptr;
    sqlite3_prepare_v2(db, kMatch, -1, &match, nullptr);
    sqlite3_prepare_v2(db, kLike, -1, &like, nullptr);
    std::vector<double> times;
    double first = -1;
    std::size_t listed = 0;
    for (const auto& k : typed) {
        if (first >= 0)
            start = Clock::now();
        const std::string& keyword = k[0];
        const std::string category = k.size() > 1 ? k[1] : "";
        sqlite3_stmt* s = characters(keyword) >= 3 ? match : like;
        std::string quoted;
        for (char c : keyword)
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        const std::string arg =
            s == match ? "{Question PinYin} : \"" + quoted + "\"" : "%" + keyword + "%";
        sqlite3_bind_text(s, 1, arg.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 2, category.c_str(), -1, SQLITE_TRANSIENT);
        for (std::size_t row = 0; sqlite3_step(s) == SQLITE_ROW; ++row)
            if (row < 20)
                listed += static_cast<std::size_t>(sqlite3_column_bytes(s, 0));
        sqlite3_reset(s);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (first < 0)
            first = ms;
        times.push_back(ms);
    }
    sqlite3_finalize(match);
    sqlite3_finalize(like);
    sqlite3_close(db);
    std::printf(
        "sqlite fts5, %zu rows: first search after opening %.1f ms; %zu searches: median "
        "%.2f ms, p95 %.2f ms (%zu bytes listed)\n",
        questions.size(), first, times.size(), percentile(times, 0.5), percentile(times, 0.95),
        listed);
    return 0;
}
