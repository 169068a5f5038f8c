#include "upvarro/core/installer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

#include "common/gbk.h"
#include "common/start_process.h"
#include "upvarro/core/list_files.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/platform/processes.h"

namespace upvarro {
namespace {

// Lines are at most 255 bytes of GBK, as the page's fixed buffers held them; the cut falls
// between characters, never inside one.
std::string line(const char* format, const std::string& name) {
    int n = std::snprintf(nullptr, 0, format, name.c_str());
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, name.c_str());
    text.pop_back();
    return common::cutUtf8ToGbkBytes(text, kLineLimit);
}

void addCheck(UpdateSession& s, std::string text) {
    std::lock_guard guard(s.lock);
    s.checkLines.push_back(std::move(text));
}

void addOperation(UpdateSession& s, std::string text) {
    std::lock_guard guard(s.lock);
    s.operationLines.push_back(std::move(text));
}

// A name reaches the installation and the temporary folder only through real folders.
bool staysInside(const UpdateSession& s, const UpdateEntry& e) {
    return platform::staysInside(s.folders.installation, e.name) &&
           platform::staysInside(s.folders.temporary, e.name);
}

// Every running copy of the entry's installed program: a toolbox started twice would
// otherwise outlive the restart beside the new one. Programs of the same name elsewhere are
// not the update's to end.
void endProgram(UpdateSession& s, const UpdateEntry& e,
                std::vector<platform::ProcessInfo>& processes) {
    if (!staysInside(s, e))
        return;
    for (;;) {
        switch (platform::endInstalledProgram(e.localPath, ::getpid(), processes)) {
            case platform::EndResult::Ended:
                continue;
            case platform::EndResult::Failed:
                s.log("结束主程序失败！");
                return;
            case platform::EndResult::NotRunning:
                return;
        }
    }
}

// Windows names its programs "*.exe"; here a program is an ELF file or one with an execute
// bit, whatever its name.
bool isProgram(const UpdateEntry& e) {
    return e.has(kActionExecutable) || platform::isProgramFile(e.localPath);
}

// The installation, opened once for the whole step, and the temporary folder the run opened:
// every write, rename and removal below is made relative to them.
struct OpenFolders {
    platform::FolderHandle installation;
    std::shared_ptr<const platform::FolderHandle> temporary;
};

void copyIntoPlace(UpdateSession& s, const OpenFolders& folders, UpdateEntry& e) {
    if (!staysInside(s, e)) {
        s.log("拷贝 " + e.name + " 失败：目录链接通往安装目录之外");
        e.resultFlags = kResultCopyFailed;
        return;
    }
    switch (platform::installFileAt(*folders.temporary, folders.installation, e.name,
                                    {e.checksum, e.sha256}, e.verifiedStamp)) {
        case platform::InstallResult::Installed:
            // Gone already when it was renamed into place.
            platform::removeFileAt(*folders.temporary, e.name);
            return;
        case platform::InstallResult::WrongChecksum:
            s.log("拷贝 " + e.name + " 失败：文件校验和与列表不一致");
            e.resultFlags = kResultCopyFailed;
            return;
        case platform::InstallResult::Failed:
            s.log("拷贝 " + e.name + " 失败");
            e.resultFlags = kResultCopyFailed;
            return;
    }
}

}  // namespace

void runInstallStep(UpdateSession& s) {
    addCheck(s, "正在进行文件锁定检查...");
    platform::OpenFiles open = platform::OpenFiles::snapshot(::getpid());
    bool anyLocked = false;
    for (UpdateEntry* e : s.actionList) {
        if (platform::isLocked(e->localPath, open)) {
            addCheck(s, line("%s -- 文件被锁定", e->name));
            e->actionFlags |= kActionLocked;
            anyLocked = true;
        }
        if (s.cancel)
            return;
    }
    // One look at the running programs serves every entry.
    std::vector<platform::ProcessInfo> processes = platform::runningProcesses();
    for (UpdateEntry* e : s.actionList) {
        if (s.isUpdaterName(e->name))
            continue;
        endProgram(s, *e, processes);
        s.log("kill process " + e->name);
    }
    if (!anyLocked)
        addCheck(s, "没有程序在运行！");

    const OpenFolders folders{platform::FolderHandle(s.folders.installation), s.temporaryFolder()};
    for (std::size_t k = 0; k < s.actionList.size(); ++k) {
        if (s.cancel)
            return;
        UpdateEntry& e = *s.actionList[k];
        const int index = static_cast<int>(k);
        if (e.has(kActionCopy)) {
            addOperation(s, line("正在拷贝>> %s 文件", e.name));
            copyIntoPlace(s, folders, e);
            s.raise(Event::Copied, index);
        } else if (e.has(kActionDelete)) {
            addOperation(s, line("正在删除>> %s 文件", e.name));
            if (staysInside(s, e))
                platform::removeFileAt(folders.installation, e.name);
            else
                s.log("删除 " + e.name + " 失败：目录链接通往安装目录之外");
            s.raise(Event::Deleted, index);
        }
        if (e.has(kActionRegister)) {
            addOperation(s, line("正在注册>> %s 文件", e.name));
            // There is no component registry to call here; the file is in place and the run
            // goes on.
            s.log("注册 " + e.localPath + " 文件：本系统不提供组件注册，已跳过");
            s.raise(Event::Registered, index);
        }
        if (e.has(kActionRun)) {
            addOperation(s, line("正在执行>> %s 文件", e.name));
            common::startDetached(e.localPath, {e.localPath}, s.folders.installation);
            s.raise(Event::Ran, index);
        }
        if (e.has(kActionRestart))
            s.restart = true;
    }
    s.raise(Event::InstallDone);
}

std::string installEventText(Event event, const std::string& name) {
    switch (event) {
        case Event::Copied:
            return line("正在拷贝文件--%s", name);
        case Event::Deleted:
            return line("正在删除文件--%s", name);
        case Event::Registered:
            return line("正在注册文件--%s", name);
        case Event::Ran:
            return line("正在运行文件--%s", name);
        default:
            return {};
    }
}

std::string installDoneText(int u, int d) {
    char buf[128];
    if (u <= 0 && d <= 0)
        return " ";
    if (u <= 0)
        std::snprintf(buf, sizeof buf, "总共删除 %d个文件。", d);
    else if (d <= 0)
        std::snprintf(buf, sizeof buf, "总共拷贝%d个文件。", u);
    else
        std::snprintf(buf, sizeof buf, "总共拷贝%d个文件, 删除 %d个文件。", u, d);
    return buf;
}

namespace {

// Starts the new updater this list names: the very file whose sums were checked, opened once,
// whatever its name leads to by the time it runs.
void handOver(UpdateSession& s) {
    const UpdateEntry* entry = nullptr;
    for (const auto& e : s.updateList)
        if (e->tempPath == s.newUpdaterPath)
            entry = e.get();
    const int fd = entry ? platform::openRegularFileAt(*s.temporaryFolder(), entry->name) : -1;
    struct Close {
        int fd;
        ~Close() {
            if (fd >= 0)
                ::close(fd);
        }
    } closer{fd};
    if (fd < 0 ||
        !sameChecksum(platform::digestOfOpenFile(fd, false).value_or(""), entry->checksum) ||
        (!entry->sha256.empty() &&
         !sameChecksum(platform::digestOfOpenFile(fd, true).value_or(""), entry->sha256))) {
        s.log("新的升级程序 " + s.newUpdaterPath + " 与列表不一致，未启动");
        return;
    }
    std::string commandLine = "COPY_FILE@" + s.selfPath + "@" + s.newUpdaterPath;
    // A download is not executable until told so.
    ::fchmod(fd, 0755);
    common::startDetached(fd, {commandLine}, s.folders.module);
}

}  // namespace

bool finishUpdate(UpdateSession& s) {
    s.writeLists = true;
    {
        std::lock_guard guard(s.lock);
        s.settings.lastUpdateDate = std::time(nullptr);
        s.settings.publishTime = std::max(s.settings.publishTime, s.verifiedPublishTime);
    }
    s.localList.clear();
    for (const auto& e : s.updateList)
        s.localList.push_back({e->name, e->checksum, e->tempPath, e->listSize});
    bool written = true;
    // A record that cannot be written is said so: the next run would otherwise start from
    // stale lists without anyone knowing why.
    auto check = [&](bool ok, const std::string& path) {
        if (ok)
            return;
        written = false;
        s.log("写入 " + path + " 失败");
    };
    check(writeLocalList(s.folders.localListFile(), s.localList), s.folders.localListFile());
    std::vector<const UpdateEntry*> failed;
    for (const UpdateEntry* e : s.actionList)
        if (e->resultFlags & kResultCopyFailed)
            failed.push_back(e);
    check(writeFailList(s.folders.failListFile(), failed), s.folders.failListFile());
    bool configured = false;
    {
        std::lock_guard guard(s.lock);
        configured = writeConfiguration(s.folders.configurationFile(), s.settings);
    }
    check(configured, s.folders.configurationFile());
    if (!written)
        s.setStatus(kFinishWriteFailed);

    std::vector<platform::ProcessInfo> processes = platform::runningProcesses();
    if (s.restart && !s.updateList.empty()) {
        for (const auto& e : s.updateList) {
            if (!isProgram(*e) || s.isUpdaterName(e->name))
                continue;
            s.log("kill exe---" + e->name);
            endProgram(s, *e, processes);
        }
        const std::string& main = s.updateList.front()->localPath;
        common::startDetached(main, {kRestartCommandLine}, s.folders.installation);
    }
    if (s.selfUpdate)
        handOver(s);
    return written;
}

void declineForcedUpdate(UpdateSession& s) {
    std::vector<platform::ProcessInfo> processes = platform::runningProcesses();
    for (const auto& e : s.updateList) {
        if (!isProgram(*e) || s.isUpdaterName(e->name))
            continue;
        endProgram(s, *e, processes);
        s.log("kill process " + e->name);
    }
}

}  // namespace upvarro
