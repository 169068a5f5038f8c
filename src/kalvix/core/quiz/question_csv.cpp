#include "kalvix/core/quiz/question_csv.h"

#include <cstdio>

#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/my_ado_conn.h"
#include "kalvix/core/quiz/pinyin_initials.h"

namespace kalvix {
namespace {

const char kHeader[] = "Question,answer,QType,PinYin";

std::string lineError(std::size_t line, const std::string& text) {
    return "line " + std::to_string(line) + ": " + text;
}

// Splits RFC 4180 records. Quoted fields may hold commas, doubled quotes and line breaks;
// records end with LF or CRLF. line counts the physical line each record starts on.
struct Record {
    std::vector<std::string> fields;
    std::size_t line = 0;
};

bool splitRecords(std::string_view text, std::vector<Record>& out, std::string& error) {
    std::size_t i = 0;
    std::size_t line = 1;
    while (i < text.size()) {
        Record rec;
        rec.line = line;
        std::string field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            if (i < text.size() && text[i] == '"') {
                const std::size_t startLine = line;
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        error = lineError(startLine, "unterminated quoted field");
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n')
                        ++line;
                    field += text[i++];
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\n' &&
                    !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
                    error = lineError(line, "text after a closing quote");
                    return false;
                }
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\n' &&
                       !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
                    if (text[i] == '"') {
                        error = lineError(line, "quote inside an unquoted field");
                        return false;
                    }
                    field += text[i++];
                }
            }
            rec.fields.push_back(std::move(field));
            field.clear();
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            if (i < text.size())
                i += text[i] == '\r' ? 2 : 1;
            ++line;
            endOfRecord = true;
        }
        out.push_back(std::move(rec));
    }
    return true;
}

}  // namespace

CsvResult readQuestionCsv(std::string_view text) {
    CsvResult result;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<Record> records;
    if (!splitRecords(text, records, result.error))
        return result;
    if (records.empty() || records[0].fields.size() != 4 ||
        records[0].fields[0] + "," + records[0].fields[1] + "," + records[0].fields[2] + "," +
                records[0].fields[3] !=
            kHeader) {
        result.error = lineError(1, std::string("the header must be ") + kHeader);
        return result;
    }
    for (std::size_t r = 1; r < records.size(); ++r) {
        Record& rec = records[r];
        if (rec.fields.size() == 1 && rec.fields[0].empty())
            continue;  // a blank line
        if (rec.fields.size() != 4) {
            result.error = lineError(
                rec.line, "expected 4 fields, found " + std::to_string(rec.fields.size()));
            result.rows.clear();
            return result;
        }
        for (const std::string& f : rec.fields) {
            if (cleanText(f) != f) {
                result.error = lineError(rec.line, "not valid UTF-8 text");
                result.rows.clear();
                return result;
            }
            // The toolbox refuses a store holding a longer text: never write one.
            if (f.size() > static_cast<std::size_t>(MyAdoConn::kTextLimit)) {
                result.error =
                    lineError(rec.line, "a field longer than " +
                                            std::to_string(MyAdoConn::kTextLimit) + " bytes");
                result.rows.clear();
                return result;
            }
        }
        QuestionRow row;
        row.pinyin = rec.fields[3].empty() ? pinyinInitials(rec.fields[0]) : rec.fields[3];
        row.question = std::move(rec.fields[0]);
        row.answer = std::move(rec.fields[1]);
        row.type = std::move(rec.fields[2]);
        result.rows.push_back(std::move(row));
    }
    return result;
}

std::optional<std::string> writeQuestionStore(const std::vector<QuestionRow>& rows,
                                              const std::string& path) {
    const std::string temp = path + ".part";
    std::remove(temp.c_str());
    std::optional<std::string> error;
    {
        MyAdoConn conn;
        auto run = [&](std::string_view sql, const std::vector<Cell>& params = {}) {
            if (!error && !conn.query(sql, params))
                error = conn.lastError();
        };
        if (!conn.open(temp, true)) {
            error = conn.lastError();
        } else {
            run("CREATE TABLE Conversion (Question TEXT, answer TEXT, QType TEXT, PinYin TEXT)");
            run("BEGIN");
            for (const QuestionRow& r : rows)
                run("INSERT INTO Conversion (Question, answer, QType, PinYin) VALUES (?1, ?2, ?3, "
                    "?4)",
                    {r.question, r.answer, r.type, r.pinyin});
            run("COMMIT");
        }
    }
    if (!error && std::rename(temp.c_str(), path.c_str()) != 0)
        error = "cannot replace " + path;
    if (error)
        std::remove(temp.c_str());
    return error;
}

}  // namespace kalvix
