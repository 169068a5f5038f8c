#include "kalvix/core/quiz/my_ado_conn.h"

#include <sqlcipher/sqlite3.h>

#include <cstdio>

#include "common/ascii_text.h"

namespace kalvix {
namespace {

using common::equalsNoCase;

bool startsNoCase(std::string_view text, std::string_view prefix) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' ||
                             text.front() == '\r'))
        text.remove_prefix(1);
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

// An immutable, read-only URI: the engine then takes no lock and never creates a journal,
// -wal or -shm file beside a store it only reads.
std::string readOnlyUri(const std::string& path) {
    std::string uri = "file:";
    if (!path.empty() && path.front() == '/')
        uri += "//";  // an empty authority before the absolute path
    static const char* hex = "0123456789ABCDEF";
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            uri += ch;
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri + "?mode=ro&immutable=1";
}

}  // namespace

int QueryRows::column(std::string_view name) const {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i] == name)
            return static_cast<int>(i);
    return -1;
}

MyAdoConn::~MyAdoConn() {
    close();
}

void MyAdoConn::close() {
    if (statement_)
        sqlite3_finalize(statement_);
    statement_ = nullptr;
    statementText_.clear();
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool MyAdoConn::fail(std::string text) {
    error_ = std::move(text);
    return false;
}

bool MyAdoConn::failFromEngine() {
    switch (sqlite3_errcode(db_)) {
        case SQLITE_INTERRUPT:
            return fail(kTimedOut);
        case SQLITE_TOOBIG:
            return fail(kTooLong);
        default:
            return fail(sqlite3_errmsg(db_));
    }
}

int MyAdoConn::onProgress(void* self) {
    return std::chrono::steady_clock::now() > static_cast<MyAdoConn*>(self)->deadline_ ? 1 : 0;
}

// Once a store from outside has passed its checks, statements may read the table and call
// LIKE, nothing else: no other table, no pragma, no function that shows or changes anything.
int MyAdoConn::authorize(void*, int action, const char* a, const char* b, const char*,
                         const char*) {
    switch (action) {
        case SQLITE_SELECT:
            return SQLITE_OK;
        case SQLITE_READ:
            return a && equalsNoCase(a, "Conversion") ? SQLITE_OK : SQLITE_DENY;
        case SQLITE_FUNCTION:
            return b && equalsNoCase(b, "like") ? SQLITE_OK : SQLITE_DENY;
        default:
            return SQLITE_DENY;
    }
}

bool MyAdoConn::setUpCipher() {
    // Plain SQLite linked in by mistake would accept the key call and store clear text.
    auto version = run("PRAGMA cipher_version");
    if (!version || version->rows.empty() || !version->rows[0][0] || version->rows[0][0]->empty())
        return fail("the store's encryption is not available");
    // SQLCipher 4 changed its default page format; stores are written and read in the format
    // of the 3.x series the distribution ships today.
    int major = 0;
    if (std::sscanf(version->rows[0][0]->c_str(), "%d", &major) == 1 && major >= 4 &&
        !run("PRAGMA cipher_compatibility = 3"))
        return false;
    return true;
}

bool MyAdoConn::checkStoreSchema() {
    auto objects = run("SELECT type, name, tbl_name, sql FROM sqlite_master");
    if (!objects)
        return false;
    bool table = false;
    bool extra = false;
    for (const auto& row : objects->rows) {
        const std::string type = row[0].value_or("");
        const std::string name = row[1].value_or("");
        if (equalsNoCase(name, "Conversion")) {
            if (type != "table" || !row[3] || !startsNoCase(*row[3], "CREATE TABLE"))
                return fail(kNotPlainTable);
            table = true;
            continue;
        }
        // An index the engine made for a UNIQUE or PRIMARY KEY column has no text of its own;
        // sqlite_sequence is the counter of an AUTOINCREMENT key.
        const bool automaticIndex =
            type == "index" && equalsNoCase(row[2].value_or(""), "Conversion") && !row[3];
        extra = extra || !(automaticIndex || (type == "table" && name == "sqlite_sequence"));
    }
    if (!table)
        return fail(kNoTable);
    if (extra)
        return fail(kExtraObjects);
    auto columns = run("PRAGMA table_info(Conversion)");
    if (!columns)
        return false;
    for (const char* wanted : {"Question", "answer", "QType", "PinYin"}) {
        bool found = false;
        for (const auto& row : columns->rows)
            found = found || (row.size() > 1 && row[1] && equalsNoCase(*row[1], wanted));
        if (!found)
            return fail(kMissingColumns);
    }
    return true;
}

bool MyAdoConn::open(const std::string& path, bool create, std::string_view password) {
    close();
    error_.clear();
    readOnly_ = !create;
    deadline_ = std::chrono::steady_clock::now() + timeLimit_;
    const int flags = create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                             : SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(create ? path.c_str() : readOnlyUri(path).c_str(), &db, flags, nullptr) !=
        SQLITE_OK) {
        std::string text = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        return fail(text);
    }
    db_ = db;
    sqlite3_progress_handler(db_, 1000, onProgress, this);
    if (readOnly_) {
        sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, kTextLimit);
        sqlite3_limit(db_, SQLITE_LIMIT_ATTACHED, 0);
    }
    if (sqlite3_key(db_, password.data(), static_cast<int>(password.size())) != SQLITE_OK) {
        std::string text = sqlite3_errmsg(db_);
        close();
        return fail(text);
    }
    bool ok = setUpCipher();
    // A damaged cell then reads as an error instead of being followed out of its page.
    if (ok && readOnly_)
        ok = run("PRAGMA cell_size_check = ON").has_value();
    // The first read: a wrong password shows only here.
    ok = ok && run("SELECT count(*) FROM sqlite_master").has_value();
    if (ok && readOnly_) {
        ok = checkStoreSchema();
        if (ok)
            sqlite3_set_authorizer(db_, authorize, this);
    }
    if (!ok) {
        std::string text = error_;
        close();
        return fail(text);
    }
    return true;
}

sqlite3_stmt* MyAdoConn::prepare(std::string_view sql) {
    if (statement_ && statementText_ == sql) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
        return statement_;
    }
    if (statement_)
        sqlite3_finalize(statement_);
    statement_ = nullptr;
    statementText_.clear();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &st, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(st);
        failFromEngine();
        return nullptr;
    }
    statement_ = st;
    statementText_ = sql;
    return st;
}

std::optional<QueryRows> MyAdoConn::query(std::string_view sql, const std::vector<Cell>& params) {
    deadline_ = std::chrono::steady_clock::now() + timeLimit_;
    return run(sql, params);
}

std::optional<QueryRows> MyAdoConn::run(std::string_view sql, const std::vector<Cell>& params) {
    if (!db_) {
        fail("the store is not open");
        return std::nullopt;
    }
    sqlite3_stmt* st = prepare(sql);
    if (!st)
        return std::nullopt;
    for (std::size_t i = 0; i < params.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const int rc =
            params[i] ? sqlite3_bind_text(st, index, params[i]->data(),
                                          static_cast<int>(params[i]->size()), SQLITE_TRANSIENT)
                      : sqlite3_bind_null(st, index);
        if (rc != SQLITE_OK) {
            failFromEngine();
            return std::nullopt;
        }
    }
    QueryRows out;
    const int n = sqlite3_column_count(st);
    for (int c = 0; c < n; ++c) {
        const char* name = sqlite3_column_name(st, c);
        out.columns.emplace_back(name ? name : "");
    }
    for (;;) {
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW) {
            failFromEngine();
            sqlite3_reset(st);
            return std::nullopt;
        }
        std::vector<Cell> row(static_cast<std::size_t>(n));
        for (int c = 0; c < n; ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_NULL)
                continue;
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            const int bytes = sqlite3_column_bytes(st, c);
            row[static_cast<std::size_t>(c)] =
                text ? std::string(text, static_cast<std::size_t>(bytes)) : std::string();
        }
        out.rows.push_back(std::move(row));
    }
    sqlite3_reset(st);
    return out;
}

}  // namespace kalvix
