#pragma once
// The updater's settings record: what upvarro.ini holds, what the update list sets, and the
// flags of one run. Texts are UTF-8 here; the configuration file stores them in GBK.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace upvarro {

#ifndef UPVARRO_DEFAULT_HOST
#define UPVARRO_DEFAULT_HOST "update.portal.example"
#endif
inline constexpr const char* kDefaultUpdateHost = UPVARRO_DEFAULT_HOST;
inline constexpr const char* kDefaultUpdateScheme = "http";
inline constexpr std::int32_t kDefaultUpdatePort = 80;

// Length limits in GBK bytes; longer texts are cut on a character boundary.
inline constexpr std::size_t kVersionLimit = 63;
inline constexpr std::size_t kTitleLimit = 127;
inline constexpr std::size_t kPictureLimit = 127;
inline constexpr std::size_t kHostLimit = 31;
inline constexpr std::size_t kListPathLimit = 259;
// The largest upvarro.ini read: a few dozen short lines are what the updater writes.
inline constexpr std::int64_t kConfigurationLimit = 1024 * 1024;

struct Settings {
    // [Version]
    std::string version = "1.0.0000";
    std::string title = "Marrowind V2.0";
    std::string waterMarkPath;
    std::string bannerPath;
    // The publication time of the newest signed list installed (seconds since 1970): an older
    // signed list is refused. 0 (none yet) is not written, so an installation that never saw a
    // signed list keeps the file it had.
    std::int64_t publishTime = 0;
    // [UpdateType]
    std::int32_t autoUpdateFlag = 1;
    std::int32_t updateLater = 0;
    std::int32_t autoNextStep = 1;
    std::optional<std::time_t> lastUpdateDate;  // empty: no valid time held
    std::int32_t downloadThreadNumber = 8;
    // [Server]
    // "http" or "https": how the list and its change log are fetched. http by default, so
    // that configurations written before there was a choice keep working.
    std::string updateScheme = kDefaultUpdateScheme;
    std::string updateHost = kDefaultUpdateHost;
    std::int32_t updatePort = kDefaultUpdatePort;
    std::string updateListUrlPath = "/softupdate/tallyo";
    std::int32_t logLevel = 0;

    // Not stored in the configuration.
    std::int32_t showFromStart = 1;
    std::int32_t forceUpdate = 0;
    std::int32_t updateMaxSpin = 0;
};

// LastUpdateDate: split at blanks, "/", "-" and ":" into year, month, day, hour, minute and
// second. A field out of range takes the field of now (local time); a seventh piece means
// now; the result is normalised as a local calendar time (month 13 is January of the next
// year). An empty text gives no time.
std::optional<std::time_t> parseLastUpdateDate(const std::string& text, std::time_t now);
// "%04d-%02d-%02d %02d:%02d:%02d" in local time; empty for no time.
std::string formatLastUpdateDate(const std::optional<std::time_t>& time);

// Reads the keys of upvarro.ini into settings; missing keys keep their defaults. False when
// the file cannot be read, the list path is empty or UpdateScheme is neither http nor https
// (letter case ignored): the configuration error.
bool readConfiguration(const std::string& path, Settings& settings, std::time_t now);
// Writes every key back except DownloadThreadNumber, keeping the file's other lines.
bool writeConfiguration(const std::string& path, const Settings& settings);

}  // namespace upvarro
