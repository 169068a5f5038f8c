#pragma once
// The guide file "xyq.ini" beside the program: a GBK INI file whose values are whole guides on
// one line, "||" standing for a line break. Only read, and read afresh at every look-up, so a
// file edited while the toolbox runs shows its new text.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvix {

class GuideFile {
  public:
    static constexpr const char* kFileName = "xyq.ini";
    // Room the guide pages give a value, the terminator included (counted in GBK bytes).
    static constexpr std::size_t kValueRoom = 102400;

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

  private:
    std::string path_;
};

// The file's text in UTF-8. A file that is not all valid GBK is converted line by line, so a
// damaged byte sequence costs only its own line a replacement character and never joins two
// lines.
std::string guideFileText(std::string_view gbk);

}  // namespace kalvix
