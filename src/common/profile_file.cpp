#include "common/profile_file.h"

#include <cerrno>
#include <cstdio>

#include "common/ascii_text.h"
#include "common/atomic_file.h"

namespace common {
namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

std::string oneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0')
            out += c;
    return out;
}

}  // namespace

bool ProfileFile::load(const std::string& path) {
    lines_.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    // A file that does not exist is an empty profile; one that cannot be read is an error.
    if (!f)
        return errno == ENOENT;
    std::string text;
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    bool ok = std::ferror(f) == 0;
    std::fclose(f);
    if (!ok)
        return false;
    parse(text);
    return true;
}

void ProfileFile::parse(std::string_view text) {
    lines_.clear();
    newline_ = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    std::string current;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string_view raw = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        Line line;
        line.raw = std::string(raw);
        std::string_view t = trimBlanks(raw);
        if (!t.empty() && t.front() == '[') {
            std::size_t close = t.find(']');
            line.header = true;
            line.section = std::string(trimBlanks(
                t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
            current = line.section;
        } else if (!t.empty() && t.front() != ';') {
            std::size_t eq = t.find('=');
            if (eq != std::string_view::npos)
                line.key = std::string(trimBlanks(t.substr(0, eq)));
            line.section = current;
        } else {
            line.section = current;
        }
        lines_.push_back(std::move(line));
    }
}

std::size_t ProfileFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].header && equalsNoCase(lines_[i].section, section))
            return i;
    return npos;
}

std::size_t ProfileFile::findKey(std::string_view section, std::string_view key) const {
    std::size_t start = findSection(section);
    if (start == npos)
        return npos;
    for (std::size_t i = start + 1; i < lines_.size() && !lines_[i].header; ++i)
        if (!lines_[i].key.empty() && equalsNoCase(lines_[i].key, key))
            return i;
    return npos;
}

std::optional<std::string> ProfileFile::value(std::string_view section,
                                              std::string_view key) const {
    std::size_t i = findKey(section, key);
    if (i == npos)
        return std::nullopt;
    std::string_view raw = lines_[i].raw;
    std::string_view v = trimBlanks(raw.substr(raw.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

std::string ProfileFile::getString(std::string_view section, std::string_view key,
                                   std::string_view fallback) const {
    auto v = value(section, key);
    return v ? *v : std::string(fallback);
}

std::int32_t ProfileFile::getInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const {
    auto v = value(section, key);
    if (!v)
        return fallback;
    std::string_view s = *v;
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::int64_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        n = n * 10 + (c - '0');
        if (n > INT32_MAX)
            return INT32_MAX;
    }
    if (negative)
        return 0;
    return static_cast<std::int32_t>(n);
}

void ProfileFile::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    // Values come from the network (the update list's title, version, pictures): a line end
    // inside one would start a line of its own, a "[Server]" header that wins from then on.
    const std::string cleanSection = oneLine(section);
    const std::string cleanKey = oneLine(key);
    std::string clean = oneLine(value);
    // Reading takes the blanks around a value and one pair of enclosing quotes off: a value
    // with either goes inside one more pair of quotes, so that it reads back as it was set.
    if (!clean.empty() && (clean.front() == ' ' || clean.front() == '\t' || clean.back() == ' ' ||
                           clean.back() == '\t' ||
                           (clean.size() >= 2 && (clean.front() == '"' || clean.front() == '\'') &&
                            clean.back() == clean.front())))
        clean = "\"" + clean + "\"";
    section = cleanSection;
    key = cleanKey;
    value = clean;
    std::size_t i = findKey(section, key);
    if (i != npos) {
        // The key keeps the spelling it has in the file.
        lines_[i].raw = lines_[i].key + "=" + std::string(value);
        return;
    }
    std::string raw = std::string(key) + "=" + std::string(value);
    Line line;
    line.raw = raw;
    line.key = std::string(key);
    line.section = std::string(section);
    std::size_t start = findSection(section);
    if (start == npos) {
        Line header;
        header.header = true;
        header.section = std::string(section);
        header.raw = "[" + header.section + "]";
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(line));
        return;
    }
    // After the last key of the section, before blank lines and comments that end it.
    std::size_t end = start + 1;
    for (std::size_t j = start + 1; j < lines_.size() && !lines_[j].header; ++j)
        if (!lines_[j].key.empty())
            end = j + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), std::move(line));
}

void ProfileFile::setInt(std::string_view section, std::string_view key, std::int64_t value) {
    setString(section, key, std::to_string(value));
}

std::string ProfileFile::text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.raw;
        out += newline_;
    }
    return out;
}

bool ProfileFile::save(const std::string& path) const {
    return writeFileAtomically(path, text()) == AtomicWrite::Done;
}

}  // namespace common
