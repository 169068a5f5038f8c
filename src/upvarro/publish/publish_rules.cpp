#include "upvarro/publish/publish_rules.h"

#include <fnmatch.h>

#include <array>

namespace upvarro::publish {
namespace {

constexpr std::string_view kActionWords = "copy, restart, register, run or delete";

struct ActionWord {
    std::string_view word;
    FileAction action;
};
constexpr std::array<ActionWord, 5> kWords = {{
    {"copy", FileAction::Copy},
    {"restart", FileAction::Restart},
    {"register", FileAction::Register},
    {"run", FileAction::Run},
    {"delete", FileAction::Delete},
}};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool hasControl(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

// The one action a line's words give, or why they give none.
std::optional<FileAction> combine(const std::vector<std::string_view>& actions, std::string& why) {
    std::array<bool, kWords.size()> seen = {};
    for (std::string_view a : actions) {
        std::size_t k = 0;
        while (k < kWords.size() && kWords[k].word != a)
            ++k;
        if (k == kWords.size()) {
            why = "unknown action '" + std::string(a) + "' (" + std::string(kActionWords) + ")";
            return std::nullopt;
        }
        if (seen[k]) {
            why = "action '" + std::string(a) + "' given twice";
            return std::nullopt;
        }
        seen[k] = true;
    }
    auto has = [&seen](FileAction action) { return seen[static_cast<std::size_t>(action)]; };
    if (has(FileAction::Delete)) {
        if (actions.size() > 1) {
            why = "delete cannot be combined with another action";
            return std::nullopt;
        }
        return FileAction::Delete;
    }
    // Each entry carries one action attribute: these three exclude each other.
    int special = 0;
    FileAction result = FileAction::Copy;
    for (FileAction a : {FileAction::Restart, FileAction::Register, FileAction::Run}) {
        if (has(a)) {
            ++special;
            result = a;
        }
    }
    if (special > 1) {
        why = "restart, register and run exclude each other (a list entry has one action)";
        return std::nullopt;
    }
    return result;
}

}  // namespace

std::string_view actionAttribute(FileAction action) {
    switch (action) {
        case FileAction::Copy:
            return "";
        case FileAction::Restart:
            return "restart";
        case FileAction::Register:
            return "register";
        case FileAction::Run:
            return "run";
        case FileAction::Delete:
            return "delete";
    }
    return "";
}

bool hasWildcard(std::string_view pattern) {
    return pattern.find_first_of("*?[") != std::string_view::npos;
}

std::optional<PublishRules> PublishRules::parse(std::string_view text, std::string_view source,
                                                std::string* error) {
    PublishRules rules;
    rules.source_ = source;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        // A rules file edited on Windows still reads.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        auto refuse = [&](const std::string& why) -> std::optional<PublishRules> {
            if (error)
                *error = std::string(source) + ":" + std::to_string(lineNumber) + ": " + why;
            return std::nullopt;
        };

        std::vector<std::string_view> w = words(line);
        if (w.empty() || w.front().front() == '#')
            continue;
        for (std::string_view word : w)
            if (hasControl(word))
                return refuse("control character in the line");
        std::string_view pattern = w.front();
        if (pattern.find('\\') != std::string_view::npos)
            return refuse("'" + std::string(pattern) + "': folders are separated by / here");
        if (pattern.front() == '/')
            return refuse("'" + std::string(pattern) +
                          "': patterns are relative to the release folder, without a leading /");
        std::vector<std::string_view> actions;
        for (std::size_t k = 1; k < w.size() && w[k].front() != '#'; ++k)
            actions.push_back(w[k]);
        if (actions.empty())
            return refuse("'" + std::string(pattern) + "' has no action (" +
                          std::string(kActionWords) + ")");
        std::string why;
        auto action = combine(actions, why);
        if (!action)
            return refuse(why);
        rules.rules_.push_back({std::string(pattern), *action, lineNumber});
    }
    return rules;
}

const PublishRule* PublishRules::ruleFor(std::string_view name) const {
    std::string n(name);
    for (auto it = rules_.rbegin(); it != rules_.rend(); ++it)
        if (fnmatch(it->pattern.c_str(), n.c_str(), FNM_NOESCAPE) == 0)
            return &*it;
    return nullptr;
}

FileAction PublishRules::actionFor(std::string_view name) const {
    const PublishRule* rule = ruleFor(name);
    return rule ? rule->action : FileAction::Copy;
}

std::vector<const PublishRule*> PublishRules::namedDeletes() const {
    std::vector<const PublishRule*> out;
    for (const PublishRule& r : rules_)
        if (r.action == FileAction::Delete && !hasWildcard(r.pattern))
            out.push_back(&r);
    return out;
}

}  // namespace upvarro::publish
