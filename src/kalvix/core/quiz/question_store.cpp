#include "kalvix/core/quiz/question_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "kalvix/core/quiz/like_pattern.h"

namespace kalvix {

void QuestionStore::setPath(std::string path) {
    if (path == path_)
        return;
    path_ = std::move(path);
    drop();
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
}

QuestionStore::Status QuestionStore::refresh() {
    const std::optional<Stamp> now = stampOf(path_);
    if (!now) {
        drop();
        return Status::Missing;
    }
    if (stamp_ && *stamp_ == *now && conn_.isOpen())
        return Status::Ok;
    drop();
    if (!load()) {
        drop();
        return Status::Failed;
    }
    stamp_ = now;
    return Status::Ok;
}

bool QuestionStore::load() {
    ++loads_;
    error_.clear();
    if (!conn_.open(path_)) {
        error_ = conn_.lastError();
        return false;
    }
    auto result = conn_.query("SELECT * FROM Conversion");
    if (!result) {
        error_ = conn_.lastError();
        return false;
    }
    const int q = result->column("Question");
    const int a = result->column("answer");
    const int t = result->column("QType");
    const int p = result->column("PinYin");
    if (q < 0 || a < 0 || t < 0 || p < 0) {
        error_ = "no such column: Question, answer, QType or PinYin";
        return false;
    }
    auto rows = std::make_shared<std::vector<QuestionRow>>();
    rows->reserve(result->rows.size());
    fieldBegin_.reserve(2 * result->rows.size() + 1);
    for (auto& r : result->rows) {
        QuestionRow row{
            std::move(r[static_cast<std::size_t>(q)]), std::move(r[static_cast<std::size_t>(a)]),
            std::move(r[static_cast<std::size_t>(t)]), std::move(r[static_cast<std::size_t>(p)])};
        for (const Cell* field : {&row.pinyin, &row.question}) {
            fieldBegin_.push_back(haystack_.size());
            fieldNull_.push_back(!field->has_value());
            if (*field)
                haystack_ += foldCase(cleanText(**field));
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
    const LikePattern pattern(cleanText(keyword));
    std::vector<std::size_t> hits;
    const std::size_t count = rows_->size();
    auto field = [this](std::size_t k) {
        // Without its closing NUL.
        return std::string_view(haystack_).substr(fieldBegin_[k],
                                                  fieldBegin_[k + 1] - fieldBegin_[k] - 1);
    };
    const std::string_view lead = pattern.leadingLiteral();
    if (lead.empty()) {
        for (std::size_t r = 0; r < count; ++r) {
            if (!rowInCategory(r, category))
                continue;
            for (std::size_t k = 2 * r; k < 2 * r + 2; ++k)
                if (!fieldNull_[k] && pattern.matches(field(k))) {
                    hits.push_back(r);
                    break;
                }
        }
        return hits;
    }
    // One substring search over all rows finds the candidates for the first segment.
    const char* base = haystack_.data();
    std::size_t pos = 0;
    while (pos < haystack_.size()) {
        const void* found = memmem(base + pos, haystack_.size() - pos, lead.data(), lead.size());
        if (!found)
            break;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - base);
        const auto k = static_cast<std::size_t>(
            std::upper_bound(fieldBegin_.begin(), fieldBegin_.end(), at) - fieldBegin_.begin() - 1);
        const std::size_t row = k / 2;
        const std::size_t begin = fieldBegin_[k];
        const std::size_t end = fieldBegin_[k + 1] - 1;
        if (!rowInCategory(row, category)) {
            pos = fieldBegin_[2 * row + 2];
            continue;
        }
        if (at + lead.size() <= end && pattern.matchesRestAfter(field(k), at - begin)) {
            hits.push_back(row);
            pos = fieldBegin_[2 * row + 2];
            continue;
        }
        // The leftmost candidate in a field decides it: go on with the next field.
        pos = fieldBegin_[k + 1];
    }
    return hits;
}

std::vector<std::pair<std::size_t, std::size_t>> QuestionStore::matchedSpans(
    std::string_view question, std::string_view keyword) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    const std::string text = cleanText(question);
    if (text.size() != question.size())
        return spans;  // offsets would not fit the shown text
    const LikePattern pattern(cleanText(keyword));
    if (!pattern.matches(foldCase(text), 0, &spans))
        spans.clear();
    return spans;
}

const char* QuestionStore::queryText(bool oneCategory) {
    // The keyword and the category are bound, never spliced into the text: an apostrophe is
    // searched for like any other character.
    return oneCategory ? "SELECT * FROM Conversion WHERE (PinYin LIKE '%' || ?1 || '%' or "
                         "Question LIKE '%' || ?1 || '%') and QType = ?2"
                       : "SELECT * FROM Conversion WHERE PinYin LIKE '%' || ?1 || '%' or "
                         "Question LIKE '%' || ?1 || '%'";
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
        error_ = conn_.lastError();
        return std::nullopt;
    }
    const int q = result->column("Question");
    const int a = result->column("answer");
    const int t = result->column("QType");
    const int p = result->column("PinYin");
    std::vector<QuestionRow> out;
    for (auto& r : result->rows)
        out.push_back({r[static_cast<std::size_t>(q)], r[static_cast<std::size_t>(a)],
                       r[static_cast<std::size_t>(t)], r[static_cast<std::size_t>(p)]});
    return out;
}

}  // namespace kalvix
