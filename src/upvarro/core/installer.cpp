#include "upvarro/core/installer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "common/start_process.h"
#include "upvarro/core/list_files.h"
#include "upvarro/core/platform/files.h"
#include "upvarro/core/platform/processes.h"

namespace upvarro {
namespace {

// Lines are at most 255 characters, as the page's fixed buffers held them.
std::string line(const char* format, const std::string& name) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, name.c_str());
    return buf;
}

void addCheck(UpdateSession& s, std::string text) {
    std::lock_guard guard(s.lock);
    s.checkLines.push_back(std::move(text));
}

void addOperation(UpdateSession& s, std::string text) {
    std::lock_guard guard(s.lock);
    s.operationLines.push_back(std::move(text));
}

void endProgram(UpdateSession& s, const std::string& name) {
    if (platform::endProgramByName(name, s.folders.installation, ::getpid()) ==
        platform::EndResult::Failed)
        s.log("结束主程序失败！");
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
    for (UpdateEntry* e : s.actionList) {
        if (s.isUpdaterName(e->name))
            continue;
        endProgram(s, e->name);
        s.log("kill process " + e->name);
    }
    if (!anyLocked)
        addCheck(s, "没有程序在运行！");

    for (std::size_t k = 0; k < s.actionList.size(); ++k) {
        if (s.cancel)
            return;
        UpdateEntry& e = *s.actionList[k];
        const int index = static_cast<int>(k);
        if (e.has(kActionCopy)) {
            addOperation(s, line("正在拷贝>> %s 文件", e.name));
            if (makeParentFolders(e.localPath) && platform::replaceFile(e.tempPath, e.localPath))
                platform::removeFile(e.tempPath);
            else
                e.resultFlags = kResultCopyFailed;
            s.raise(Event::Copied, index);
        } else if (e.has(kActionDelete)) {
            addOperation(s, line("正在删除>> %s 文件", e.name));
            platform::removeFile(e.localPath);
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

void finishUpdate(UpdateSession& s) {
    s.writeLists = true;
    {
        std::lock_guard guard(s.lock);
        s.settings.lastUpdateDate = std::time(nullptr);
    }
    s.localList.clear();
    for (const auto& e : s.updateList)
        s.localList.push_back({e->name, e->checksum, e->tempPath, e->listSize});
    writeLocalList(s.folders.localListFile(), s.localList);
    std::vector<const UpdateEntry*> failed;
    for (const UpdateEntry* e : s.actionList)
        if (e->resultFlags & kResultCopyFailed)
            failed.push_back(e);
    writeFailList(s.folders.failListFile(), failed);
    {
        std::lock_guard guard(s.lock);
        writeConfiguration(s.folders.configurationFile(), s.settings);
    }

    if (s.restart && !s.updateList.empty()) {
        for (const auto& e : s.updateList) {
            if (!e->has(kActionExecutable) || s.isUpdaterName(e->name))
                continue;
            s.log("kill exe---" + e->name);
            endProgram(s, e->name);
        }
        const std::string& main = s.updateList.front()->localPath;
        common::startDetached(main, {kRestartCommandLine}, s.folders.installation);
    }
    if (s.selfUpdate) {
        std::string commandLine = "COPY_FILE@" + s.selfPath + "@" + s.newUpdaterPath;
        // A download is not executable until told so.
        ::chmod(s.newUpdaterPath.c_str(), 0755);
        common::startDetached(s.newUpdaterPath, {commandLine}, s.folders.module);
    }
}

void declineForcedUpdate(UpdateSession& s) {
    for (const auto& e : s.updateList) {
        if (e->name.find(".exe") == std::string::npos || s.isUpdaterName(e->name))
            continue;
        endProgram(s, e->name);
        s.log("kill process " + e->name);
    }
}

}  // namespace upvarro
