#include "kalvix/core/quiz/my_ado_conn.h"

#include <sqlcipher/sqlite3.h>

namespace kalvix {

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

bool MyAdoConn::open(const std::string& path, bool create, std::string_view password) {
    close();
    error_.clear();
    const int flags = create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        std::string text = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        return fail(text);
    }
    db_ = db;
    if (sqlite3_key(db_, password.data(), static_cast<int>(password.size())) != SQLITE_OK) {
        std::string text = sqlite3_errmsg(db_);
        close();
        return fail(text);
    }
    // Plain SQLite linked in by mistake would accept the key call and store clear text.
    auto version = query("PRAGMA cipher_version");
    if (!version || version->rows.empty() || !version->rows[0][0] || version->rows[0][0]->empty()) {
        close();
        return fail("the store's encryption is not available");
    }
    if (!query("SELECT count(*) FROM sqlite_master")) {
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
        fail(sqlite3_errmsg(db_));
        return nullptr;
    }
    statement_ = st;
    statementText_ = sql;
    return st;
}

std::optional<QueryRows> MyAdoConn::query(std::string_view sql, const std::vector<Cell>& params) {
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
            fail(sqlite3_errmsg(db_));
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
            fail(sqlite3_errmsg(db_));
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
