#include "upvarro/core/startup.h"

#include <cstring>
#include <filesystem>
#include <thread>

#include "upvarro/core/list_files.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/update_list.h"

namespace upvarro {

void recopyFailList(UpdateSession& s) {
    const platform::FolderHandle installation(s.folders.installation);
    const auto temporaryHandle = s.temporaryFolder();
    const platform::FolderHandle& temporary = *temporaryHandle;
    for (const UpdateEntry& e : s.failList) {
        // faillist.dat is a file anyone could have written: its paths are made again from
        // the entry's name, which must stay inside the installation folder.
        if (!isSafeRelativeName(e.name))
            continue;
        if (!platform::staysInside(s.folders.installation, e.name) ||
            !platform::staysInside(s.folders.temporary, e.name))
            continue;
        // The temporary file may have changed since; only the bytes the list named go in.
        // An entry without a checksum is not checked by the copy, so it is refused here.
        if (e.checksum.empty())
            continue;
        if (platform::installFileAt(temporary, installation, e.name, {e.checksum, {}}, {}) ==
            platform::InstallResult::Installed)
            platform::removeFileAt(temporary, e.name);
    }
    platform::removeFile(s.folders.failListFile());
}

void removeLeftovers(const UpdateSession& s) {
    platform::removeLeftovers(s.folders.installation, platform::kReplacementSuffix);
    if (s.folders.module.rfind(s.folders.installation + "/", 0) != 0)
        platform::removeLeftovers(s.folders.module, platform::kReplacementSuffix);
    // The rewrites of the lists and the configuration are "<name>.XXXXXX" (mkstemp).
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(s.folders.module, ec)) {
        const std::string name = item.path().filename().string();
        for (const char* kept : {"localList.dat.", "faillist.dat.", "upvarro.ini."}) {
            const std::size_t n = std::strlen(kept);
            if (name.size() == n + 6 && name.compare(0, n, kept) == 0 && !item.is_directory(ec))
                platform::removeFile(item.path().string());
        }
    }
}

void copySelf(UpdateSession& s, const CommandLine& line, std::chrono::milliseconds wait,
              const std::string& source) {
    std::this_thread::sleep_for(wait);
    if (line.replacePath.empty() || line.newPath.empty() ||
        !platform::fileExists(line.replacePath) || !platform::fileExists(line.newPath))
        return;
    if (platform::replaceFile(source, line.replacePath)) {
        s.log("自级自身upvarro.exe--ok");
        platform::removeFile(line.newPath);
    } else {
        s.log("自级自身upvarro.exe--失败");
    }
}

StartupOutcome startUp(UpdateSession& s, const CommandLine& line, std::time_t now,
                       StartupOptions options) {
    {
        std::lock_guard guard(s.lock);
        if (!readConfiguration(s.folders.configurationFile(), s.settings, now))
            return StartupOutcome::ConfigurationError;
    }
    s.configureLog();
    // The hand-over copy is started by the updater it replaces, which lets go on ending.
    const auto wait =
        line.mode == RunMode::CopyFile ? options.handOverLockWait : std::chrono::milliseconds(0);
    if (!s.runLock.acquire(s.folders.lockFile(), wait)) {
        s.setStatus(kAnotherUpdaterRunning);
        s.log(kAnotherUpdaterRunning);
        return StartupOutcome::Ended;
    }
    makeParentFolders(s.folders.temporary);
    removeLeftovers(s);

    std::string refusal;
    s.localList = readLocalList(s.folders.localListFile(), &refusal);
    if (!refusal.empty())
        s.log(refusal);
    refusal.clear();
    s.failList = readFailList(s.folders.failListFile(), &refusal);
    if (!refusal.empty())
        s.log(refusal);
    if (!s.failList.empty())
        recopyFailList(s);

    s.log("command_line =" + line.whole);
    switch (line.mode) {
        case RunMode::CopyFile:
            copySelf(s, line, options.copyWait, options.copySource);
            return StartupOutcome::Ended;
        case RunMode::RunUpdate: {
            std::lock_guard guard(s.lock);
            applyCommandLine(line, s.settings);
            break;
        }
        case RunMode::Plain:
            break;
    }
    return StartupOutcome::Continue;
}

}  // namespace upvarro
