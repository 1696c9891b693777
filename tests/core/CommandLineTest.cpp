#include "core/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vel::core {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Repeatable : CommandLine::Argument<std::string> {
    using Argument::Argument;
    bool IsRepeatable() const override { return true; }
};

struct TestCommandLine : CommandLine {
    using CommandLine::slashIntroducesOptions;

    TestCommandLine() {
        AddArgument(program);
        SetHelpOption(help);
        inOptionalArguments = 1;
        AddArgument(first);
        AddArgument(second);
    }

    Argument<std::string> program{"prog", "", "prog.default"};
    Option<bool> help{*this, "help", "shows help"};
    Option<bool> demo{*this, "demo", ""};
    Option<std::string> name{*this, "name", "a text"};
    Argument<std::string> first{"first", "", "one"};
    Argument<std::string> second{"second", ""};

    std::vector<std::string> Errors(std::vector<std::string> words) {
        words.insert(words.begin(), "prog");
        const bool parsed = Parse(words);
        EXPECT_EQ(parsed, GetErrors().empty());
        return GetErrors();
    }
};

TEST(CommandLineTest, SplittingBlanksQuotesAndEmptyText) {
    EXPECT_THAT(CommandLine::SplitCommandLine(""), IsEmpty());
    EXPECT_THAT(CommandLine::SplitCommandLine(" \t "), IsEmpty());
    EXPECT_THAT(CommandLine::SplitCommandLine("\tab  cd\t"), ElementsAre("ab", "cd"));
    EXPECT_THAT(CommandLine::SplitCommandLine("\"x y\" z"), ElementsAre("x y", "z"));
    EXPECT_THAT(CommandLine::SplitCommandLine("ab\"c d\""), ElementsAre("ab\"c", "d\""));
    EXPECT_THAT(CommandLine::SplitCommandLine("\"say \"\"hi\"\"\""), ElementsAre("say \"hi\""));
    EXPECT_THAT(CommandLine::SplitCommandLine("\"\" \"\""), ElementsAre("", ""));
    EXPECT_THAT(CommandLine::SplitCommandLine("a \"open end"), ElementsAre("a", "open end"));
    EXPECT_THAT(CommandLine::SplitCommandLine("\"open\"\""), ElementsAre("open\""));
}

TEST(CommandLineTest, SplittingClosingQuoteInsideAWordKeepsTheRestOfTheWord) {
    EXPECT_THAT(CommandLine::SplitCommandLine("\"ab\"cd ef"), ElementsAre("abcd", "ef"));
    EXPECT_THAT(CommandLine::SplitCommandLine("\"ab\"c\"d e"), ElementsAre("abc\"d", "e"));
}

TEST(CommandLineTest, HelpIsFoundByLongNameAndShortSlotOnly) {
    for (const char* word : {"--help", "-help", "/help", "-?"}) {
        TestCommandLine commandLine;
        EXPECT_THAT(commandLine.Errors({word}), IsEmpty()) << word;
        EXPECT_TRUE(commandLine.help) << word;
    }
    TestCommandLine commandLine;
    EXPECT_THAT(commandLine.Errors({"/?", "--?"}),
                ElementsAre("unrecognized option /?", "unrecognized option --?"));
    EXPECT_FALSE(commandLine.help);
}

TEST(CommandLineTest, BoolValues) {
    TestCommandLine commandLine;
    const auto demoAfter = [&](const char* word) {
        EXPECT_THAT(commandLine.Errors({word}), IsEmpty()) << word;
        return commandLine.demo.value;
    };
    EXPECT_TRUE(demoAfter("--demo"));
    EXPECT_TRUE(demoAfter("--demo="));
    EXPECT_TRUE(demoAfter("--demo:yes"));
    EXPECT_TRUE(demoAfter("/demo=+"));
    EXPECT_FALSE(demoAfter("--demo=0"));
    EXPECT_FALSE(demoAfter("--demo=no"));
    EXPECT_FALSE(demoAfter("--demo-"));
    EXPECT_THAT(commandLine.Errors({"--demo=maybe"}),
                ElementsAre("'maybe' is not a valid value for option --demo"));
    EXPECT_THAT(commandLine.Errors({"-?=x"}),
                ElementsAre("'x' is not a valid value for option (--help|-?)"));
}

TEST(CommandLineTest, StringOptionValuesAndQuotes) {
    TestCommandLine commandLine;
    const auto nameAfter = [&](const char* word) {
        EXPECT_THAT(commandLine.Errors({word}), IsEmpty()) << word;
        return commandLine.name.value;
    };
    EXPECT_EQ(nameAfter("--name"), "");
    EXPECT_EQ(nameAfter("--name=a:b=c"), "a:b=c");
    EXPECT_EQ(nameAfter("--name=\"a b\""), "a b");
    EXPECT_EQ(nameAfter("--name=\"a\"b\""), "a\"b");
    EXPECT_EQ(nameAfter("--name=\"a\"\""), "a\"\"");
    EXPECT_EQ(nameAfter("--name=a\""), "a\"");
    EXPECT_EQ(nameAfter("--name=\""), "");
}

TEST(CommandLineTest, MalformedAndUnknownOptions) {
    TestCommandLine commandLine;
    EXPECT_THAT(commandLine.Errors({"-", "/", "-=1", "/:x", "--=x"}),
                ElementsAre("option introducer was not followed by a name",
                            "option introducer was not followed by a name",
                            "option introducer was not followed by a name",
                            "option introducer was not followed by a name",
                            "option introducer was not followed by a name"));
    EXPECT_THAT(commandLine.Errors({"-xy", "--bogus", "/bogus", "--Demo"}),
                ElementsAre("unrecognized option -x", "unrecognized option --bogus",
                            "unrecognized option /bogus", "unrecognized option --Demo"));
    // A '-' inside a name takes the next character with it, even ':' or '='.
    EXPECT_THAT(commandLine.Errors({"--de-=mo"}), ElementsAre("unrecognized option --de-=mo"));
    // Short options run left to right; only the last one gets the value.
    EXPECT_THAT(commandLine.Errors({"-?x", "-?\?=maybe"}),
                ElementsAre("unrecognized option -x",
                            "'maybe' is not a valid value for option (--help|-?)"));
    EXPECT_THAT(commandLine.Errors({std::string("-\x80")}),
                ElementsAre(std::string("unrecognized option -\x80")));
}

TEST(CommandLineTest, DoubleDashEndsOptions) {
    TestCommandLine commandLine;
    EXPECT_THAT(commandLine.Errors({"--", "-x", "--"}), IsEmpty());
    EXPECT_EQ(commandLine.first.value, "-x");
    EXPECT_EQ(commandLine.second.value, "--");
}

TEST(CommandLineTest, SlashCanBeLeftToPaths) {
    TestCommandLine commandLine;
    commandLine.slashIntroducesOptions = false;
    EXPECT_THAT(commandLine.Errors({"/help", "-help"}), IsEmpty());
    EXPECT_EQ(commandLine.first.value, "/help");
    EXPECT_TRUE(commandLine.help);
}

TEST(CommandLineTest, PositionalWords) {
    TestCommandLine commandLine;
    EXPECT_THAT(
        commandLine.Errors({"a", "", "c", "d"}),
        ElementsAre("unexpected positional argument 'c'", "unexpected positional argument 'd'"));
    EXPECT_EQ(commandLine.program.value, "prog");
    EXPECT_EQ(commandLine.first.value, "a");
    EXPECT_EQ(commandLine.second.value, "");
}

TEST(CommandLineTest, EveryErrorIsCollectedInOrder) {
    TestCommandLine commandLine;
    EXPECT_THAT(commandLine.Errors({"--bogus", "--demo", "a", "--demo=?", "b", "c", "-q"}),
                ElementsAre("unrecognized option --bogus",
                            "'?' is not a valid value for option --demo",
                            "unexpected positional argument 'c'", "unrecognized option -q"));
    EXPECT_TRUE(commandLine.demo);
}

TEST(CommandLineTest, EachParseStartsFromTheDefaults) {
    TestCommandLine commandLine;
    EXPECT_THAT(commandLine.Errors({"--demo", "--name=x", "a", "b"}), IsEmpty());
    EXPECT_TRUE(commandLine.Parse(std::vector<std::string>{"other"}));
    EXPECT_EQ(commandLine.program.value, "other");
    EXPECT_FALSE(commandLine.demo);
    EXPECT_EQ(commandLine.name.value, "");
    EXPECT_EQ(commandLine.first.value, "one");
    EXPECT_EQ(commandLine.second.value, "");
}

TEST(CommandLineTest, NoWordsReportsTheMissingProgramArgument) {
    TestCommandLine commandLine;
    EXPECT_FALSE(commandLine.Parse(CommandLine::SplitCommandLine("  ")));
    EXPECT_THAT(commandLine.GetErrors(), ElementsAre("missing positional argument <prog>"));
    EXPECT_EQ(commandLine.program.value, "prog.default");
}

struct FilesCommandLine : CommandLine {
    FilesCommandLine() {
        AddArgument(program);
        AddArgument(output);
        AddArgument(files);
        AddArgument(last);
    }

    Argument<std::string> program{"tool", "does things"};
    Argument<std::string> output{"output", "where to write"};
    Repeatable files{"files", ""};
    Argument<std::string> last{"last", ""};
};

TEST(CommandLineTest, RepeatableArgumentTakesTheRemainingWords) {
    FilesCommandLine commandLine;
    EXPECT_FALSE(commandLine.Parse(std::vector<std::string>{"tool"}));
    EXPECT_THAT(commandLine.GetErrors(), ElementsAre("missing positional argument <output>",
                                                     "missing positional argument <files>...",
                                                     "missing positional argument <last>"));
    EXPECT_FALSE(commandLine.Parse(std::vector<std::string>{"tool", "out", "a", "b"}));
    EXPECT_THAT(commandLine.GetErrors(), ElementsAre("missing positional argument <last>"));
    EXPECT_EQ(commandLine.files.value, "b");
}

TEST(CommandLineTest, UsageOfRequiredArgumentsWithoutOptions) {
    FilesCommandLine commandLine;
    EXPECT_EQ(commandLine.GetSynopsis(), "tool <output> <files>... <last>");
    EXPECT_EQ(commandLine.GetUsage(), "tool\n  does things\n"
                                      "\nSYNOPSIS:\n\ntool <output> <files>... <last>\n"
                                      "\nARGUMENTS:\n"
                                      "\n<output>\n  where to write\n"
                                      "\n<files>...\n"
                                      "\n<last>\n");
}

TEST(CommandLineTest, UsageListsOptionsInByteOrderAndNestedOptionalArguments) {
    TestCommandLine commandLine;
    EXPECT_EQ(commandLine.GetSynopsis(),
              "prog [--demo] [(--help|-?)] [--name] [<first> [<second>]]");
    EXPECT_EQ(commandLine.GetUsage(),
              "prog\n"
              "\nSYNOPSIS:\n\nprog [--demo] [(--help|-?)] [--name] [<first> [<second>]]\n"
              "\nOPTIONS:\n"
              "\n--demo\n"
              "\n(--help|-?)\n  shows help\n"
              "\n--name\n  a text\n"
              "\nARGUMENTS:\n"
              "\n[<first>]\n"
              "\n[<second>]\n");
}

} // namespace
} // namespace vel::core
