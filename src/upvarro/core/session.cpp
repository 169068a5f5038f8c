#include "upvarro/core/session.h"

#include <filesystem>

namespace upvarro {

UpdateSession::UpdateSession(Folders f, std::string self)
    : folders(std::move(f)), selfPath(std::move(self)) {
    log_.setPath(folders.logFile());
}

void UpdateSession::subscribe(EventHandler handler) {
    std::lock_guard guard(handlersLock_);
    handlers_.push_back(std::move(handler));
}

void UpdateSession::raise(Event event, int index) {
    std::vector<EventHandler> handlers;
    {
        std::lock_guard guard(handlersLock_);
        handlers = handlers_;
    }
    for (const auto& h : handlers)
        h(event, index);
}

std::string UpdateSession::status() const {
    std::lock_guard guard(lock);
    return status_;
}

void UpdateSession::setStatus(std::string text) {
    std::lock_guard guard(lock);
    status_ = std::move(text);
}

void UpdateSession::configureLog() {
    std::lock_guard guard(lock);
    log_.setLevel(settings.logLevel);
}

int UpdateSession::actionIndex(const UpdateEntry* entry) const {
    for (std::size_t i = 0; i < actionList.size(); ++i)
        if (actionList[i] == entry)
            return static_cast<int>(i);
    return -1;
}

std::string UpdateSession::updaterName() const {
    const std::string prefix = folders.installation + "/";
    if (selfPath.compare(0, prefix.size(), prefix) == 0)
        return selfPath.substr(prefix.size());
    return fileNamePart(selfPath);
}

bool UpdateSession::isUpdaterName(const std::string& name) const {
    return name == updaterName();
}

std::shared_ptr<const platform::FolderHandle> UpdateSession::temporaryFolder() {
    std::lock_guard guard(temporaryLock_);
    if (temporary_ && temporary_->valid())
        return temporary_;
    makeParentFolders(folders.temporary + "/");
    // A link planted in place of temp/ would take every download, and the install's renames,
    // wherever it points: such a folder is not used, and the run stops at its first download.
    auto opened = std::make_shared<const platform::FolderHandle>(
        folders.temporary, platform::FolderHandle::LastLink::Refuse);
    if (opened->valid())
        temporary_ = opened;
    else if (std::error_code ec; std::filesystem::is_symlink(folders.temporary, ec))
        log("临时目录 " + folders.temporary + " 是链接，不在其中下载");
    return opened;
}

}  // namespace upvarro
