#pragma once
// The connection to the question store: an SQLCipher database opened with the store's
// password. Two operations, open a path and run a query returning rows; errors are the
// engine's own texts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kalvix {

using Cell = std::optional<std::string>;  // nullopt: NULL

struct QueryRows {
    std::vector<std::string> columns;
    std::vector<std::vector<Cell>> rows;

    // Position of the named column, or -1.
    int column(std::string_view name) const;
};

class MyAdoConn {
  public:
    static constexpr const char* kPassword = "kqm.40326.org/tv";

    MyAdoConn() = default;
    ~MyAdoConn();
    MyAdoConn(const MyAdoConn&) = delete;
    MyAdoConn& operator=(const MyAdoConn&) = delete;

    // Opens the file (replacing any connection held) and reads it once, since a wrong
    // password only shows at the first read. create: make the file when it is missing and
    // open it for writing; otherwise it is opened read-only, so other processes may read and
    // write it meanwhile.
    bool open(const std::string& path, bool create = false, std::string_view password = kPassword);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // Runs one statement with its parameters bound (?1, ?2 ...); nullopt on failure, with
    // lastError() set. Statements that return no rows give an empty result.
    std::optional<QueryRows> query(std::string_view sql, const std::vector<Cell>& params = {});

    const std::string& lastError() const { return error_; }

  private:
    bool fail(std::string text);
    sqlite3_stmt* prepare(std::string_view sql);

    sqlite3* db_ = nullptr;
    // The last statement is kept prepared: a writer inserting rows runs the same text often.
    sqlite3_stmt* statement_ = nullptr;
    std::string statementText_;
    std::string error_;
};

}  // namespace kalvix
