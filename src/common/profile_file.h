#pragma once
// A profile (INI) file with the semantics programs of this kind rely on: "[section]" headers,
// "key=value" lines, section and key names compared without regard to letter case, missing
// keys taking the caller's default, integers as decimal text. Texts are bytes as stored (the
// callers convert from and to GBK). Lines the program does not know, comments included, are
// kept as they are when the file is written back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

class ProfileFile {
  public:
    // Reads the file; false when it exists but cannot be read. A missing file is an empty
    // profile (true), as the profile functions treat it.
    bool load(const std::string& path);
    void parse(std::string_view text);

    // The value without the blanks around it and without one pair of enclosing quotes.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view fallback) const;
    // The leading decimal number of the value; a value that does not start with one reads as
    // 0, a negative value as 0, a missing key as fallback.
    std::int32_t getInt(std::string_view section, std::string_view key,
                        std::int32_t fallback) const;

    // Replaces the key's value in place, or appends the key at the end of its section, or the
    // section at the end of the file. CR, LF and NUL are dropped from all three: a value
    // always stays on its one line. A value with blanks around it or in a pair of quotes is
    // stored in quotes, so value() gives it back as it was set.
    void setString(std::string_view section, std::string_view key, std::string_view value);
    void setInt(std::string_view section, std::string_view key, std::int64_t value);

    std::string text() const;
    // Writes the file whole or not at all (writeFileAtomically), so a crash or a full disk
    // never leaves half a profile.
    bool save(const std::string& path) const;

  private:
    struct Line {
        std::string raw;      // the line as stored, without its line end
        std::string section;  // for a header line: the section name
        std::string key;      // for a key line: the key name
        bool header = false;
    };
    // Index of the section's header line, or npos.
    std::size_t findSection(std::string_view section) const;
    std::size_t findKey(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
    std::string newline_ = "\n";
};

}  // namespace common
