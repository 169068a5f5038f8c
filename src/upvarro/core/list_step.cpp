#include "upvarro/core/list_step.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "upvarro/core/list_signature.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/update_list.h"

namespace upvarro {

std::string listFolderUrl(const Settings& s) {
    char port[16];
    std::snprintf(port, sizeof port, "%d", s.updatePort);
    return s.updateScheme + "://" + s.updateHost + ":" + port + s.updateListUrlPath;
}

void buildLocalListFromInstalled(UpdateSession& s) {
    s.localList.clear();
    for (const auto& e : s.updateList) {
        LocalRecord r;
        r.name = e->name;
        // Never read what is not a regular file: a FIFO would block the step for ever.
        auto md5 = platform::md5OfRegularFile(e->localPath);
        if (!md5)
            s.log("打开 " + e->localPath + " 文件失败");
        r.checksum = md5.value_or("");
        r.tempPath = e->tempPath;
        r.size = static_cast<std::int32_t>(platform::fileSize(e->localPath).value_or(0));
        s.localList.push_back(std::move(r));
    }
}

namespace {

// Whether the temporary folder already holds the entry's whole file: its size and sums.
bool completeDownloadWaits(const platform::FolderHandle& temporary, const UpdateEntry& e) {
    const int fd = platform::openRegularFileAt(temporary, e.name);
    if (fd < 0)
        return false;
    const bool complete =
        platform::stampOf(fd).size == e.listSize.load() &&
        sameChecksum(platform::digestOfOpenFile(fd, false).value_or(""), e.checksum) &&
        (e.sha256.empty() ||
         sameChecksum(platform::digestOfOpenFile(fd, true).value_or(""), e.sha256));
    ::close(fd);
    return complete;
}

std::optional<std::string> sha256At(const platform::FolderHandle& folder, const std::string& name) {
    const int fd = platform::openRegularFileAt(folder, name);
    if (fd < 0)
        return std::nullopt;
    auto sum = platform::digestOfOpenFile(fd, true);
    ::close(fd);
    return sum;
}

}  // namespace

void compareLists(UpdateSession& s) {
    s.actionList.clear();
    const auto temporary = s.temporaryFolder();
    const std::string self = s.updaterName();
    // The first record of each name counts; a map keeps lists of many thousand files fast.
    std::unordered_map<std::string_view, const LocalRecord*> byName;
    byName.reserve(s.localList.size());
    for (const LocalRecord& r : s.localList)
        byName.emplace(r.name, &r);
    for (const auto& owned : s.updateList) {
        UpdateEntry& e = *owned;
        auto found = byName.find(e.name);
        const LocalRecord* local = found == byName.end() ? nullptr : found->second;
        if (!local || !sameChecksum(local->checksum, e.checksum)) {
            s.actionList.push_back(&e);
        } else if (e.has(kActionDownload)) {
            auto installed = platform::fileSize(e.localPath);
            if (!installed || *installed != e.listSize.load()) {
                // A complete copy already waiting in the temporary folder is copied without a
                // new download; it must be the list's file, not just of its size.
                if (completeDownloadWaits(*temporary, e))
                    e.actionFlags &= ~kActionDownload;
                s.actionList.push_back(&e);
            }
        }
        if (e.name == self) {
            e.actionFlags = kActionDownload;
            // Only a copy that will be fetched can take over; an entry that asks to delete
            // the updater, or names an action nobody knows, is never handed out.
            if (e.allowed.load() == 1) {
                s.newUpdaterPath = e.tempPath;
                s.selfUpdate = true;
            }
        }
    }
    s.updateCount = s.downloadCount = s.deleteCount = 0;
    for (const UpdateEntry* e : s.actionList) {
        if (e->has(kActionDelete)) {
            ++s.deleteCount;
        } else if (e->has(kActionDownload)) {
            // The download step ends when this many files finished or failed: an entry the
            // scheduler never hands out must not be counted, or the run waits for ever.
            if (e->allowed.load() == 1 && e->state.load() == kStateWaiting) {
                ++s.downloadCount;
                ++s.updateCount;
            }
        } else if (e->has(kActionCopy)) {
            ++s.updateCount;
        }
    }
}

namespace {

std::string megabytes(std::int64_t bytes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return buf;
}

}  // namespace

std::string freeSpaceShortage(const UpdateSession& s) {
    std::int64_t downloads = 0;
    std::int64_t copies = 0;
    for (const UpdateEntry* e : s.actionList) {
        const std::int64_t size = std::max(e->listSize.load(), 0);
        if (e->has(kActionDownload) && e->allowed.load() == 1)
            downloads += size;
        if (e->has(kActionCopy))
            copies += size;
    }
    // Renamed into place on one file system; copied, and so needed twice, across two.
    std::vector<std::pair<std::string, std::int64_t>> needs = {{s.folders.temporary, downloads}};
    if (!platform::sameFileSystem(s.folders.temporary, s.folders.installation))
        needs.emplace_back(s.folders.installation, copies);
    for (const auto& [folder, bytes] : needs) {
        if (bytes == 0)
            continue;
        const auto free = platform::freeBytes(folder);
        if (free && *free < bytes + kFreeSpaceMargin)
            return "磁盘空间不足：" + folder + " 需要 " + megabytes(bytes + kFreeSpaceMargin) +
                   "，只剩 " + megabytes(*free) + "，本次升级未开始";
    }
    return {};
}

std::string countStatus(int updates, int deletes) {
    char buf[128];
    if (updates <= 0 && deletes <= 0)
        return kNothingToUpdate;
    if (updates <= 0)
        std::snprintf(buf, sizeof buf, " 发现%d个文件需要删除", deletes);
    else if (deletes <= 0)
        std::snprintf(buf, sizeof buf, "发现%d个文件需要更新", updates);
    else
        std::snprintf(buf, sizeof buf, "发现%d个文件需要更新, %d个文件需要删除", updates, deletes);
    return buf;
}

ListOutcome runListStep(UpdateSession& s, Transfer& transfer) {
    std::string folderUrl;
    {
        std::lock_guard guard(s.lock);
        folderUrl = listFolderUrl(s.settings);
    }
    // Opened here for the whole run: the list, the change log and every download are fetched
    // into this very folder.
    const auto temporaryHandle = s.temporaryFolder();
    const platform::FolderHandle& temporary = *temporaryHandle;
    const std::string listName = "soft_update.xml";
    const std::string signatureName = kSignatureFileName;
    platform::removeFileAt(temporary, listName);
    if (!transfer.fetch(folderUrl + "/soft_update.xml", temporary, listName, kListFetchLimit)) {
        if (transfer.lastOversized())
            s.log("soft_update.xml 超过 8 MiB，已拒绝");
        s.setStatus(kListDownloadFailed);
        s.log("下载soft_update.xml文件列表失败");
        s.raise(Event::ListFailed);
        return ListOutcome::DownloadFailed;
    }

    const bool signedOnly = !s.updateKey.empty();
    auto refuseList = [&](const char* status, const std::string& line) {
        platform::removeFileAt(temporary, listName);
        platform::removeFileAt(temporary, signatureName);
        s.log(line);
        s.setStatus(status);
        s.raise(Event::StatusChanged);
        return ListOutcome::Refused;
    };
    // The bytes checked are the bytes parsed.
    platform::FileRead listRead = platform::readRegularFileAt(temporary, listName, kListFetchLimit);
    const std::optional<std::string> listBytes =
        listRead.ok() ? std::optional<std::string>(std::move(listRead.bytes)) : std::nullopt;
    if (signedOnly) {
        platform::removeFileAt(temporary, signatureName);
        if (!transfer.fetch(folderUrl + "/" + kSignatureFileName, temporary, signatureName,
                            kSignatureFetchLimit)) {
            // A server that answers "not here" has no signature; one that could not be
            // reached may have one next time.
            const long status = transfer.lastHttpStatus();
            if (status >= 400 && status < 500)
                return refuseList(kListUnsigned,
                                  "服务器上没有soft_update.xml.sig签名，拒绝文件列表");
            return refuseList(kSignatureDownloadFailed,
                              "下载soft_update.xml.sig签名失败，拒绝文件列表");
        }
        const platform::FileRead signature =
            platform::readRegularFileAt(temporary, signatureName, kSignatureFetchLimit);
        if (!listBytes || !signature.ok() ||
            verifyListSignature(*listBytes, signature.bytes, s.updateKey) != SignatureCheck::Valid)
            return refuseList(kListBadSignature, "soft_update.xml 的签名校验失败，拒绝文件列表");
        platform::removeFileAt(temporary, signatureName);
    }

    std::optional<UpdateList> list;
    std::string refusal;
    // Parsed into a copy: a list refused below must not have set anything.
    Settings settings;
    {
        std::lock_guard guard(s.lock);
        settings = s.settings;
        if (listBytes)
            list = parseUpdateList(*listBytes, s.folders, settings, &refusal,
                                   signedOnly ? ListTrust::Signed : ListTrust::Unsigned);
    }
    if (!list) {
        if (!refusal.empty())
            s.log(refusal);
        s.setStatus(kListInvalid);
        s.raise(Event::StatusChanged);
        return ListOutcome::Invalid;
    }
    if (signedOnly) {
        if (list->publishTime < 0)
            return refuseList(kListInvalid, "拒绝文件列表：发布时间不是秒数");
        // A replayed older release would bring back what a newer one mended.
        if (list->publishTime < settings.publishTime)
            return refuseList(kListOutdated,
                              "拒绝文件列表：发布时间 " + std::to_string(list->publishTime) +
                                  " 早于已安装的 " + std::to_string(settings.publishTime));
        // A fresh installation has no mark yet: a list older than this updater itself is a
        // release from before it and is replayed just as well.
        if (list->publishTime < s.buildTime)
            return refuseList(kListOutdated,
                              "拒绝文件列表：发布时间 " + std::to_string(list->publishTime) +
                                  " 早于本升级程序的构建时间 " + std::to_string(s.buildTime));
        // Stored, a time from a maker's wrong clock would refuse every later, rightly dated
        // release as a replay.
        const std::int64_t now = s.clock();
        if (list->publishTime > now + kPublishTimeSlack)
            return refuseList(kListFromTheFuture,
                              "拒绝文件列表：发布时间 " + std::to_string(list->publishTime) +
                                  " 比本机时间 " + std::to_string(now) + " 晚一天以上");
        s.verifiedPublishTime = list->publishTime;
    }
    {
        std::lock_guard guard(s.lock);
        copyListSettings(settings, s.settings);
    }
    s.updateList = std::move(list->entries);
    if (list->restart)
        s.restart = true;

    if (s.localList.empty())
        buildLocalListFromInstalled(s);
    compareLists(s);
    if (s.actionList.empty()) {
        // Nothing to do: the installation is this list's release already.
        std::lock_guard guard(s.lock);
        s.settings.publishTime = std::max(s.settings.publishTime, s.verifiedPublishTime);
    }

    // Said before anything is fetched: a disk that fills up half way leaves a broken download.
    if (std::string shortage = freeSpaceShortage(s); !shortage.empty()) {
        s.log(shortage);
        s.setStatus(shortage);
        s.raise(Event::StatusChanged);
        return ListOutcome::NoSpace;
    }
    std::string status = countStatus(s.updateCount, s.deleteCount);
    // A build that takes only signed lists shows only a change log the list vouches for; a
    // list that names none has none to show.
    const bool changelogWanted = !signedOnly || !list->changelogSha256.empty();
    if (s.updateCount > 0 || s.deleteCount > 0) {
        const std::string changelog = "changelog.txt";
        platform::removeFileAt(temporary, changelog);
        if (!changelogWanted) {
            s.log("文件列表没有为changelog.txt签名，不显示更新说明");
        } else if (!transfer.fetch(folderUrl + "/changelog.txt", temporary, changelog,
                                   kChangelogFetchLimit)) {
            if (transfer.lastOversized())
                s.log("changelog.txt 超过 64 KiB，已拒绝");
            status = kChangelogFailed;
            s.log("下载changelog.txt 文件失败");
        } else if (signedOnly && !sameChecksum(sha256At(temporary, changelog).value_or(""),
                                               list->changelogSha256)) {
            platform::removeFileAt(temporary, changelog);
            status = kChangelogFailed;
            s.log("changelog.txt 与签名的文件列表不一致，未显示");
        }
    }
    s.setStatus(status);
    s.raise(Event::StatusChanged);
    s.raise(Event::ListReady);
    return ListOutcome::Ready;
}

}  // namespace upvarro
