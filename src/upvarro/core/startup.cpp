#include "upvarro/core/startup.h"

#include <thread>

#include "upvarro/core/list_files.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/update_list.h"

namespace upvarro {

void recopyFailList(UpdateSession& s) {
    for (const UpdateEntry& e : s.failList) {
        // faillist.dat is a file anyone could have written: its paths are made again from
        // the entry's name, which must stay inside the installation folder.
        if (!isSafeRelativeName(e.name))
            continue;
        std::string from = s.folders.temporary + "/" + e.name;
        std::string to = s.folders.installation + "/" + e.name;
        if (!makeParentFolders(to))
            continue;
        if (platform::replaceFile(from, to))
            platform::removeFile(from);
    }
    platform::removeFile(s.folders.failListFile());
}

void copySelf(UpdateSession& s, const CommandLine& line, std::chrono::milliseconds wait) {
    std::this_thread::sleep_for(wait);
    if (line.replacePath.empty() || line.newPath.empty() ||
        !platform::fileExists(line.replacePath) || !platform::fileExists(line.newPath))
        return;
    if (platform::replaceFile(line.newPath, line.replacePath)) {
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
    makeParentFolders(s.folders.temporary);

    s.localList = readLocalList(s.folders.localListFile());
    s.failList = readFailList(s.folders.failListFile());
    if (!s.failList.empty())
        recopyFailList(s);

    s.log("command_line =" + line.whole);
    switch (line.mode) {
        case RunMode::CopyFile:
            copySelf(s, line, options.copyWait);
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
