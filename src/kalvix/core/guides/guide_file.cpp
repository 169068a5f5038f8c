#include "kalvix/core/guides/guide_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/ascii_text.h"
#include "common/file_io.h"
#include "common/gbk.h"
#include "common/program_folder.h"

namespace kalvix {
namespace {

using common::equalsNoCase;
using common::trimBlanks;

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos;) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

// The bytes of a regular file of at most `limit` bytes; nullopt for anything else. Opened
// without blocking, so a pipe put in the file's place cannot hold the page.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<std::string> out;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::uint64_t>(st.st_size) <= limit) {
        std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
        std::size_t done = 0;
        bool ok = true;
        // One byte more than the size: a file that grew past the limit meanwhile is refused.
        while (ok && done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            ok = n >= 0;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        if (ok && done <= limit) {
            bytes.resize(done);
            out = std::move(bytes);
        }
    }
    ::close(fd);
    return out;
}

}  // namespace

GuideFile::GuideFile() : path_(common::dataFilePath(kFileName)) {}

std::string guideFileText(std::string_view gbk) {
    if (auto whole = common::gbkToUtf8Strict(gbk))
        return *whole;
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    std::size_t pos = 0;
    while (pos < gbk.size()) {
        std::size_t end = gbk.find('\n', pos);
        if (end == std::string_view::npos)
            end = gbk.size();
        out += common::gbkToUtf8(gbk.substr(pos, end - pos));
        if (end < gbk.size())
            out += '\n';
        pos = end + 1;
    }
    return out;
}

GuideFile::Index::Index(std::string utf8) : text_(std::move(utf8)) {
    const std::string_view all(text_);
    auto span = [&all](std::string_view part) {
        return Span{static_cast<std::uint32_t>(part.data() - all.data()),
                    static_cast<std::uint32_t>(part.size())};
    };
    std::size_t pos = 0;
    while (pos < all.size()) {
        const std::size_t end = all.find('\n', pos);
        std::string_view line = all.substr(pos, end == std::string_view::npos ? end : end - pos);
        pos = end == std::string_view::npos ? all.size() : end + 1;
        const std::string_view t = trimBlanks(line);
        if (t.empty() || t.front() == ';')
            continue;
        if (t.front() == '[') {
            const std::size_t close = t.find(']');
            headers_.push_back(
                span(trimBlanks(t.substr(1, close == std::string_view::npos ? close : close - 1))));
            continue;
        }
        const std::size_t eq = t.find('=');
        if (eq == std::string_view::npos || headers_.empty())
            continue;  // not a key, or a key before any section
        const std::string_view name = trimBlanks(t.substr(0, eq));
        if (name.empty())
            continue;
        std::string_view value = trimBlanks(t.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        keys_.push_back({static_cast<std::uint32_t>(headers_.size() - 1), span(name), span(value)});
    }
}

std::optional<std::string_view> GuideFile::Index::value(std::string_view section,
                                                        std::string_view key) const {
    // Only the first section of that name counts, as with the profile functions.
    std::size_t header = 0;
    while (header < headers_.size() && !equalsNoCase(text(headers_[header]), section))
        ++header;
    if (header == headers_.size())
        return std::nullopt;
    for (const Key& k : keys_)
        if (k.header == header && equalsNoCase(text(k.name), key))
            return text(k.value);
    return std::nullopt;
}

const GuideFile::Index* GuideFile::current() const {
    const std::optional<Stamp> now = common::regularFileStamp(path_);
    if (!now) {
        cache_->stamp.reset();
        cache_->index.reset();
        return nullptr;
    }
    if (cache_->stamp == now)
        return cache_->index.get();
    cache_->stamp = now;
    cache_->index.reset();
    ++cache_->loads;
    if (auto bytes = readRegularFile(path_, kMaxFileBytes))
        cache_->index = std::make_shared<const Index>(guideFileText(*bytes));
    return cache_->index.get();
}

namespace {

// Converted before parsing (by the caller): in UTF-8 no byte of a Chinese character can pass
// for '|', ']' or an ASCII letter, as the second byte of a GBK character can.
std::string shownGuide(std::optional<std::string_view> value) {
    std::string text(value.value_or(std::string_view()));
    // Only a value close to the room can exceed it: GBK never takes more bytes than UTF-8.
    if (text.size() >= GuideFile::kValueRoom)
        text = common::cutUtf8ToGbkBytes(text, GuideFile::kValueRoom - 1);
    replaceAll(text, "||", "\r\n");
    return text;
}

}  // namespace

std::string GuideFile::guide(std::string_view section, std::string_view key) const {
    const Index* index = current();
    return index ? shownGuide(index->value(section, key)) : std::string();
}

std::string GuideFile::guideIn(std::string_view fileBytes, std::string_view section,
                               std::string_view key) {
    return shownGuide(Index(guideFileText(fileBytes)).value(section, key));
}

}  // namespace kalvix
