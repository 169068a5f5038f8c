#pragma once
// The guide file "xyq.ini" beside the program: a GBK INI file whose values are whole guides on
// one line, "||" standing for a line break. Only read: parsed once and kept until the file
// changes, so a file edited while the toolbox runs shows its new text at the next look-up.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.h"

namespace kalvix {

class GuideFile {
  public:
    static constexpr const char* kFileName = "xyq.ini";
    // Room the guide pages give a value, the terminator included (counted in GBK bytes).
    static constexpr std::size_t kValueRoom = 102400;
    // The largest file read: room for every guide of both lists at its full size. A bigger
    // file, or anything but a regular file (a device, a pipe), reads as no file at all.
    static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

    // The file "xyq.ini" in the program's folder.
    GuideFile();
    explicit GuideFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The guide under the key in the section, UTF-8, with every "||" turned into "\r\n". A
    // missing file, section or key, or a file that cannot be read, gives an empty text; a value
    // longer than the room is cut on a character boundary.
    std::string guide(std::string_view section, std::string_view key) const;
    // The same look-up in the bytes of a guide file.
    static std::string guideIn(std::string_view fileBytes, std::string_view section,
                               std::string_view key);
    // How many times the file was read and parsed (copies of this object share it).
    int loads() const { return cache_->loads; }

    // The file's sections and keys as the profile functions see them ("[section]" headers,
    // "key=value" lines, names without regard to letter case, the first of equal names wins),
    // kept as positions in the UTF-8 text, so a file of a million blank lines or keys costs
    // little more than its own size.
    class Index {
      public:
        explicit Index(std::string utf8);
        // The value without the blanks around it and one pair of enclosing quotes.
        std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

      private:
        struct Span {
            std::uint32_t begin = 0;
            std::uint32_t length = 0;
        };
        struct Key {
            std::uint32_t header;  // index into headers_
            Span name;
            Span value;
        };
        std::string_view text(Span s) const {
            return std::string_view(text_).substr(s.begin, s.length);
        }
        std::string text_;
        std::vector<Span> headers_;
        std::vector<Key> keys_;
    };

  private:
    using Stamp = common::FileStamp;
    struct Cache {
        std::optional<Stamp> stamp;
        std::shared_ptr<const Index> index;  // empty: no readable file
        int loads = 0;
    };
    const Index* current() const;

    std::string path_;
    std::shared_ptr<Cache> cache_ = std::make_shared<Cache>();
};

// The file's text in UTF-8. A file that is not all valid GBK is converted line by line, so a
// damaged byte sequence costs only its own line a replacement character and never joins two
// lines.
std::string guideFileText(std::string_view gbk);

}  // namespace kalvix
