#pragma once
// The updater's command line: its argv joined by blanks, split at "@" and line feeds.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "upvarro/core/settings.h"

namespace upvarro {

enum class RunMode { Plain, RunUpdate, CopyFile };

struct CommandLine {
    std::string whole;
    RunMode mode = RunMode::Plain;
    // RUN_UPDATE fields; a missing trailing field is nullopt.
    std::optional<std::int32_t> showFlag;
    std::optional<std::string> host;
    std::optional<std::int32_t> port;
    std::optional<std::string> listPath;
    // COPY_FILE fields.
    std::string replacePath;
    std::string newPath;
};

std::string joinArguments(const std::vector<std::string>& args);
CommandLine parseCommandLine(const std::string& whole);
// The same, for the program running as selfPath. "COPY_FILE@%s@%s" is started as the new
// updater it names last, so a command line that ends in "@" + selfPath splits there: an "@"
// inside the installation's path stays part of the path.
CommandLine parseCommandLine(const std::string& whole, const std::string& selfPath);

// RUN_UPDATE: the show flag decides whether the wizard shows from the start; host and port
// apply only where the configuration leaves them empty or 0, the list path only where the
// configured one is empty. Missing fields leave the settings alone.
void applyCommandLine(const CommandLine& line, Settings& settings);

}  // namespace upvarro
