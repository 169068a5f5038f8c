#include "kalvix/core/quiz/question_store.h"

#include <sys/stat.h>

#include "kalvix/core/quiz/like_pattern.h"

namespace kalvix {
namespace {

// The columns are named: what the file holds beyond them is never read.
constexpr const char* kSelectRows = "SELECT Question, answer, QType, PinYin FROM Conversion";

}  // namespace

void QuestionStore::setPath(std::string path) {
    if (path == path_)
        return;
    path_ = std::move(path);
    drop();
    failed_.reset();
}

std::optional<QuestionStore::Stamp> QuestionStore::stampOf(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    Stamp s;
    s.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.size = static_cast<std::int64_t>(st.st_size);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.device = static_cast<std::uint64_t>(st.st_dev);
    return s;
}

void QuestionStore::drop() {
    conn_.close();
    stamp_.reset();
    rows_ = std::make_shared<const std::vector<QuestionRow>>();
    haystack_.clear();
    fieldBegin_.clear();
    fieldNull_.clear();
    rowsWith_.clear();
    last_.reset();
}

QuestionStore::Status QuestionStore::refresh() {
    const std::optional<Stamp> now = stampOf(path_);
    if (!now) {
        drop();
        failed_.reset();
        return Status::Missing;
    }
    if (stamp_ && *stamp_ == *now && conn_.isOpen())
        return Status::Ok;
    if (failed_ && *failed_ == *now)
        return Status::Failed;  // error() still says why
    drop();
    if (!load()) {
        drop();
        failed_ = now;
        return Status::Failed;
    }
    failed_.reset();
    stamp_ = now;
    return Status::Ok;
}

bool QuestionStore::load() {
    ++loads_;
    error_.clear();
    conn_.setTimeLimit(timeLimit_);
    if (!conn_.open(path_)) {
        error_ = cleanText(conn_.lastError());
        return false;
    }
    auto result = conn_.query(kSelectRows);
    if (!result) {
        error_ = cleanText(conn_.lastError());
        return false;
    }
    auto rows = std::make_shared<std::vector<QuestionRow>>();
    rows->reserve(result->rows.size());
    fieldBegin_.reserve(2 * result->rows.size() + 1);
    for (auto& r : result->rows) {
        // Shown, copied and printed as they are: valid UTF-8 from here on.
        for (Cell& cell : r)
            if (cell)
                cell = cleanText(*cell);
        QuestionRow row{std::move(r[0]), std::move(r[1]), std::move(r[2]), std::move(r[3])};
        const auto index = static_cast<std::uint32_t>(rows->size());
        for (const Cell* field : {&row.pinyin, &row.question}) {
            fieldBegin_.push_back(haystack_.size());
            fieldNull_.push_back(!field->has_value());
            if (*field) {
                const std::string text = foldCase(cleanText(**field));
                forEachCharacter(text, [this, index](char32_t c, std::size_t, std::size_t) {
                    std::vector<std::uint32_t>& list = rowsWith_[c];
                    if (list.empty() || list.back() != index)
                        list.push_back(index);
                });
                haystack_ += text;
            }
            haystack_ += '\0';
        }
        rows->push_back(std::move(row));
    }
    fieldBegin_.push_back(haystack_.size());
    rows_ = std::move(rows);
    return true;
}

bool QuestionStore::rowInCategory(std::size_t row,
                                  const std::optional<std::string>& category) const {
    const Cell& type = (*rows_)[row].type;
    return !category || (type && *type == *category);
}

std::vector<std::size_t> QuestionStore::search(std::string_view keyword,
                                               const std::optional<std::string>& category) const {
    const std::string folded = foldCase(cleanText(keyword));
    const LikePattern pattern(folded);
    auto matches = [&](std::size_t row) {
        if (!rowInCategory(row, category))
            return false;
        for (std::size_t k = 2 * row; k < 2 * row + 2; ++k) {
            if (fieldNull_[k])
                continue;
            // Without its closing NUL.
            const std::string_view text = std::string_view(haystack_).substr(
                fieldBegin_[k], fieldBegin_[k + 1] - fieldBegin_[k] - 1);
            if (pattern.matches(text))
                return true;
        }
        return false;
    };
    // The rows worth trying: those holding the keyword's rarest character, or those the last
    // search found when this keyword contains its keyword; all rows for a keyword of
    // wildcards only.
    const std::vector<std::uint32_t>* rarest = nullptr;
    bool absent = false;
    for (std::string_view literal : pattern.literals())
        forEachCharacter(literal, [&](char32_t c, std::size_t, std::size_t) {
            auto it = rowsWith_.find(c);
            if (it == rowsWith_.end())
                absent = true;
            else if (!rarest || it->second.size() < rarest->size())
                rarest = &it->second;
        });
    std::vector<std::size_t> hits;
    if (!absent) {
        const bool narrow = last_ && last_->category == category &&
                            folded.find(last_->keyword) != std::string::npos &&
                            (!rarest || last_->hits.size() < rarest->size());
        if (narrow) {
            for (std::size_t row : last_->hits)
                if (matches(row))
                    hits.push_back(row);
        } else if (rarest) {
            for (std::uint32_t row : *rarest)
                if (matches(row))
                    hits.push_back(row);
        } else {
            for (std::size_t row = 0; row < rows_->size(); ++row)
                if (matches(row))
                    hits.push_back(row);
        }
    }
    last_ = LastSearch{folded, category, hits};
    return hits;
}

std::vector<std::pair<std::size_t, std::size_t>> QuestionStore::matchedSpans(
    std::string_view question, std::string_view keyword) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    const std::string text = cleanText(question);
    if (text.size() != question.size())
        return spans;  // offsets would not fit the shown text
    const LikePattern pattern(cleanText(keyword));
    if (!pattern.matches(foldCase(text), &spans))
        spans.clear();
    return spans;
}

const char* QuestionStore::queryText(bool oneCategory) {
    // The keyword and the category are bound, never spliced into the text: an apostrophe is
    // searched for like any other character.
    return oneCategory ? "SELECT Question, answer, QType, PinYin FROM Conversion WHERE (PinYin "
                         "LIKE '%' || ?1 || '%' or Question LIKE '%' || ?1 || '%') and QType = ?2"
                       : "SELECT Question, answer, QType, PinYin FROM Conversion WHERE PinYin "
                         "LIKE '%' || ?1 || '%' or Question LIKE '%' || ?1 || '%'";
}

std::optional<std::vector<QuestionRow>> QuestionStore::searchByQuery(
    std::string_view keyword, const std::optional<std::string>& category) {
    if (refresh() != Status::Ok)
        return std::nullopt;
    std::vector<Cell> params{cleanText(keyword)};
    if (category)
        params.push_back(*category);
    auto result = conn_.query(queryText(category.has_value()), params);
    if (!result) {
        error_ = cleanText(conn_.lastError());
        return std::nullopt;
    }
    std::vector<QuestionRow> out;
    for (auto& r : result->rows)
        out.push_back({r[0], r[1], r[2], r[3]});
    return out;
}

}  // namespace kalvix
