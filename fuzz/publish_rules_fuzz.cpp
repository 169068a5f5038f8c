// The rules file of upvarro-publish is typed by hand: any text gets a rule set or a line that
// says where it went wrong, a rule set reads the same when written out again, and every name
// the tool accepts comes back unchanged from the list it writes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "upvarro/core/update_list.h"
#include "upvarro/publish/publish_rules.h"
#include "upvarro/publish/release_list.h"

namespace {

using upvarro::publish::FileAction;
using upvarro::publish::PublishRules;

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

std::string_view word(FileAction action) {
    return action == FileAction::Copy ? "copy" : upvarro::publish::actionAttribute(action);
}

// A name the tool accepts is written to a list and read back by the updater's parser.
void roundTripName(std::string_view name) {
    if (!upvarro::publish::nameRefusal(name).empty())
        return;
    upvarro::publish::ReleaseEntry entry;
    entry.name = name;
    entry.size = 1;
    entry.md5 = std::string(32, '0');
    entry.sha256 = std::string(64, 'a');
    upvarro::publish::ListSettings settings;
    settings.downUrl = "http://fuzz.example/u";
    settings.version = "1.0";
    settings.publishTime = 1;
    std::string error;
    auto text = upvarro::publish::listText(settings, {entry}, error);
    check(text.has_value());
    upvarro::Folders folders{"/nonexistent-fuzz/update", "/nonexistent-fuzz",
                             "/nonexistent-fuzz/temp"};
    upvarro::Settings read;
    auto list = upvarro::parseUpdateList(*text, folders, read);
    check(list && list->entries.size() == 1 && list->entries[0]->name == name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto rules = PublishRules::parse(text, "R", &error);
    if (!rules) {
        check(error.rfind("R:", 0) == 0 && error.find(": ", 2) != std::string::npos);
    } else {
        std::string again;
        int lastLine = 0;
        for (const auto& rule : rules->rules()) {
            check(rule.line > lastLine);
            lastLine = rule.line;
            again += rule.pattern + " " + std::string(word(rule.action)) + "\n";
        }
        auto reread = PublishRules::parse(again, "R");
        check(reread && reread->rules().size() == rules->rules().size());
        for (std::size_t i = 0; i < rules->rules().size(); ++i) {
            check(reread->rules()[i].pattern == rules->rules()[i].pattern);
            check(reread->rules()[i].action == rules->rules()[i].action);
        }
    }
    // Each line also serves as a name: matched against the rules and written to a list.
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (rules)
            (void)rules->actionFor(line);
        roundTripName(line);
        start = end + 1;
    }
    return 0;
}
