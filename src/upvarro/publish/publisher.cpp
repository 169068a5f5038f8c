#include "upvarro/publish/publisher.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>

#include "common/gbk.h"
#include "common/hex_digest.h"
#include "common/utf8.h"
#include "upvarro/core/list_signature.h"
#include "upvarro/core/list_step.h"
#include "upvarro/publish/output_file.h"
#include "upvarro/publish/publish_rules.h"
#include "upvarro/publish/release_folder.h"
#include "upvarro/publish/release_list.h"

namespace upvarro::publish {
namespace {

RunResult refused(std::string error, int status = kRefused) {
    RunResult r;
    r.status = status;
    r.error = std::move(error);
    return r;
}

std::optional<std::string> readWhole(const std::string& path, std::string& error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error = path + ": is a folder";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read: " + std::strerror(errno);
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    return bytes.str();
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// Creates folder and the folders above it; private is for the folder of a key.
bool makeFolder(const std::string& folder, bool privateFolder, std::string& error) {
    if (isFolder(folder))
        return true;
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        std::string above = folder.substr(0, slash);
        if (!isFolder(above) && ::mkdir(above.c_str(), 0777) != 0 && errno != EEXIST) {
            error = above + ": cannot be created: " + std::strerror(errno);
            return false;
        }
    }
    if (::mkdir(folder.c_str(), privateFolder ? 0700 : 0777) != 0 && !isFolder(folder)) {
        error = folder + ": cannot be created: " + std::strerror(errno);
        return false;
    }
    return true;
}

// "release/" and "release" name one folder; messages and paths join with one "/".
std::string withoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

}  // namespace

ChangeLogText gbkChangeLog(std::string_view bytes) {
    const std::string_view text = common::withoutBom(bytes);
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // Plain ASCII reads the same either way; anything not UTF-8 is taken for GBK already.
    if ((ascii && text.size() == bytes.size()) || !common::isUtf8(text))
        return {ChangeLogText::AsItIs, {}};
    auto gbk = common::utf8ToGbkStrict(text);
    if (!gbk)
        return {ChangeLogText::NoGbk, {}};
    return {ChangeLogText::Converted, std::move(*gbk)};
}

RunResult publishRelease(const PublishOptions& given) {
    PublishOptions options = given;
    options.folder = withoutTrailingSlash(options.folder);
    options.outFolder = withoutTrailingSlash(options.outFolder);
    std::string error;
    auto url = checkedDownUrl(options.url, error);
    if (!url)
        return refused(error);
    if (options.publishTime <= 0)
        return refused("--time must be a positive number of seconds since 1970");
    // Updaters refuse a list dated more than a day ahead of their clocks, and would refuse
    // every release after it as older when one took it.
    const std::int64_t now =
        options.now > 0 ? options.now : static_cast<std::int64_t>(std::time(nullptr));
    if (options.publishTime > now + kPublishTimeSlack)
        return refused("--time " + std::to_string(options.publishTime) +
                       " lies more than a day after now (" + std::to_string(now) +
                       "); is the clock right?");

    std::optional<PublishRules> rules;
    if (!options.rulesPath.empty()) {
        auto text = readWhole(options.rulesPath, error);
        if (!text)
            return refused(error);
        rules = PublishRules::parse(*text, options.rulesPath, &error);
        if (!rules)
            return refused(error);
    }
    std::optional<SigningKey> key;
    std::vector<std::string> warnings;
    if (!options.keyPath.empty()) {
        auto pem = readWhole(options.keyPath, error);
        if (!pem)
            return refused(error);
        std::string why;
        key = readSigningKey(*pem, &why);
        if (!key)
            return refused(options.keyPath + ": " +
                           (why.empty() ? "not an Ed25519 private key" : why));
        // Whoever can read the key can publish to every installation.
        struct stat st {};
        if (::stat(options.keyPath.c_str(), &st) == 0 && (st.st_mode & 077) != 0)
            warnings.push_back("warning: " + options.keyPath +
                               " can be read by other users; chmod 600 it");
    }

    const std::string out = options.outFolder.empty() ? options.folder : options.outFolder;
    if (exists(out) && !isFolder(out))
        return refused(out + ": not a folder");
    ScanOptions scan;
    scan.folder = options.folder;
    scan.rules = rules ? &*rules : nullptr;
    scan.skipped = {out + "/" + kListFileName, out + "/" + kSignatureFileName,
                    out + "/" + kChangeLogFileName};
    if (!options.rulesPath.empty())
        scan.skipped.push_back(options.rulesPath);
    scan.keyPath = options.keyPath;
    auto entries = scanRelease(scan, error);
    if (!entries)
        return refused(error);
    if (!orderEntries(*entries, error))
        return refused((rules ? rules->source() + ": " : std::string()) + error);

    ListSettings settings;
    settings.downUrl = *url;
    settings.version = options.version;
    settings.title = options.title;
    settings.force = options.force;
    settings.publishTime = options.publishTime;
    std::optional<std::string> changeLog;
    bool changeLogConverted = false;
    const std::string changeLogPath = options.folder + "/" + kChangeLogFileName;
    if (exists(changeLogPath)) {
        changeLog = readWhole(changeLogPath, error);
        if (!changeLog)
            return refused(error);
        // Installed updaters read the change log as GBK; what an editor on Linux writes is UTF-8.
        switch (ChangeLogText text = gbkChangeLog(*changeLog); text.kind) {
            case ChangeLogText::Converted:
                changeLog = std::move(text.bytes);
                changeLogConverted = true;
                warnings.push_back(changeLogPath + ": UTF-8, published as GBK");
                break;
            case ChangeLogText::NoGbk:
                warnings.push_back("warning: " + changeLogPath +
                                   " has characters GBK lacks; published as UTF-8, which "
                                   "updaters that read only GBK show garbled");
                break;
            case ChangeLogText::AsItIs:
                break;
        }
        settings.changelogSha256 =
            common::HexDigest::ofBytes(common::DigestKind::Sha256, *changeLog);
    }
    auto text = listText(settings, *entries, error);
    if (!text)
        return refused(error);
    std::optional<std::string> signature;
    if (key) {
        signature = signList(*text, *key);
        if (!signature)
            return refused(options.keyPath + ": the list could not be signed", kWriteFailed);
    }

    // Both files are complete on disk before either replaces its old copy.
    if (!makeFolder(out, false, error))
        return refused(error, kWriteFailed);
    // The updater fetches the change log beside the list: a list written elsewhere takes the
    // release's change log with it.
    if (out == options.folder && !changeLogConverted)
        changeLog.reset();
    OutputFile list;
    OutputFile sig;
    OutputFile log;
    if (!list.prepare(out, kListFileName, *text, error) ||
        (signature && !sig.prepare(out, kSignatureFileName, *signature, error)) ||
        (changeLog && !log.prepare(out, kChangeLogFileName, *changeLog, error)))
        return refused(error, kWriteFailed);
    if (!list.commit(error))
        return refused(error, kWriteFailed);

    RunResult result;
    result.lines = warnings;
    const std::string sigPath = out + "/" + kSignatureFileName;
    if (signature) {
        if (!sig.commit(error)) {
            // The old signature does not match the new list: served together they would only
            // be refused, so it goes, and the maker hears why.
            ::unlink(sigPath.c_str());
            return refused(error + "; the list is written but unsigned, publish again",
                           kWriteFailed);
        }
    } else if (exists(sigPath)) {
        // A signature of an earlier list would not match this one.
        if (::unlink(sigPath.c_str()) != 0)
            return refused(sigPath + ": stale signature of an earlier list cannot be removed: " +
                               std::strerror(errno),
                           kWriteFailed);
        result.lines.push_back("removed " + sigPath + ": it signed an earlier list");
    }
    if (changeLog && !log.commit(error))
        return refused(error, kWriteFailed);

    std::size_t deletes = 0;
    for (const ReleaseEntry& e : *entries)
        deletes += e.action == FileAction::Delete ? 1 : 0;
    result.lines.push_back(list.target() + ": " + std::to_string(entries->size()) +
                           (entries->size() == 1 ? " file" : " files") + " (" +
                           std::to_string(deletes) + " delete), " +
                           (signature ? "signed" : "not signed") + ", published " +
                           std::to_string(options.publishTime));
    return result;
}

RunResult createKeyPair(const std::string& given) {
    const std::string folder = withoutTrailingSlash(given);
    std::string error;
    const std::string keyPath = folder + "/" + kPrivateKeyFileName;
    // Losing a private key strands every installation built with its public half.
    if (exists(keyPath))
        return refused(keyPath +
                       " exists already; move it away first (a new key would not "
                       "match the installations built with the old one)");
    if (exists(folder) && !isFolder(folder))
        return refused(folder + ": not a folder");
    auto pair = generateKeyPair();
    if (!pair)
        return refused("the key pair could not be made", kWriteFailed);
    if (!makeFolder(folder, true, error))
        return refused(error, kWriteFailed);
    if (!createExclusive(keyPath, pair->privatePem, 0600, error))
        return refused(error, kWriteFailed);
    const std::string publicLine = toBase64(pair->publicKey);
    OutputFile pub;
    if (!pub.prepare(folder, kPublicKeyFileName, publicLine + "\n", error) || !pub.commit(error))
        return refused(error + " (the private key " + keyPath + " was written)", kWriteFailed);
    RunResult result;
    result.lines.push_back("wrote " + keyPath + " (private key: keep it secret and backed up)");
    result.lines.push_back("wrote " + pub.target() + " (public key)");
    result.lines.push_back("configure the build with: -DKALVIX_UPDATE_PUBKEY=" + publicLine);
    return result;
}

}  // namespace upvarro::publish
