#include "upvarro/core/command_line.h"

#include <gtest/gtest.h>

namespace upvarro {
namespace {

TEST(CommandLine, ModesAndFields) {
    struct Case {
        std::vector<std::string> argv;
        RunMode mode;
        std::optional<int> show;
        std::optional<std::string> host;
        std::optional<int> port;
        std::optional<std::string> path;
    } cases[] = {
        {{"RUN_UPDATE@0@update.example@80@/softupdate/xyq"},
         RunMode::RunUpdate,
         0,
         "update.example",
         80,
         "/softupdate/xyq"},
        {{"RUN_UPDATE@1"}, RunMode::RunUpdate, 1, std::nullopt, std::nullopt, std::nullopt},
        {{"RUN_UPDATE"},
         RunMode::RunUpdate,
         std::nullopt,
         std::nullopt,
         std::nullopt,
         std::nullopt},
        {{"RUN_UPDATE\n2@@h"}, RunMode::RunUpdate, 2, "h", std::nullopt, std::nullopt},
        {{"RUN_UPDATE@0@a-host-name-that-is-far-longer-than-31@x"},
         RunMode::RunUpdate,
         0,
         "a-host-name-that-is-far-longer-",
         0,
         std::nullopt},
        // A start by hand: the first piece is the program path.
        {{"/opt/tool/update/upvarro", "RUN_UPDATE@0@h@80@/p"},
         RunMode::Plain,
         std::nullopt,
         std::nullopt,
         std::nullopt,
         std::nullopt},
        {{"run_update@0"}, RunMode::Plain, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {{}, RunMode::Plain, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        std::string whole = joinArguments(c.argv);
        CommandLine line = parseCommandLine(whole);
        EXPECT_EQ(line.whole, whole);
        EXPECT_EQ(line.mode, c.mode) << whole;
        EXPECT_EQ(line.showFlag, c.show) << whole;
        EXPECT_EQ(line.host, c.host) << whole;
        EXPECT_EQ(line.port, c.port) << whole;
        EXPECT_EQ(line.listPath, c.path) << whole;
    }
    CommandLine copy = parseCommandLine("COPY_FILE@/opt/t/update/upvarro@/opt/t/temp/upvarro");
    EXPECT_EQ(copy.mode, RunMode::CopyFile);
    EXPECT_EQ(copy.replacePath, "/opt/t/update/upvarro");
    EXPECT_EQ(copy.newPath, "/opt/t/temp/upvarro");
}

TEST(CommandLine, FieldsApplyOnlyWhereTheConfigurationLeavesThemOpen) {
    CommandLine line = parseCommandLine("RUN_UPDATE@0@cmd.example@8080@/cmd");
    Settings configured;
    configured.updateHost = "ini.example";
    configured.updatePort = 81;
    applyCommandLine(line, configured);
    EXPECT_EQ(configured.showFromStart, 0);
    EXPECT_EQ(configured.updateHost, "ini.example");
    EXPECT_EQ(configured.updatePort, 81);
    EXPECT_EQ(configured.updateListUrlPath, "/softupdate/tallyo");

    Settings open;
    open.updateHost = "";
    open.updatePort = 0;
    applyCommandLine(line, open);
    EXPECT_EQ(open.updateHost, "cmd.example");
    EXPECT_EQ(open.updatePort, 8080);

    Settings untouched;
    applyCommandLine(parseCommandLine("RUN_UPDATE"), untouched);
    EXPECT_EQ(untouched.showFromStart, 1);
    applyCommandLine(parseCommandLine("RUN_UPDATE@5"), untouched);
    EXPECT_EQ(untouched.showFromStart, 1);
    applyCommandLine(parseCommandLine("/path/upvarro"), untouched);
    EXPECT_EQ(untouched.showFromStart, 1);
}

}  // namespace
}  // namespace upvarro
