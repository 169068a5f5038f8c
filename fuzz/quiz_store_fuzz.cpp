// Question stores from strangers, as the toolbox reads them: opened, checked, loaded and
// searched must never crash, hang or leave files beside the store.
//   first byte even: the rest is the store file itself (seeds: valid encrypted stores);
//   first byte odd: the rest is an SQL script run on a new store made with the store's own
//   engine and password, as anyone holding the password can (views, triggers, odd values).

#include <sqlcipher/sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "kalvix/core/quiz/my_ado_conn.h"
#include "kalvix/core/quiz/question_store.h"

namespace {

const std::string& folder() {
    static const std::string path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quiz-store-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return pattern;
    }();
    return path;
}

std::chrono::steady_clock::time_point deadline;

int stopLate(void*) {
    return std::chrono::steady_clock::now() > deadline ? 1 : 0;
}

// The script may build anything inside its own store, but reach nothing outside it.
int writerRules(void*, int action, const char*, const char* b, const char*, const char*) {
    if (action == SQLITE_ATTACH || action == SQLITE_DETACH)
        return SQLITE_DENY;
    // Registering a tokenizer takes a raw pointer: not something a file can carry.
    if (action == SQLITE_FUNCTION && b && std::string_view(b) == "fts3_tokenizer")
        return SQLITE_DENY;
    return SQLITE_OK;
}

void writeStore(const std::string& path, const std::string& script) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
        SQLITE_OK) {
        const std::string key = kalvix::MyAdoConn::kPassword;
        sqlite3_key(db, key.data(), static_cast<int>(key.size()));
        sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
        sqlite3_exec(db, "PRAGMA max_page_count = 2048", nullptr, nullptr, nullptr);
        sqlite3_set_authorizer(db, writerRules, nullptr);
        deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
        sqlite3_progress_handler(db, 1000, stopLate, nullptr);
        sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3_close_v2(db);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > (1 << 20))
        return 0;
    const std::string path = folder() + "/Conversion.dat";
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2 == 0) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            std::abort();
        std::fwrite(rest.data(), 1, rest.size(), f);
        std::fclose(f);
    } else {
        writeStore(path, rest);
        for (const auto& e : std::filesystem::directory_iterator(folder()))
            if (e.path() != path)
                std::filesystem::remove(e.path());
    }
    {
        kalvix::QuestionStore store(path);
        store.setTimeLimit(std::chrono::milliseconds(500));
        const kalvix::QuestionStore::Status status = store.refresh();
        if (status == kalvix::QuestionStore::Status::Ok) {
            store.search("", std::nullopt);
            store.search("a", std::string("科举试题"));
            for (const auto& row : *store.rows())
                for (const kalvix::Cell* c : {&row.question, &row.answer, &row.type, &row.pinyin})
                    if (*c && (*c)->find('\0') != std::string::npos)
                        std::abort();  // texts are cleaned when read
        } else if (status == kalvix::QuestionStore::Status::Failed && store.error().empty()) {
            std::abort();  // a refused store always says why
        }
    }
    // Reading never leaves a journal, -wal or -shm file beside the store.
    for (const auto& e : std::filesystem::directory_iterator(folder()))
        if (e.path() != path)
            std::abort();
    std::filesystem::remove(path);
    return 0;
}
