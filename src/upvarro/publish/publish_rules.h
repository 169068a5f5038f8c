#pragma once
// The rules file of upvarro-publish: which action the list gives each file of a release.
// One rule a line, "PATTERN ACTION [ACTION]"; "#" starts a comment; the last matching line
// wins, as in .gitignore, so a broad rule comes first and its exceptions after it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace upvarro::publish {

// What the updater does with an entry. Copy is the plain update (no action attribute).
enum class FileAction { Copy, Restart, Register, Run, Delete };

// The list's action attribute for action; empty for Copy, which has none.
std::string_view actionAttribute(FileAction action);

struct PublishRule {
    std::string pattern;  // a glob against the name relative to the folder, "/" between folders
    FileAction action = FileAction::Copy;
    int line = 0;  // 1-based line of the rules file
};

class PublishRules {
  public:
    // Parses the text of a rules file. Nullopt on the first bad line; error (when given)
    // then reads "SOURCE:LINE: why", SOURCE being what the caller names the file.
    static std::optional<PublishRules> parse(std::string_view text, std::string_view source,
                                             std::string* error = nullptr);

    // The action of the last rule matching name, Copy when none does. "*" and "?" match "/"
    // too, so "*.so" takes lib/a.so.
    FileAction actionFor(std::string_view name) const;
    // The rule deciding name; nullptr when none matches.
    const PublishRule* ruleFor(std::string_view name) const;

    // Delete rules without wildcards: they name one file each, which need not exist in the
    // release (that is how a file is removed from installations).
    std::vector<const PublishRule*> namedDeletes() const;

    const std::vector<PublishRule>& rules() const { return rules_; }
    // What parse was told to call the file, for messages about a rule.
    const std::string& source() const { return source_; }

  private:
    std::vector<PublishRule> rules_;
    std::string source_;
};

// True when pattern holds a glob character ("*", "?" or "[").
bool hasWildcard(std::string_view pattern);

}  // namespace upvarro::publish
