// The switches of an unattended run, read from the arguments after the program's name.
#include "installer/setup_command_line.h"

#include <gtest/gtest.h>

namespace inst {
namespace {

struct Case {
    const char* arguments;
    bool silent;
    const char* directory;  // nullptr: none
    const char* log;        // nullptr: none
    std::vector<std::string> problemArguments;
};

std::string Shown(const std::optional<rt::TextValue>& value) {
    return value ? "\"" + *value + "\"" : "none";
}

TEST(SetupCommandLine, SwitchesValuesAndProblemsAsDocumented) {
    const Case cases[] = {
        {"", false, nullptr, nullptr, {}},
        {"   \t ", false, nullptr, nullptr, {}},
        {"/S", true, nullptr, nullptr, {}},
        {"/s", true, nullptr, nullptr, {}},
        // /D= runs to the end of the line, spaces and double-byte names included; trailing
        // blanks and a trailing backslash go, a drive root keeps its backslash.
        {"/S /D=C:\\Some Dir\\产品", true, "C:\\Some Dir\\产品", nullptr, {}},
        {"/S /d=C:\\Some Dir\\产品\\  ", true, "C:\\Some Dir\\产品", nullptr, {}},
        {"/D=D:\\", false, "D:\\", nullptr, {}},
        {"/D=\"C:\\Quoted Dir\"", false, "C:\\Quoted Dir", nullptr, {}},
        {"/D=\\\\server\\share\\apps", false, "\\\\server\\share\\apps", nullptr, {}},
        // 癨 is D8 5C in code page 936: its trail byte is no backslash to drop.
        {"/D=C:\\x\\\xD8\x5C", false, "C:\\x\\\xD8\x5C", nullptr, {}},
        // The log name is grouped by quotes, around the value or the whole switch.
        {"/LOG=C:\\setup.log /S", true, nullptr, "C:\\setup.log", {}},
        {"/Log=\"C:\\My Logs\\a.log\" /S", true, nullptr, "C:\\My Logs\\a.log", {}},
        {"\"/LOG=C:\\My Logs\\a.log\" /S /D=E:\\V", true, "E:\\V", "C:\\My Logs\\a.log", {}},
        // Problems: the rest is still read, the first of a repeated switch counts.
        {"/S /S", true, nullptr, nullptr, {"/S"}},
        {"/LOG=a.log /LOG=b.log", false, nullptr, "a.log", {"/LOG=b.log"}},
        {"/SILENT /q", false, nullptr, nullptr, {"/SILENT", "/q"}},
        {"setup.ini /S", true, nullptr, nullptr, {"setup.ini"}},
        {"/LOG= /S", true, nullptr, nullptr, {"/LOG="}},
        {"/S /D=", true, nullptr, nullptr, {"/D="}},
        {"/D=Games\\Vantor", false, nullptr, nullptr, {"/D=Games\\Vantor"}},
        {"/D=C:\\a|b", false, nullptr, nullptr, {"/D=C:\\a|b"}},
        {"/D=C:\\a:b", false, nullptr, nullptr, {"/D=C:\\a:b"}},
        // Another switch after /D= would become part of the directory.
        {"/D=C:\\Games /S", false, nullptr, nullptr, {"/D=C:\\Games /S"}},
    };
    for (const Case& c : cases) {
        const SetupCommandLine parsed = ParseSetupCommandLine(c.arguments, RunMode::Installer);
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(parsed.switches.silent, c.silent);
        EXPECT_EQ(Shown(parsed.switches.installDirectory),
                  Shown(c.directory ? std::optional<rt::TextValue>(c.directory) : std::nullopt));
        EXPECT_EQ(Shown(parsed.switches.logPath),
                  Shown(c.log ? std::optional<rt::TextValue>(c.log) : std::nullopt));
        std::vector<std::string> problems;
        for (const CommandLineProblem& problem : parsed.problems) {
            problems.push_back(problem.argument);
            EXPECT_FALSE(problem.reason.empty());
        }
        EXPECT_EQ(problems, c.problemArguments);
    }
}

TEST(SetupCommandLine, TheUninstallerTakesNoDirectory) {
    const SetupCommandLine parsed = ParseSetupCommandLine("/S /D=C:\\Games", RunMode::Uninstaller);
    EXPECT_TRUE(parsed.switches.silent);
    EXPECT_FALSE(parsed.switches.installDirectory);
    ASSERT_EQ(parsed.problems.size(), 1u);
    EXPECT_EQ(parsed.problems[0].argument, "/D=C:\\Games");
}

}  // namespace
}  // namespace inst
