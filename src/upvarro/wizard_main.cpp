// upvarro's wizard: the update wizard of a plain start and of a RUN_UPDATE start. It is not a
// file of its own: the updater carries it and starts it from memory (main.cpp), so the runs
// without a window never load Qt.

#include <stdlib.h>
#include <unistd.h>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
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
#include "upvarro/gui/upvarro_sheet.h"
#include "upvarro/program.h"

namespace {

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
    // Qt's own texts (standard buttons, context menus) in the wizard's language, whatever the
    // desktop's locale.
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
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
    // The updater that started this says where it lies: this program runs from memory.
    std::string self = common::executablePath();
    if (const char* program = std::getenv(upvarro::kProgramVariable)) {
        self = program;
        ::unsetenv(upvarro::kProgramVariable);  // not for the programs this one starts
    }
    if (const char* file = std::getenv(upvarro::kWizardFileVariable)) {
        // Only the copy the updater wrote beside itself.
        const std::string path = file;
        const std::string mine = self.substr(0, self.rfind('/') + 1) + ".upvarro-wizard.";
        if (path.rfind(mine, 0) == 0 && path.find('/', mine.size()) == std::string::npos)
            ::unlink(path.c_str());
        ::unsetenv(upvarro::kWizardFileVariable);
    }
    const std::optional<std::string> key = upvarro::compiledUpdateKey();
    if (!key) {
        std::cerr << "upvarro: the update key this program was built with is not base64 of 32 "
                     "bytes\n";
        return 2;
    }

    std::optional<bool> answer;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--answer=now") {
            answer = true;
        } else if (args[i] == "--answer=later") {
            answer = false;
        } else if (args[i].rfind("--answer", 0) == 0) {
            std::cerr << "upvarro: --answer takes now or later\n";
            return 2;
        }
    }
#ifdef UPVARRO_ANSWER_HOOK
    // A test that starts the toolbox, which starts the updater, answers through the
    // environment: the toolbox's command line for the updater is fixed. Test builds only.
    if (!answer) {
        const char* fromEnvironment = std::getenv("UPVARRO_ANSWER");
        if (fromEnvironment && std::string(fromEnvironment) == "now")
            answer = true;
        else if (fromEnvironment && std::string(fromEnvironment) == "later")
            answer = false;
    }
#endif
    return wizard(argc, argv, self, upvarro::wholeCommandLine(args), answer, *key);
}
