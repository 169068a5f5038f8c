// upvarro.ini is edited by hand and rewritten on every exit with values that came from the
// network. Reading back what was written gives the same settings, no value escapes its key,
// and the keys the updater does not write keep their values.
//   input: the file's text; after a NUL, NUL-separated texts that replace, in order, the
//   version, title, watermark, banner, host, list path and last update date, as an update
//   list or a finished update would
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/gbk.h"
#include "common/profile_file.h"
#include "upvarro/core/settings.h"

namespace {

constexpr std::time_t kNow = 1700000000;

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

std::string scratchFile() {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/upvarro-settings-fuzz-" + std::to_string(getpid()) + ".ini";
}

void writeFile(const std::string& path, std::string_view text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    check(f != nullptr);
    check(std::fwrite(text.data(), 1, text.size(), f) == text.size());
    std::fclose(f);
}

// A text the file can hold as it is: GBK has every character of it, it fits, and it has no
// line end, which would start a line of its own.
bool plain(const std::string& utf8, std::size_t limit) {
    const auto gbk = common::utf8ToGbkStrict(utf8);
    if (!gbk || gbk->size() > limit)
        return false;
    return utf8.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
}

void sameText(const std::string& written, const std::string& read, std::size_t limit) {
    if (plain(written, limit))
        check(read == written);
}

void sameNumber(std::int32_t written, std::int32_t read) {
    if (written >= 0)
        check(read == written);
}

bool dateInRange(const std::optional<std::time_t>& t) {
    if (!t)
        return true;
    std::tm parts{};
    gmtime_r(&*t, &parts);
    return parts.tm_year + 1900 >= 1900 && parts.tm_year + 1900 <= 2110;
}

// The first field that differs, for the report of a failure; nullptr when none does.
const char* difference(const upvarro::Settings& a, const upvarro::Settings& b) {
    if (a.version != b.version)
        return "Version";
    if (a.title != b.title)
        return "Title";
    if (a.waterMarkPath != b.waterMarkPath)
        return "WaterMarkPath";
    if (a.bannerPath != b.bannerPath)
        return "BannerPath";
    if (a.autoUpdateFlag != b.autoUpdateFlag || a.updateLater != b.updateLater ||
        a.autoNextStep != b.autoNextStep || a.downloadThreadNumber != b.downloadThreadNumber)
        return "an [UpdateType] number";
    if (a.lastUpdateDate != b.lastUpdateDate)
        return "LastUpdateDate";
    if (a.updateHost != b.updateHost)
        return "UpdateHost";
    if (a.updatePort != b.updatePort || a.logLevel != b.logLevel)
        return "a [Server] number";
    if (a.updateListUrlPath != b.updateListUrlPath)
        return "UpdateListUrlPath";
    return nullptr;
}

// Keys in the updater's sections that it never writes.
const char* const kUntouched[][2] = {
    {"UpdateType", "DownloadThreadNumber"},
    {"Version", "Comment"},
    {"Server", "Proxy"},
    {"Other", "UpdateHost"},
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Dates are written in local time; in a zone without summer time every date reads back.
    setenv("TZ", "UTC", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = scratchFile();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view text = input.substr(0, nul);
    std::vector<std::string> replacements;
    for (std::size_t pos = nul; pos != std::string_view::npos && pos < input.size();) {
        const std::size_t next = input.find('\0', pos + 1);
        replacements.emplace_back(input.substr(
            pos + 1, next == std::string_view::npos ? std::string_view::npos : next - pos - 1));
        pos = next;
    }

    writeFile(path, text);
    common::ProfileFile original;
    original.parse(text);

    upvarro::Settings held;
    check(upvarro::readConfiguration(path, held, kNow) == !held.updateListUrlPath.empty());
    std::string* texts[] = {&held.version,    &held.title,      &held.waterMarkPath,
                            &held.bannerPath, &held.updateHost, &held.updateListUrlPath};
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        if (i < std::size(texts))
            *texts[i] = common::gbkToUtf8(replacements[i]);
        else if (i == std::size(texts))
            held.lastUpdateDate = upvarro::parseLastUpdateDate(replacements[i], kNow);
    }

    check(upvarro::writeConfiguration(path, held));
    upvarro::Settings read;
    upvarro::readConfiguration(path, read, kNow);
    sameText(held.version, read.version, upvarro::kVersionLimit);
    sameText(held.title, read.title, upvarro::kTitleLimit);
    sameText(held.waterMarkPath, read.waterMarkPath, upvarro::kPictureLimit);
    sameText(held.bannerPath, read.bannerPath, upvarro::kPictureLimit);
    sameText(held.updateHost, read.updateHost, upvarro::kHostLimit);
    sameText(held.updateListUrlPath, read.updateListUrlPath, upvarro::kListPathLimit);
    sameNumber(held.autoUpdateFlag, read.autoUpdateFlag);
    sameNumber(held.updateLater, read.updateLater);
    sameNumber(held.autoNextStep, read.autoNextStep);
    sameNumber(held.updatePort, read.updatePort);
    sameNumber(held.logLevel, read.logLevel);
    check(read.downloadThreadNumber == held.downloadThreadNumber);
    if (dateInRange(held.lastUpdateDate))
        check(read.lastUpdateDate == held.lastUpdateDate);

    common::ProfileFile rewritten;
    check(rewritten.load(path));
    for (const auto& key : kUntouched)
        check(rewritten.value(key[0], key[1]) == original.value(key[0], key[1]));

    // Whatever the first write settled, a second one keeps.
    check(upvarro::writeConfiguration(path, read));
    upvarro::Settings again;
    upvarro::readConfiguration(path, again, kNow);
    if (const char* field = difference(read, again)) {
        std::fprintf(stderr, "%s changed on the second write\n", field);
        __builtin_trap();
    }
    return 0;
}
