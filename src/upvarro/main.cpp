// upvarro: the updater. A plain start and a RUN_UPDATE start run the update wizard; COPY_FILE
// finishes a self-update without a window; --unattended runs the same steps for scripts.

#include <QApplication>
#include <QMessageBox>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.h"
#include "upvarro/core/command_line.h"
#include "upvarro/core/list_signature.h"
#include "upvarro/core/startup.h"
#include "upvarro/core/transfer.h"
#include "upvarro/core/unattended_run.h"
#include "upvarro/gui/upvarro_sheet.h"

#ifndef UPVARRO_UPDATE_KEY
#define UPVARRO_UPDATE_KEY ""
#endif

namespace {

// The public key this build takes update lists from, configured at build time; empty when
// lists are taken unsigned.
std::optional<std::string> updateKey() {
    std::string_view configured = UPVARRO_UPDATE_KEY;
    if (configured.empty())
        return std::string();
    // A key that cannot be read must not turn the check off.
    return upvarro::decodePublicKey(configured);
}

int unattended(const std::vector<std::string>& args, const std::string& self,
               const std::string& key) {
    upvarro::UnattendedOptions options;
    options.updateKey = key;
    std::size_t first = 2;
    for (; first < args.size() && args[first].rfind("--", 0) == 0; ++first) {
        if (args[first] == "--list-only") {
            options.listOnly = true;
        } else {
            std::cerr << "upvarro: unknown option " << args[first] << "\n";
            return 2;
        }
    }
    std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(first), args.end());
    return upvarro::runUnattended(self, upvarro::joinArguments(rest), std::cout, std::cerr,
                                  options);
}

int exitStatus(const upvarro::UpdateSession& session, upvarro::WizardOutcome outcome) {
    using upvarro::WizardOutcome;
    switch (outcome) {
        case WizardOutcome::NothingToUpdate:
        case WizardOutcome::Declined:
            return 0;
        case WizardOutcome::Finished:
            for (const upvarro::UpdateEntry* e : session.actionList)
                if (e->resultFlags & upvarro::kResultCopyFailed)
                    return 1;
            return 0;
        default:
            return 1;
    }
}

int wizard(int argc, char** argv, const std::string& self, const std::string& commandLine,
           std::optional<bool> answer, const std::string& key) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    upvarro::UpdateSession session(upvarro::Folders::fromExecutable(self), self);
    session.updateKey = key;
    session.updateLog().setErrorHandler([](const std::string& m) { std::cerr << m << '\n'; });
    upvarro::initialiseTransfers();

    upvarro::CommandLine line = upvarro::parseCommandLine(commandLine);
    switch (upvarro::startUp(session, line, std::time(nullptr))) {
        case upvarro::StartupOutcome::ConfigurationError:
            std::cerr << upvarro::kConfigurationError << '\n';
            // A scripted run has nobody to click the box away.
            if (!answer)
                QMessageBox::critical(nullptr, QStringLiteral("upvarro"),
                                      QString::fromUtf8(upvarro::kConfigurationError));
            return 2;
        case upvarro::StartupOutcome::Ended:
            return 0;
        case upvarro::StartupOutcome::Continue:
            break;
    }

    int status = 1;
    {
        upvarro::gui::CUpvarroSheet sheet(session, {answer});
        QObject::connect(&sheet, &upvarro::gui::CUpvarroSheet::ended, &app, [&] {
            status = exitStatus(session, sheet.model().outcome());
            QApplication::exit(status);
        });
        sheet.start();
        QApplication::exec();
        if (sheet.workLeftRunning()) {
            // A list fetch stuck on a silent server cannot be interrupted; everything worth
            // keeping is written, so end without waiting for it.
            std::fflush(nullptr);
            std::_Exit(status);
        }
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    std::string self = common::executablePath();
    const std::optional<std::string> key = updateKey();
    if (!key) {
        std::cerr << "upvarro: the update key this program was built with is not base64 of 32 "
                     "bytes\n";
        return 2;
    }
    if (args.size() >= 2 && args[1] == "--unattended")
        return unattended(args, self, *key);

    std::optional<bool> answer;
    std::vector<std::string> rest;  // the arguments after the program, options taken out
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--answer=now") {
            answer = true;
        } else if (args[i] == "--answer=later") {
            answer = false;
        } else if (args[i].rfind("--answer", 0) == 0) {
            std::cerr << "upvarro: --answer takes now or later\n";
            return 2;
        } else {
            rest.push_back(args[i]);
        }
    }
    // A test or a script that starts the toolbox, which starts the updater, answers through
    // the environment: the toolbox's command line for the updater is fixed.
    if (!answer) {
        const char* fromEnvironment = std::getenv("UPVARRO_ANSWER");
        if (fromEnvironment && std::string(fromEnvironment) == "now")
            answer = true;
        else if (fromEnvironment && std::string(fromEnvironment) == "later")
            answer = false;
    }
    // The toolbox passes its command line as the whole argument vector; a script passes it
    // as the arguments after the program, as for --unattended.
    std::string whole = !rest.empty()  ? upvarro::joinArguments(rest)
                        : args.empty() ? std::string()
                                       : args.front();
    if (upvarro::parseCommandLine(whole).mode == upvarro::RunMode::CopyFile) {
        upvarro::UnattendedOptions options;
        options.updateKey = *key;
        return upvarro::runUnattended(self, whole, std::cout, std::cerr, options);
    }
    return wizard(argc, argv, self, whole, answer, *key);
}
