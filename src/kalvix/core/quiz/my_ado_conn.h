#pragma once
// The connection to the question store: an SQLCipher database opened with the store's
// password. Two operations, open a path and run a query returning rows; errors are the
// engine's own texts, or the Chinese texts of the checks a store read from outside must pass.

#include <chrono>
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
    // The longest text or value read from a store: far above any question or answer.
    static constexpr int kTextLimit = 64 * 1024;
    // How long one open or one query may run before it is stopped.
    static constexpr std::chrono::milliseconds kTimeLimit{3000};

    // Texts of the checks of a store opened for reading.
    static constexpr const char* kNoTable = "题库格式不对：没有 Conversion 表";
    static constexpr const char* kNotPlainTable = "题库格式不对：Conversion 不是普通的表";
    static constexpr const char* kExtraObjects = "题库格式不对：有多余的视图、触发器或索引";
    static constexpr const char* kMissingColumns =
        "题库格式不对：缺少 Question、answer、QType 或 PinYin 列";
    static constexpr const char* kTooLong = "题库中有过长的文字";
    static constexpr const char* kTimedOut = "读取题库超时，已停止";

    MyAdoConn() = default;
    ~MyAdoConn();
    MyAdoConn(const MyAdoConn&) = delete;
    MyAdoConn& operator=(const MyAdoConn&) = delete;

    // Opens the file (replacing any connection held) and reads it once, since a wrong
    // password only shows at the first read. create: make the file when it is missing and
    // open it for writing. Otherwise the file may come from anyone: it is opened as an
    // immutable, read-only file (no lock, no journal or -shm file beside it), must hold a
    // plain table Conversion with the four columns and nothing that runs code (views,
    // triggers, other indexes), and afterwards only that table can be read.
    bool open(const std::string& path, bool create = false, std::string_view password = kPassword);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // Bound on each later open and query; a statement running past it stops with kTimedOut.
    void setTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }

    // Runs one statement with its parameters bound (?1, ?2 ...); nullopt on failure, with
    // lastError() set. Statements that return no rows give an empty result.
    std::optional<QueryRows> query(std::string_view sql, const std::vector<Cell>& params = {});

    const std::string& lastError() const { return error_; }

  private:
    bool fail(std::string text);
    // fail() with the text for the engine's last error.
    bool failFromEngine();
    bool checkStoreSchema();
    bool setUpCipher();
    // query() without a deadline of its own.
    std::optional<QueryRows> run(std::string_view sql, const std::vector<Cell>& params = {});
    sqlite3_stmt* prepare(std::string_view sql);
    static int onProgress(void* self);
    static int authorize(void* self, int action, const char* a, const char* b, const char* db,
                         const char* trigger);

    sqlite3* db_ = nullptr;
    // The last statement is kept prepared: a writer inserting rows runs the same text often.
    sqlite3_stmt* statement_ = nullptr;
    std::string statementText_;
    std::string error_;
    bool readOnly_ = false;
    std::chrono::milliseconds timeLimit_ = kTimeLimit;
    std::chrono::steady_clock::time_point deadline_{};
};

}  // namespace kalvix
