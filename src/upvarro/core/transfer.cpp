#include "upvarro/core/transfer.h"

#include <curl/curl.h>

#include <mutex>

#include "common/gbk.h"
#include "common/md5.h"
#include "upvarro/core/folders.h"
#include "upvarro/core/platform/files.h"

namespace upvarro {

void initialiseTransfers() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string fileUrl(const std::string& folderUrl, const std::string& name) {
    static const char* hex = "0123456789ABCDEF";
    std::string path;
    for (unsigned char c : common::utf8ToGbk(name)) {
        if (c == '\\')
            c = '/';
        if (c <= 0x20 || c >= 0x7F || c == '%' || c == '#' || c == '?' || c == '"') {
            path += '%';
            path += hex[c >> 4];
            path += hex[c & 15];
        } else {
            path += static_cast<char>(c);
        }
    }
    return folderUrl + "/" + path;
}

Transfer::Transfer(TransferOptions options) : options_(options) {
    initialiseTransfers();
    curl_ = curl_easy_init();
}

Transfer::~Transfer() {
    if (curl_)
        curl_easy_cleanup(curl_);
}

std::size_t Transfer::write(char* data, std::size_t size, std::size_t count, void* self) {
    auto* t = static_cast<Transfer*>(self);
    // Returning less than given makes libcurl abort: this is how a stop reaches a transfer.
    if (t->entry_->allowed.load() == 0)
        return 0;
    std::size_t written = std::fwrite(data, size, count, t->file_);
    t->entry_->downloaded += static_cast<std::int32_t>(written * size);
    return written * size;
}

int Transfer::progress(void* self, long long, long long, long long, long long) {
    // Also aborts a transfer that is waiting for data, which the write callback never sees.
    auto* t = static_cast<Transfer*>(self);
    return t->entry_->allowed.load() == 0 ? 1 : 0;
}

int Transfer::perform(const std::string& url, const std::string& path, UpdateEntry& entry) {
    httpStatus_ = 0;
    if (!makeParentFolders(path))
        return kTransferFailed;
    file_ = std::fopen(path.c_str(), "w+b");
    if (!file_)
        return kTransferFailed;
    entry.sizeAtStart = static_cast<std::int32_t>(platform::fileSize(path).value_or(0));
    // The file starts empty again, so does its count.
    entry.downloaded = entry.sizeAtStart.load();
    int result = kTransferFailed;
    if (!curl_) {
        std::fputs("curl_easy_init() error.\n", stderr);
    } else {
        entry_ = &entry;
        curl_easy_setopt(curl_, CURLOPT_VERBOSE, options_.verbose ? 1L : 0L);
        curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, options_.connectTimeout);
        curl_easy_setopt(curl_, CURLOPT_TIMEOUT, options_.timeout);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &Transfer::write);
        // Worker threads: no signals for timeouts, and a stop is noticed while data stalls.
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &Transfer::progress);
        curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
        if (curl_easy_perform(curl_) == CURLE_OK)
            result = kTransferDone;
        curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &httpStatus_);
        entry_ = nullptr;
    }
    std::fclose(file_);
    file_ = nullptr;
    return result;
}

int Transfer::download(UpdateEntry& entry, bool verifyChecksum) {
    int result = perform(fileUrl(entry.downUrl, entry.name), entry.tempPath, entry);
    // A transfer that broke off is worth another attempt; a complete answer of the wrong size
    // (an error page) or with the wrong content is not.
    if (result != kTransferDone)
        return result;
    if (platform::fileSize(entry.tempPath).value_or(-1) != entry.listSize.load())
        return kTransferSizeMismatch;
    if (verifyChecksum && common::CMD5::ofFile(entry.tempPath).value_or("") != entry.checksum)
        return kTransferSizeMismatch;
    return result;
}

bool Transfer::fetch(const std::string& url, const std::string& path) {
    UpdateEntry entry;
    entry.allowed = 1;
    int result = perform(url, path, entry);
    bool ok = result == kTransferDone && httpStatus_ >= 200 && httpStatus_ < 300;
    if (!ok)
        platform::removeFile(path);
    return ok;
}

}  // namespace upvarro
