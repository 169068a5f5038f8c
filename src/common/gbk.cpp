#include "common/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace common {
namespace {

// GBK lead bytes are 0x81..0xFE; everything below 0x80 is a single byte.
bool isLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input; on an unconvertible or invalid sequence of skipLen bytes appends
    // replacement (or fails when strict).
    std::optional<std::string> run(std::string_view in, bool strict, std::string_view replacement,
                                   bool fromUtf8) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buf[1024];
        while (srcLeft > 0) {
            char* dst = buf;
            std::size_t dstLeft = sizeof buf;
            std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, static_cast<std::size_t>(dst - buf));
            if (r != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            if (strict)
                return std::nullopt;
            out.append(replacement);
            std::size_t skip = 1;
            if (fromUtf8) {
                // Skip the whole UTF-8 character when it is well formed.
                unsigned char c = static_cast<unsigned char>(*src);
                std::size_t len = c < 0x80         ? 1
                                  : (c >> 5) == 6  ? 2
                                  : (c >> 4) == 14 ? 3
                                  : (c >> 3) == 30 ? 4
                                                   : 1;
                bool ok = len <= srcLeft;
                for (std::size_t i = 1; ok && i < len; ++i)
                    ok = (static_cast<unsigned char>(src[i]) & 0xC0) == 0x80;
                if (ok && errno == EILSEQ)
                    skip = len;
            } else if (isLead(static_cast<unsigned char>(*src)) && srcLeft >= 2 &&
                       errno == EILSEQ) {
                skip = 2;
            }
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        return out;
    }

  private:
    iconv_t cd_;
};

// Opening a converter costs more than most conversions, so each thread keeps its two open.
// An iconv handle holds conversion state and must not be shared between threads: the
// updater's download threads convert while the user-interface thread does.
thread_local bool threadConvertersGone = false;

struct ThreadConverters {
    Converter toGbk{"GBK", "UTF-8"};
    Converter toUtf8{"UTF-8", "GBK"};
    ~ThreadConverters() { threadConvertersGone = true; }
};

std::optional<std::string> convert(std::string_view in, bool strict, std::string_view replacement,
                                   bool fromUtf8) {
    // Destructors that run after the thread's own converters are gone get a fresh one.
    if (threadConvertersGone) {
        Converter c(fromUtf8 ? "GBK" : "UTF-8", fromUtf8 ? "UTF-8" : "GBK");
        return c.run(in, strict, replacement, fromUtf8);
    }
    thread_local ThreadConverters converters;
    return (fromUtf8 ? converters.toGbk : converters.toUtf8).run(in, strict, replacement, fromUtf8);
}

}  // namespace

std::optional<std::string> utf8ToGbkStrict(std::string_view utf8) {
    return convert(utf8, true, "", true);
}

std::optional<std::string> gbkToUtf8Strict(std::string_view gbk) {
    return convert(gbk, true, "", false);
}

std::string utf8ToGbk(std::string_view utf8) {
    return convert(utf8, false, "?", true).value_or(std::string());
}

std::string gbkToUtf8(std::string_view gbk) {
    return convert(gbk, false, "\xEF\xBF\xBD", false).value_or(std::string());
}

std::size_t gbkLength(std::string_view utf8) {
    return utf8ToGbk(utf8).size();
}

std::string cutGbk(std::string_view gbk, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < gbk.size()) {
        std::size_t len = isLead(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size() ? 2 : 1;
        if (i + len > maxBytes)
            break;
        i += len;
    }
    return std::string(gbk.substr(0, i));
}

std::string cutUtf8ToGbkBytes(std::string_view utf8, std::size_t maxBytes) {
    return gbkToUtf8(cutGbk(utf8ToGbk(utf8), maxBytes));
}

void copyToField(char* field, std::size_t size, std::string_view gbk) {
    if (size == 0)
        return;
    std::memset(field, 0, size);
    std::string cut = cutGbk(gbk, size - 1);
    std::memcpy(field, cut.data(), cut.size());
}

std::string readField(const char* field, std::size_t size) {
    std::size_t n = 0;
    while (n < size && field[n] != '\0')
        ++n;
    return std::string(field, n);
}

}  // namespace common
