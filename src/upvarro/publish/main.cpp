// upvarro-publish: writes (and signs) soft_update.xml for a release folder, or makes the key
// pair that signs it.
#include <CLI/CLI.hpp>
#include <ctime>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/number_text.h"
#include "upvarro/publish/publisher.h"

namespace {

constexpr const char* kProgram = "upvarro-publish";

constexpr const char* kHelp = R"(Usage:
  upvarro-publish FOLDER --url DOWNURL [--title T] [--version V] [--force]
                  [--rules RULES] [--key PRIVATE.pem] [--time SECONDS] [--out DIR]
  upvarro-publish --new-key DIR
  upvarro-publish --help | --version

Writes soft_update.xml, the update list of the updater, for the release folder FOLDER: one
entry per file below it (its name relative to FOLDER, size, MD5 and SHA-256). Serve FOLDER
as it is, with the list beside its files; changelog.txt at the top of FOLDER is served as the
change log the updater shows, and is not listed itself (written in UTF-8, it is converted to
the GBK that installed updaters read, in place or in DIR of --out). Neither are soft_update.xml and
soft_update.xml.sig at its top, the rules file when it lies inside FOLDER, nor what each
installation keeps for itself: update/upvarro.ini, update/localList.dat, update/faillist.dat,
update/update.log, update/upvarro.lock, temp/ and *.upvarro-new. A FOLDER that holds the
signing key or any other private key, or a link that leads out of FOLDER, is refused.
Names go to the server as percent-encoded UTF-8: serve FOLDER from a file system whose names
are UTF-8, as Linux servers keep them.

Options:
  --url DOWNURL     the http:// or https:// address FOLDER is served at; each file is
                    fetched from DOWNURL/NAME (at most 127 bytes, a trailing / is dropped)
  --title T         the wizard's window title (Title)
  --version V       the version of the update set (default: @VERSION@); alone, --version
                    prints the program's version
  --force           an important update: the user cannot put it off (ForceUpdate)
  --rules RULES     actions of files, from the rules file described below
  --key PRIVATE.pem sign the list: also writes soft_update.xml.sig (Ed25519) and signs the
                    SHA-256 of changelog.txt with it; a key others can read is warned of.
                    Without it, a soft_update.xml.sig left by an earlier run is removed
  --time SECONDS    the publication time, seconds since 1970 (default: now), at most a
                    day ahead of now; an updater that checks signatures refuses a list
                    older than one it installed, or dated more than a day ahead of its clock
  --out DIR         write the list (and signature, and a copy of changelog.txt) into DIR
                    instead of FOLDER
  --new-key DIR     make a key pair: DIR/update.key (the private key, mode 0600; an existing
                    one is never replaced) and DIR/update.pub (the public key, the value of
                    the CMake variable KALVIX_UPDATE_PUBKEY of the updater's build)
  -h, --help        this text

Rules file: one rule per line, PATTERN ACTION [ACTION]; blank lines and lines starting with #
are ignored, and a word starting with # ends a line. PATTERN is a glob (fnmatch: * and ? also
match "/", ? matches one byte, [...] a set) against the name relative to FOLDER with "/"
between folders; the last matching line decides, files no line matches are copied.
Actions:
  copy              download and put in place (the default)
  restart           copy, then restart it as the main program after the update (one file
                    at most; it is listed first); "copy restart" is the same
  register          copy, then register it as a component
  run               copy, then start it
  delete            remove it from installations; it is not offered for download. A pattern
                    without wildcards deletes that name even when FOLDER lacks the file
Example:
  *.so        copy
  kalvix      restart
  old/*       delete
  tools/setup run

Names the updater would refuse (.., absolute names, control characters, names longer than
128 GBK bytes or with characters GBK lacks), files over 2147483647 bytes, links to folders
and anything that is neither a file nor a folder are refused, and nothing is written. So is a
--time more than a day after now.
Exit status: 0 written, 1 the output could not be written, 2 refused (nothing was written).
)";

// Messages quote file names: their control characters must not break the line.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

int refuse(const std::string& message) {
    std::cerr << kProgram << ": " << oneLine(message) << "\n";
    return upvarro::publish::kRefused;
}

std::string helpText() {
    std::string text = kHelp;
    const std::string mark = "@VERSION@";
    text.replace(text.find(mark), mark.size(), UPVARRO_PUBLISH_VERSION);
    return text;
}

int finish(const upvarro::publish::RunResult& result) {
    for (const std::string& line : result.lines)
        std::cout << oneLine(line) << "\n";
    if (result.status != upvarro::publish::kPublished)
        std::cerr << kProgram << ": " << oneLine(result.error) << "\n";
    return result.status;
}

}  // namespace

int main(int argc, char** argv) {
    // Alone it is the program's version; with a folder, the release's.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << kProgram << " " << UPVARRO_PUBLISH_VERSION << "\n";
        return 0;
    }
    CLI::App app(helpText(), kProgram);
    app.set_help_flag();  // the help is the text above, printed as it is
    bool help = false;
    app.add_flag("-h,--help", help);
    std::map<std::string, std::string> given;
    std::map<std::string, CLI::Option*> declared;
    for (const char* name :
         {"--url", "--title", "--version", "--rules", "--key", "--time", "--out", "--new-key"})
        declared[name] = app.add_option(name, given[name])
                             ->expected(1)
                             ->multi_option_policy(CLI::MultiOptionPolicy::Throw);
    bool force = false;
    declared["--force"] = app.add_flag("--force", force)->disable_flag_override();
    std::vector<std::string> folders;
    app.add_option("FOLDER", folders);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ExtrasError&) {
        const std::vector<std::string> extra = app.remaining();
        return refuse("unknown option " + (extra.empty() ? std::string("?") : extra.front()) +
                      " (see --help)");
    } catch (const CLI::ParseError& e) {
        return refuse(std::string(e.what()) + " (see --help)");
    }
    if (help) {
        std::cout << helpText();
        return 0;
    }
    if (folders.size() > 1)
        return refuse("one release folder only: '" + folders[0] + "' and '" + folders[1] + "'");
    std::optional<std::string> folder;
    if (!folders.empty())
        folder = folders.front();
    for (auto it = given.begin(); it != given.end();)
        it = declared[it->first]->count() ? std::next(it) : given.erase(it);
    if (force)
        given["--force"] = "";

    auto option = [&given](const char* name) {
        auto it = given.find(name);
        return it == given.end() ? std::string() : it->second;
    };
    if (given.count("--new-key")) {
        if (given.size() > 1 || folder)
            return refuse("--new-key takes no other options and no folder");
        if (option("--new-key").empty())
            return refuse("--new-key needs a folder");
        return finish(upvarro::publish::createKeyPair(option("--new-key")));
    }
    if (!folder)
        return refuse("no release folder given (see --help)");
    if (!given.count("--url"))
        return refuse("--url is required: the address FOLDER is served at");

    upvarro::publish::PublishOptions options;
    options.folder = *folder;
    options.url = option("--url");
    options.version = given.count("--version") ? option("--version") : UPVARRO_PUBLISH_VERSION;
    options.title = option("--title");
    options.force = given.count("--force") > 0;
    options.rulesPath = option("--rules");
    options.keyPath = option("--key");
    options.outFolder = option("--out");
    options.publishTime = static_cast<std::int64_t>(std::time(nullptr));
    if (given.count("--time")) {
        const std::string text = option("--time");
        auto seconds = text.find_first_not_of("0123456789") == std::string::npos
                           ? common::parseInteger(text, 1, INT64_MAX)
                           : std::nullopt;
        if (!seconds)
            return refuse("--time '" + text + "' is not a positive number of seconds since 1970");
        options.publishTime = *seconds;
    }
    return finish(upvarro::publish::publishRelease(options));
}
