#include "calc_line.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include <CLI/CLI.hpp>

#include "catalogue_command.h"
#include "common/field_reader.h"
#include "kalvix/core/registry/page_registry.h"

namespace kalvix {
namespace {

struct Texts {
    std::string time, store, load, save, compare;
};

// One description of the options serves both the parser and --help.
void describe(CLI::App& app, CalcLine& line, Texts& texts) {
    app.prefix_command();
    app.set_help_flag();  // ours, so a batch can refuse it like any request
    app.add_flag("-h,--help", line.help, "print this help");
    app.add_flag("--version", line.version, "print the version");
    app.add_flag("--batch", line.batch,
                 "read one request a line on stdin (a JSON array of the page and its\n"
                 "arguments) and print one JSON object a line");
    const auto last = CLI::MultiOptionPolicy::TakeLast;
    app.add_option("--time", texts.time, "fix the clock (seconds since 1970)")
        ->option_text("T")
        ->multi_option_policy(last);
    app.add_option(
           "--store", texts.store,
           "the question store of 答题器 (default: Conversion.dat of the user's data folder,\n"
           "else the installed one)")
        ->option_text("FILE")
        ->multi_option_policy(last);
    app.add_flag("--controls", line.controls,
                 "also print every control's state (text, checked, enabled, visible;\n"
                 "a list's items and current position)");
    app.add_option("--load", texts.load, "人物模拟加点系统: open with a build file loaded")
        ->option_text("FILE.PSF")
        ->multi_option_policy(last);
    app.add_option("--save", texts.save, "人物模拟加点系统: write the build file at the end")
        ->option_text("FILE.PSF")
        ->multi_option_policy(last);
    app.add_option("--compare", texts.compare,
                   "人物模拟加点系统: this build and that one side by side")
        ->option_text("FILE.PSF")
        ->multi_option_policy(last);
}

}  // namespace

bool parseCalcLine(const std::vector<std::string>& args, CalcLine& line, std::string& error) {
    line = CalcLine{};
    Texts texts;
    CLI::App app("kalvix-calc", "kalvix-calc");
    describe(app, line, texts);
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them so
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        error = e.what();
        return false;
    }
    line.rest = app.remaining();
    if (!line.rest.empty() && line.rest.front().rfind("--", 0) == 0) {
        error = "unknown option: " + line.rest.front();
        return false;
    }
    if (app.count("--time")) {
        const auto t = common::parseInteger(texts.time);
        if (!t) {
            error = "bad time: " + texts.time;
            return false;
        }
        line.time = *t;
    }
    line.store = texts.store;
    const std::pair<const char*, const std::string*> files[] = {
        {"--load", &texts.load}, {"--save", &texts.save}, {"--compare", &texts.compare}};
    for (const auto& [name, value] : files)
        if (app.count(name))
            line.simulationArgs.push_back(std::string(name) + "=" + *value);
    return true;
}

std::string calcHelp() {
    CalcLine line;
    Texts texts;
    CLI::App app("The toolbox's rules as JSON: opens a page as the toolbox does and acts on it.",
                 "kalvix-calc");
    describe(app, line, texts);
    std::ostringstream footer;
    footer << "\nForms:\n"
              "  kalvix-calc [OPTIONS] <page> [<argument> ...]\n"
              "  kalvix-calc --batch < requests\n"
              "  kalvix-calc catalogue [<table>]\n"
              "  kalvix-calc build decode FILE.PSF | encode FILE.json OUT.PSF |\n"
              "                    new [<field>=<value> ...] [--save OUT.PSF]\n"
              "  kalvix-calc rune-match <colour names or values ...>\n"
              "  kalvix-calc rune-text <combination id> <level>\n"
              "  kalvix-calc stone-text <stone id>\n"
              "  kalvix-calc skill-bonus <race index> <school index> <slot> <level> [base]\n"
              "  kalvix-calc recipe-match <m1> <m2> <m3> <m4>\n"
              "\n"
              "Arguments act on the page in order, as a user would:\n"
              "  <caption>=<value>   type into or choose in a control (#n chooses position n)\n"
              "  <caption>           press a button\n"
              "  @focus=<caption>    move the keyboard focus\n"
              "  @tick=<n>           deliver n timer events\n"
              "  @answer=ok|cancel   answer the next question box\n"
              "--controls, --load, --save and --compare may also follow the page.\n"
              "\n"
              "Pages (caption, alias):\n";
    for (const auto& p : pageRegistry())
        if (p.create)
            footer << "  " << p.caption << "  " << p.alias << '\n';
    footer << "\nCatalogue tables:\n";
    for (const auto& t : catalogueTables())
        footer << "  " << t.first << '\n';
    app.footer(footer.str());
    return app.help();
}

}  // namespace kalvix
