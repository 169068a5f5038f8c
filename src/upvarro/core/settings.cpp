#include "upvarro/core/settings.h"

#include <cstdio>
#include <cstdlib>

#include "common/ascii_text.h"
#include "common/gbk.h"
#include "common/number_text.h"
#include "common/profile_file.h"
#include "upvarro/core/platform/files.h"

namespace upvarro {
namespace {

std::string readText(const common::ProfileFile& ini, const char* section, const char* key,
                     const std::string& fallback, std::size_t limit) {
    auto v = ini.value(section, key);
    if (!v)
        return fallback;
    return common::gbkToUtf8(common::cutGbk(*v, limit));
}

void writeText(common::ProfileFile& ini, const char* section, const char* key,
               const std::string& utf8) {
    ini.setString(section, key, common::utf8ToGbk(utf8));
}

// upvarro.ini through the updater's bounded read: a FIFO or device in its place is never
// waited on, a link never followed. A missing file is an empty profile.
bool loadProfile(const std::string& path, common::ProfileFile& ini) {
    platform::FileRead read = platform::readRegularFile(path, kConfigurationLimit);
    if (read.status == platform::ReadStatus::Missing) {
        ini.parse("");
        return true;
    }
    if (!read.ok())
        return false;
    ini.parse(read.bytes);
    return true;
}

}  // namespace

std::optional<std::time_t> parseLastUpdateDate(const std::string& text, std::time_t now) {
    int fields[6] = {0, 0, 0, 0, 0, 0};
    int pieces = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = text.find_first_not_of(" /-:", pos);
        if (start == std::string::npos)
            break;
        std::size_t end = text.find_first_of(" /-:", start);
        std::string piece = text.substr(start, end == std::string::npos ? end : end - start);
        pos = end == std::string::npos ? text.size() : end;
        if (pieces == 6)
            return now;  // a seventh piece: the whole date is now
        fields[pieces++] = static_cast<int>(std::strtol(piece.c_str(), nullptr, 10));
    }
    if (pieces == 0)
        return std::nullopt;
    std::tm current{};
    localtime_r(&now, &current);
    std::tm t{};
    t.tm_year = (fields[0] < 1900 || fields[0] > 2110) ? current.tm_year : fields[0] - 1900;
    t.tm_mon = (fields[1] < 1 || fields[1] > 13) ? current.tm_mon : fields[1] - 1;
    t.tm_mday = (fields[2] < 1 || fields[2] > 31) ? current.tm_mday : fields[2];
    t.tm_hour = (fields[3] < 0 || fields[3] > 24) ? current.tm_hour : fields[3];
    t.tm_min = (fields[4] < 0 || fields[4] > 60) ? current.tm_min : fields[4];
    t.tm_sec = (fields[5] < 0 || fields[5] > 60) ? current.tm_sec : fields[5];
    t.tm_isdst = -1;
    std::time_t result = std::mktime(&t);
    if (result == static_cast<std::time_t>(-1))
        return std::nullopt;
    return result;
}

std::string formatLastUpdateDate(const std::optional<std::time_t>& time) {
    if (!time)
        return {};
    std::tm t{};
    localtime_r(&*time, &t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

bool readConfiguration(const std::string& path, Settings& s, std::time_t now) {
    common::ProfileFile ini;
    if (!loadProfile(path, ini))
        return false;
    s.version = readText(ini, "Version", "Version", s.version, kVersionLimit);
    s.title = readText(ini, "Version", "Title", s.title, kTitleLimit);
    s.waterMarkPath = readText(ini, "Version", "WaterMarkPath", s.waterMarkPath, kPictureLimit);
    s.bannerPath = readText(ini, "Version", "BannerPath", s.bannerPath, kPictureLimit);
    // A damaged value is no value: the next signed list sets it again.
    s.publishTime = common::parseInteger(ini.getString("Version", "PublishTime", ""), 0, INT64_MAX)
                        .value_or(s.publishTime);
    s.autoUpdateFlag = ini.getInt("UpdateType", "AutoUpdateFlag", s.autoUpdateFlag);
    s.updateLater = ini.getInt("UpdateType", "UpdateLater", s.updateLater);
    s.autoNextStep = ini.getInt("UpdateType", "AutoNextStep", s.autoNextStep);
    s.lastUpdateDate = parseLastUpdateDate(ini.getString("UpdateType", "LastUpdateDate", ""), now);
    s.downloadThreadNumber =
        ini.getInt("UpdateType", "DownloadThreadNumber", s.downloadThreadNumber);
    std::string scheme = ini.getString("Server", "UpdateScheme", s.updateScheme);
    scheme = common::asciiLower(scheme);
    // Anything else would be a guess at what was meant; neither guess is safe.
    if (scheme != "http" && scheme != "https")
        return false;
    s.updateScheme = scheme;
    s.updateHost = readText(ini, "Server", "UpdateHost", s.updateHost, kHostLimit);
    s.updatePort = ini.getInt("Server", "UpdatePort", s.updatePort);
    s.updateListUrlPath =
        readText(ini, "Server", "UpdateListUrlPath", s.updateListUrlPath, kListPathLimit);
    s.logLevel = ini.getInt("Server", "LogLevel", s.logLevel);
    s.showFromStart = 1;
    return !s.updateListUrlPath.empty();
}

bool writeConfiguration(const std::string& path, const Settings& s) {
    common::ProfileFile ini;
    // An unreadable file is rewritten from the values held.
    if (!loadProfile(path, ini))
        ini.parse("");
    writeText(ini, "Version", "Version", s.version);
    writeText(ini, "Version", "Title", s.title);
    writeText(ini, "Version", "WaterMarkPath", s.waterMarkPath);
    writeText(ini, "Version", "BannerPath", s.bannerPath);
    if (s.publishTime > 0)
        ini.setInt("Version", "PublishTime", s.publishTime);
    ini.setInt("UpdateType", "AutoUpdateFlag", s.autoUpdateFlag);
    ini.setInt("UpdateType", "UpdateLater", s.updateLater);
    ini.setInt("UpdateType", "AutoNextStep", s.autoNextStep);
    ini.setString("UpdateType", "LastUpdateDate", formatLastUpdateDate(s.lastUpdateDate));
    ini.setString("Server", "UpdateScheme", s.updateScheme);
    writeText(ini, "Server", "UpdateHost", s.updateHost);
    ini.setInt("Server", "UpdatePort", s.updatePort);
    writeText(ini, "Server", "UpdateListUrlPath", s.updateListUrlPath);
    ini.setInt("Server", "LogLevel", s.logLevel);
    return ini.save(path);
}

}  // namespace upvarro
