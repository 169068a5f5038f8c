#include "kalvix/core/quiz/question_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <iterator>

#include "common/file_io.h"
#include "kalvix/core/quiz/like_pattern.h"
#include "kalvix/core/quiz/pinyin_readings.h"

namespace kalvix {
namespace {

// The columns are named: what the file holds beyond them is never read.
constexpr const char* kSelectRows = "SELECT Question, answer, QType, PinYin FROM Conversion";

// The sorted union of two sorted row lists.
std::vector<std::uint32_t> unite(const std::vector<std::uint32_t>& a,
                                 const std::vector<std::uint32_t>& b) {
    std::vector<std::uint32_t> out;
    out.reserve(a.size() + b.size());
    std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

void addRow(std::vector<std::uint32_t>& list, std::uint32_t row) {
    if (list.empty() || list.back() != row)
        list.push_back(row);
}

}  // namespace

void QuestionStore::setPath(std::string path) {
    if (path == path_)
        return;
    path_ = std::move(path);
    drop();
    failed_.reset();
}

void QuestionStore::drop() {
    conn_.close();
    stamp_.reset();
    rows_ = std::make_shared<const std::vector<QuestionRow>>();
    haystack_.clear();
    fieldBegin_.clear();
    fieldNull_.clear();
    rowsWith_.clear();
    tokens_.clear();
    tokenBegin_.clear();
    for (auto& list : rowsWithInitial_)
        list.clear();
    last_.reset();
}

QuestionStore::Status QuestionStore::refresh() {
    const std::optional<Stamp> now = common::regularFileStamp(path_);
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
        tokenBegin_.push_back(static_cast<std::uint32_t>(tokens_.size()));
        for (const Cell* field : {&row.pinyin, &row.question}) {
            fieldBegin_.push_back(haystack_.size());
            fieldNull_.push_back(!field->has_value());
            if (*field) {
                const std::string text = foldCase(cleanText(**field));
                forEachCharacter(text, [this, index](char32_t c, std::size_t, std::size_t) {
                    addRow(rowsWith_[c], index);
                });
                haystack_ += text;
                if (field == &row.question)
                    indexReadings(text, index);
            }
            haystack_ += '\0';
        }
        rows->push_back(std::move(row));
    }
    fieldBegin_.push_back(haystack_.size());
    tokenBegin_.push_back(static_cast<std::uint32_t>(tokens_.size()));
    rows_ = std::move(rows);
    return true;
}

bool QuestionStore::rowInCategory(std::size_t row,
                                  const std::optional<std::string>& category) const {
    const Cell& type = (*rows_)[row].type;
    return !category || (type && *type == *category);
}

void QuestionStore::indexReadings(std::string_view folded, std::uint32_t row) {
    PinyinMatcher::tokenize(folded, tokens_);
    forEachCharacter(folded, [this, row](char32_t c, std::size_t, std::size_t) {
        if (c >= 'a' && c <= 'z')
            addRow(rowsWithInitial_[c - 'a'], row);
        for (std::uint16_t id : pinyinReadingIds(c))
            addRow(rowsWithInitial_[static_cast<std::size_t>(pinyinSyllable(id)[0] - 'a')], row);
    });
}

std::string_view QuestionStore::field(std::size_t k) const {
    // Without its closing NUL.
    return std::string_view(haystack_).substr(fieldBegin_[k],
                                              fieldBegin_[k + 1] - fieldBegin_[k] - 1);
}

int QuestionStore::rank(std::size_t row, const LikePattern& pattern, const PinyinMatcher* pinyin,
                        std::vector<std::pair<std::size_t, std::size_t>>& spans) const {
    const std::size_t keyField = 2 * row;
    const std::size_t questionField = 2 * row + 1;
    if (!fieldNull_[questionField] && pattern.matches(field(questionField)))
        return 0;
    spans.clear();
    const bool byKey = !fieldNull_[keyField] && pattern.matches(field(keyField), &spans);
    if (!pinyin)
        return byKey ? 0 : -1;
    if (byKey && (spans.empty() || spans.front().first == 0))
        return 1;
    if (pinyin->usable() && !fieldNull_[questionField]) {
        const std::span<const PinyinMatcher::Token> tokens(tokens_.data() + tokenBegin_[row],
                                                           tokenBegin_[row + 1] - tokenBegin_[row]);
        if (pinyin->matches(tokens, field(questionField), true))
            return 1;
        if (pinyin->matches(tokens, field(questionField), false))
            return 2;
    }
    return byKey ? 2 : -1;
}

std::vector<std::uint32_t> QuestionStore::candidates(const LikePattern& pattern,
                                                     const PinyinMatcher* pinyin) const {
    static const std::vector<std::uint32_t> kNone;
    // The rarest of the characters every match must hold, or nullptr when there are none.
    auto rarestOf = [this](std::string_view text, bool nonAsciiOnly, bool& absent) {
        const std::vector<std::uint32_t>* rarest = nullptr;
        forEachCharacter(text, [&](char32_t c, std::size_t, std::size_t) {
            if (nonAsciiOnly && c < 0x80)
                return;
            auto it = rowsWith_.find(c);
            if (it == rowsWith_.end())
                absent = true;
            else if (!rarest || it->second.size() < rarest->size())
                rarest = &it->second;
        });
        return absent ? &kNone : rarest;
    };
    // A text match holds every literal character of the pattern.
    std::string literals;
    for (std::string_view literal : pattern.literals())
        literals += literal;
    bool absent = false;
    const std::vector<std::uint32_t>* byText = rarestOf(literals, false, absent);
    std::vector<std::uint32_t> all;
    if (!byText) {
        all.resize(rows_->size());
        for (std::uint32_t r = 0; r < all.size(); ++r)
            all[r] = r;
        return all;
    }
    if (!pinyin || !pinyin->usable())
        return *byText;
    // A match by readings holds every character of the keyword that is not a letter's; its
    // first character is read or written with the keyword's first letter.
    bool noRow = false;
    const std::vector<std::uint32_t>* byReading = rarestOf(pinyin->key(), true, noRow);
    const char first = pinyin->key().front();
    if (!byReading) {
        if (first >= 'a' && first <= 'z') {
            byReading = &rowsWithInitial_[static_cast<std::size_t>(first - 'a')];
        } else {
            auto it = rowsWith_.find(static_cast<unsigned char>(first));
            byReading = it == rowsWith_.end() ? &kNone : &it->second;
        }
    }
    return unite(*byText, *byReading);
}

std::vector<std::size_t> QuestionStore::search(std::string_view keyword,
                                               const std::optional<std::string>& category,
                                               bool withReadings) const {
    const std::string folded = foldCase(cleanText(keyword));
    const LikePattern pattern(folded);
    std::optional<PinyinMatcher> matcher;
    // Every row is found by a keyword that is only wildcards: it is listed in store order.
    if (withReadings && !pattern.matchesAll())
        matcher.emplace(folded);
    const PinyinMatcher* pinyin = matcher ? &*matcher : nullptr;
    // A keyword that begins with the last one finds a part of what it found, unless the last
    // one was searched as text only ("'", a blank) and this one by readings as well.
    const bool byReadings = pinyin && pinyin->usable();
    const bool narrow = last_ && last_->category == category &&
                        last_->withReadings == withReadings && folded.starts_with(last_->keyword) &&
                        (last_->byReadings || last_->keyword.empty() || !byReadings);
    std::vector<std::size_t> ranked[3];
    std::vector<std::uint32_t> found;
    std::vector<std::pair<std::size_t, std::size_t>> spans;  // reused: no allocation per row
    auto tryRow = [&](std::uint32_t row) {
        if (!rowInCategory(row, category))
            return;
        const int r = rank(row, pattern, pinyin, spans);
        if (r < 0)
            return;
        ranked[r].push_back(row);
        found.push_back(row);
    };
    const std::vector<std::uint32_t> rows = candidates(pattern, pinyin);
    for (std::uint32_t row : narrow && last_->rows.size() < rows.size() ? last_->rows : rows)
        tryRow(row);
    std::vector<std::size_t> hits = std::move(ranked[0]);
    hits.insert(hits.end(), ranked[1].begin(), ranked[1].end());
    hits.insert(hits.end(), ranked[2].begin(), ranked[2].end());
    last_ = LastSearch{folded, category, withReadings, byReadings, std::move(found)};
    return hits;
}

std::vector<std::pair<std::size_t, std::size_t>> QuestionStore::matchedSpans(
    std::string_view question, std::string_view keyword, const PinyinMatcher* pinyin) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    const std::string text = cleanText(question);
    if (text.size() != question.size())
        return spans;  // offsets would not fit the shown text
    const std::string cleaned = cleanText(keyword);
    const std::string folded = foldCase(text);
    const LikePattern pattern(cleaned);
    if (pattern.matches(folded, &spans))
        return spans;
    spans.clear();
    std::optional<PinyinMatcher> own;
    if (!pinyin)
        pinyin = &own.emplace(cleaned);
    if (auto run = pinyin->span(folded))
        spans.push_back(*run);
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
