#pragma once
// One run of upvarro-publish, without its command line: publishing a release folder, and
// making a key pair. Every refusal is found before the first byte is written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace upvarro::publish {

inline constexpr const char* kPrivateKeyFileName = "update.key";
inline constexpr const char* kPublicKeyFileName = "update.pub";

// Exit statuses of the tool.
inline constexpr int kPublished = 0;
inline constexpr int kWriteFailed = 1;  // the inputs were fine, the output could not be written
inline constexpr int kRefused = 2;      // a bad option or input; nothing was written

struct PublishOptions {
    std::string folder;
    std::string url;
    std::string version;
    std::string title;  // empty: no Title
    bool force = false;
    std::string rulesPath;  // empty: every file is copied
    std::string keyPath;    // empty: the list is not signed
    std::int64_t publishTime = 0;
    std::string outFolder;  // empty: the release folder
    std::int64_t now = 0;   // the clock publishTime is checked against; 0: the system's
};

struct RunResult {
    int status = kPublished;
    std::vector<std::string> lines;  // for standard output
    std::string error;               // one line, for standard error
};

RunResult publishRelease(const PublishOptions& options);

// changelog.txt as updaters that read GBK show it: a UTF-8 text (its byte order mark left
// out) converted, when GBK holds all of its characters; ASCII and GBK text as it is.
struct ChangeLogText {
    enum Kind { AsItIs, Converted, NoGbk } kind = AsItIs;
    std::string bytes;  // the GBK text when Converted
};
ChangeLogText gbkChangeLog(std::string_view bytes);

// Writes folder/update.key (PEM, mode 0600, never over an existing one) and folder/update.pub
// (base64 of the raw public key and a line end), creating folder when it is missing.
RunResult createKeyPair(const std::string& folder);

}  // namespace upvarro::publish
