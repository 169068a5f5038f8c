#include "upvarro/core/unattended_run.h"

#include <condition_variable>
#include <ctime>
#include <mutex>

#include "upvarro/core/download_engine.h"
#include "upvarro/core/download_texts.h"
#include "upvarro/core/installer.h"
#include "upvarro/core/list_step.h"
#include "upvarro/core/session.h"
#include "upvarro/core/startup.h"

namespace upvarro {
namespace {

std::string actionWords(std::int32_t flags) {
    std::string words;
    auto add = [&](std::int32_t flag, const char* word) {
        if (!(flags & flag))
            return;
        if (!words.empty())
            words += '+';
        words += word;
    };
    add(kActionDownload, "download");
    add(kActionCopy, "copy");
    add(kActionDelete, "delete");
    add(kActionRegister, "register");
    add(kActionRun, "run");
    return words.empty() ? std::string("none") : words;
}

class Printer {
  public:
    explicit Printer(std::ostream& out) : out_(out) {}
    void operator()(const std::string& line) {
        std::lock_guard guard(lock_);
        out_ << line << '\n' << std::flush;
    }

  private:
    std::ostream& out_;
    std::mutex lock_;
};

// The download step as the wizard runs it; false when a file failed.
bool download(UpdateSession& session, Printer& print) {
    std::string lastProgress;
    std::mutex doneLock;
    session.subscribe([&](Event event, int) {
        if (event != Event::SpeedChanged)
            return;
        std::string progress;
        {
            std::lock_guard guard(session.lock);
            progress = speedLine(session.activeCount, session.totalSpeed) + "\n" +
                       countLine(session.downloadCount, session.finishedCount);
        }
        // Every pass raises it; only what changed is worth a line.
        std::lock_guard guard(doneLock);
        if (progress == lastProgress)
            return;
        lastProgress = progress;
        print(progress);
    });
    DownloadEngine engine(session);
    engine.start();
    engine.wait();
    if (checkDownloadedSizes(session))
        return true;
    print(kDownloadFailedStatus);
    return false;
}

}  // namespace

int runUnattended(const std::string& selfPath, const std::string& commandLine, std::ostream& out,
                  std::ostream& err, UnattendedOptions options) {
    CommandLine line = parseCommandLine(commandLine, selfPath);
    // The hand-over copy runs from the temporary folder; it works for the updater it
    // replaces, with that one's configuration and log.
    const std::string& home =
        line.mode == RunMode::CopyFile && !line.replacePath.empty() ? line.replacePath : selfPath;
    UpdateSession session(Folders::fromExecutable(home), selfPath);
    session.updateLog().setErrorHandler([&err](const std::string& m) { err << m << '\n'; });
    session.updateKey = options.updateKey;
    Printer print(out);

    switch (startUp(session, line, std::time(nullptr))) {
        case StartupOutcome::ConfigurationError:
            err << kConfigurationError << '\n';
            return 2;
        case StartupOutcome::Ended:
            if (session.status() == kAnotherUpdaterRunning) {
                err << kAnotherUpdaterRunning << '\n';
                return 1;
            }
            return 0;
        case StartupOutcome::Continue:
            break;
    }
    // The configuration is written back on every exit; a failure is said, never passed over.
    bool writeFailed = false;
    auto writeBack = [&session, &err, &writeFailed] {
        bool ok = false;
        {
            std::lock_guard guard(session.lock);
            ok = writeConfiguration(session.folders.configurationFile(), session.settings);
        }
        if (!ok) {
            session.log("写入 " + session.folders.configurationFile() + " 失败");
            err << "写入 " << session.folders.configurationFile() << " 失败\n";
            writeFailed = true;
        }
    };

    session.subscribe([&](Event event, int) {
        if (event == Event::StatusChanged || event == Event::ListFailed) {
            print(session.status());
        } else if (event == Event::InstallDone) {
            print(installDoneText(session.updateCount, session.deleteCount));
        } else if (event == Event::Copied || event == Event::Deleted ||
                   event == Event::Registered || event == Event::Ran) {
            // Each action appends its operation line just before its event.
            std::string operation;
            {
                std::lock_guard guard(session.lock);
                if (!session.operationLines.empty())
                    operation = session.operationLines.back();
            }
            print(operation);
        }
    });

    Transfer transfer(session.transferOptions);
    if (runListStep(session, transfer) != ListOutcome::Ready) {
        writeBack();
        return 1;
    }
    if (options.listOnly || session.actionList.empty()) {
        if (options.listOnly)
            for (const UpdateEntry* e : session.actionList)
                print(actionWords(e->actionFlags) + "\t" + e->name + "\t" +
                      std::to_string(e->listSize.load()));
        writeBack();
        return writeFailed ? 1 : 0;
    }

    // The update prompt is answered with 立即升级.
    if (!download(session, print)) {
        writeBack();
        return 1;
    }
    runInstallStep(session);
    bool installed = true;
    for (const UpdateEntry* e : session.actionList) {
        if (e->resultFlags & kResultCopyFailed) {
            print("拷贝失败: " + e->name);
            installed = false;
        }
    }
    if (!finishUpdate(session)) {
        print(session.status());
        installed = false;
    }
    return installed ? 0 : 1;
}

}  // namespace upvarro
