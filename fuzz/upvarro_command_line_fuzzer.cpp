// The updater's command line is whatever started it: the toolbox, the updater itself or a user.
// Any line splits into sane fields, a line built from fields gives them back, and applying it
// touches only what it may.
//   input: the whole command line; its last line, when it begins with "/", is the updater's
//   own path for the COPY_FILE split.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/gbk.h"
#include "upvarro/core/command_line.h"
#include "upvarro/core/settings.h"

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

bool sameSettings(const upvarro::Settings& a, const upvarro::Settings& b) {
    return a.version == b.version && a.title == b.title && a.waterMarkPath == b.waterMarkPath &&
           a.bannerPath == b.bannerPath && a.autoUpdateFlag == b.autoUpdateFlag &&
           a.updateLater == b.updateLater && a.autoNextStep == b.autoNextStep &&
           a.lastUpdateDate == b.lastUpdateDate &&
           a.downloadThreadNumber == b.downloadThreadNumber && a.logLevel == b.logLevel &&
           a.forceUpdate == b.forceUpdate && a.updateMaxSpin == b.updateMaxSpin;
}

bool noSeparator(const std::string& s) {
    return !s.empty() && s.find_first_of("@\n") == std::string::npos;
}

void checkFields(const upvarro::CommandLine& line) {
    using upvarro::RunMode;
    check(line.mode == RunMode::RunUpdate || !line.showFlag);
    for (const auto* field : {&line.host, &line.listPath})
        if (*field) {
            check(common::gbkLength(**field) <= 31);
            check(field->value().find_first_of("@\n") == std::string::npos);
        }
    if (line.mode != RunMode::CopyFile)
        check(line.replacePath.empty() && line.newPath.empty());
}

void applyTo(const upvarro::CommandLine& line, const upvarro::Settings& before) {
    upvarro::Settings after = before;
    upvarro::applyCommandLine(line, after);
    // Everything the command line has no say in stays as it was.
    check(sameSettings(before, after));
    if (line.mode != upvarro::RunMode::RunUpdate) {
        check(after.showFromStart == before.showFromStart &&
              after.updateHost == before.updateHost && after.updatePort == before.updatePort);
        return;
    }
    if (!before.updateHost.empty())
        check(after.updateHost == before.updateHost);
    if (before.updatePort != 0)
        check(after.updatePort == before.updatePort);
    if (!before.updateListUrlPath.empty())
        check(after.updateListUrlPath == before.updateListUrlPath);
    check(after.showFromStart == 0 || after.showFromStart == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    std::string whole(reinterpret_cast<const char*>(data), size);
    std::string self;
    const std::size_t cut = whole.rfind('\n');
    if (cut != std::string::npos && cut + 1 < whole.size() && whole[cut + 1] == '/') {
        self = whole.substr(cut + 1);
        whole.resize(cut);
    }

    const upvarro::CommandLine plain = upvarro::parseCommandLine(whole);
    check(plain.whole == whole);
    checkFields(plain);
    const upvarro::CommandLine line = upvarro::parseCommandLine(whole, self);
    checkFields(line);
    check(line.mode == plain.mode && line.showFlag == plain.showFlag && line.host == plain.host &&
          line.port == plain.port && line.listPath == plain.listPath);
    if (line.mode == upvarro::RunMode::CopyFile && !line.newPath.empty() && !self.empty() &&
        line.newPath == self && line.replacePath != plain.replacePath)
        check("COPY_FILE@" + line.replacePath + "@" + self == whole);

    upvarro::Settings configured;
    applyTo(line, configured);
    upvarro::Settings empty;
    empty.updateHost.clear();
    empty.updatePort = 0;
    empty.updateListUrlPath.clear();
    applyTo(line, empty);

    // Fields without separators come back as they were sent, the way the toolbox sends them.
    if (plain.mode == upvarro::RunMode::CopyFile && noSeparator(plain.replacePath) &&
        noSeparator(plain.newPath)) {
        const upvarro::CommandLine again =
            upvarro::parseCommandLine("COPY_FILE@" + plain.replacePath + "@" + plain.newPath);
        check(again.replacePath == plain.replacePath && again.newPath == plain.newPath);
    }
    if (plain.mode == upvarro::RunMode::RunUpdate && plain.listPath && noSeparator(*plain.host) &&
        noSeparator(*plain.listPath)) {
        const std::string built = "RUN_UPDATE@" + std::to_string(*plain.showFlag) + "@" +
                                  *plain.host + "@" + std::to_string(*plain.port) + "@" +
                                  *plain.listPath;
        const upvarro::CommandLine again = upvarro::parseCommandLine(built);
        check(again.mode == upvarro::RunMode::RunUpdate && again.showFlag == plain.showFlag &&
              again.port == plain.port && again.host == plain.host &&
              again.listPath == plain.listPath);
    }
    return 0;
}
