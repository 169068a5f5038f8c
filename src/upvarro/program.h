#pragma once
// What the updater's two programs share: the updater proper (main.cpp, without Qt) and the
// wizard it carries (wizard_main.cpp). Each is built with UPVARRO_UPDATE_KEY defined.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "upvarro/core/command_line.h"
#include "upvarro/core/list_signature.h"

#ifndef UPVARRO_UPDATE_KEY
#define UPVARRO_UPDATE_KEY ""
#endif

namespace upvarro {

// The updater's own path, handed to the wizard, which runs from memory.
inline constexpr const char* kProgramVariable = "UPVARRO_PROGRAM";
// Where programs may not run from memory, the file the wizard was written to, for the wizard
// to remove.
inline constexpr const char* kWizardFileVariable = "UPVARRO_WIZARD_FILE";

// The public key this build takes update lists from, configured at build time; empty when
// lists are taken unsigned; nullopt when it cannot be read, which must not turn the check off.
inline std::optional<std::string> compiledUpdateKey() {
    std::string_view configured = UPVARRO_UPDATE_KEY;
    if (configured.empty())
        return std::string();
    return decodePublicKey(configured);
}

// The command line the rules look at. The toolbox passes it as the whole argument vector; a
// script passes it as the arguments after the program, --answer options left out.
inline std::string wholeCommandLine(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    for (std::size_t i = 1; i < args.size(); ++i)
        if (args[i].rfind("--answer", 0) != 0)
            rest.push_back(args[i]);
    if (!rest.empty())
        return joinArguments(rest);
    return args.empty() ? std::string() : args.front();
}

}  // namespace upvarro
