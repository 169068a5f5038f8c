#include "upvarro/core/unattended_run.h"

#include <ctime>
#include <mutex>

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

}  // namespace

int runUnattended(const std::string& selfPath, const std::string& commandLine, std::ostream& out,
                  std::ostream& err, UnattendedOptions options) {
    UpdateSession session(Folders::fromExecutable(selfPath), selfPath);
    session.updateLog().setErrorHandler([&err](const std::string& m) { err << m << '\n'; });
    std::mutex outLock;
    auto print = [&](const std::string& line) {
        std::lock_guard guard(outLock);
        out << line << '\n' << std::flush;
    };

    CommandLine line = parseCommandLine(commandLine);
    switch (startUp(session, line, std::time(nullptr))) {
        case StartupOutcome::ConfigurationError:
            err << kConfigurationError << '\n';
            return 2;
        case StartupOutcome::Ended:
            return 0;
        case StartupOutcome::Continue:
            break;
    }

    session.subscribe([&](Event event, int) {
        if (event == Event::StatusChanged || event == Event::ListFailed)
            print(session.status());
    });

    Transfer transfer(session.transferOptions);
    ListOutcome outcome = runListStep(session, transfer);
    int status = outcome == ListOutcome::Ready ? 0 : 1;
    if (outcome == ListOutcome::Ready) {
        for (const UpdateEntry* e : session.actionList)
            print(actionWords(e->actionFlags) + "\t" + e->name + "\t" +
                  std::to_string(e->listSize.load()));
    }
    (void)options;

    std::lock_guard guard(session.lock);
    writeConfiguration(session.folders.configurationFile(), session.settings);
    return status;
}

}  // namespace upvarro
