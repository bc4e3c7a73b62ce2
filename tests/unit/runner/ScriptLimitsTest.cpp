// What no script may do to the host: overflow its stack, take memory out of proportion to its
// length, loop for ever, or end it with an uncaught error. Each ends with a script error naming
// the file and line, or runs correctly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ScriptOutcome.h"
#include "tools/tavrin-run/Parser.h"

namespace tavrin::run {
namespace {

Outcome runText(const std::string& text, uint64_t budget = 20'000'000) {
    RunOptions options;
    options.scriptDir = ::testing::TempDir();
    options.workBudget = budget;
    return runScript(text, options);
}

TEST(ScriptLimits, DeepNestingIsASyntaxErrorNotAStackOverflow) {
    for (const char* open : {"(", "-", "List.ItemText("}) {
        std::string deep = "? ";
        for (int i = 0; i < 100000; ++i)
            deep += open;
        Outcome o = runText(deep + "1\n");
        EXPECT_FALSE(o.completed) << open;
        EXPECT_TRUE(contains(o.err, "s.tvs:1:")) << o.err;
        EXPECT_TRUE(contains(o.err, "nested deeper than")) << o.err;
    }
    // Within the limit nesting works as before.
    Outcome ok = runText("expect ((((((1)))))) - -2 = 3\n");
    EXPECT_EQ(ok.passed, 1) << ok.err;
}

TEST(ScriptLimits, ALongExpressionEvaluatesWithoutRecursionAndKeepsNoCopies) {
    std::string chain = "x = 0";
    for (int i = 0; i < 200000; ++i)
        chain += " + 1";
    Outcome o = runText(chain + "\nexpect x = 200000\n");
    EXPECT_TRUE(o.completed) << o.err;
    EXPECT_EQ(o.passed, 1);
    // The parsed expressions point into the script's text instead of each holding a copy of its
    // own part of it, which would be quadratic in the length of the chain.
    Program p = parseScript(chain, "t");
    EXPECT_GE(p.statements[0].exprs[0]->source.data(), p.text->data());
    EXPECT_LE(p.statements[0].exprs[0]->source.data() + p.statements[0].exprs[0]->source.size(),
              p.text->data() + p.text->size());
}

TEST(ScriptLimits, LoopsThatCannotEndAreRefused) {
    for (const char* loop : {"for i = 0 to 1e308 * 10: next", "for i = 1e20 to 1e21 step 1: next",
                             "for i = 0 to 10 step 0: next"}) {
        Outcome o = runText(std::string(loop) + "\n");
        EXPECT_FALSE(o.completed) << loop;
        EXPECT_TRUE(contains(o.err, "s.tvs:1:")) << o.err;
    }
}

TEST(ScriptLimits, AScriptThatKeepsTheClockBusyStopsAtItsBudget) {
    // The bar's auto-repeat ticks every 50 ms; a wait of weeks would tick for ever.
    Outcome wait = runText("new Tavrin\nfor i = 1 to 100: List.AddItem \"x\": next\n"
                           "mouse down left 5 150 on sbUC\nwait 2000000000\n",
                           20000);
    EXPECT_FALSE(wait.completed);
    EXPECT_TRUE(contains(wait.err, "s.tvs:4:")) << wait.err;
    EXPECT_TRUE(contains(wait.err, "a loop that does not end")) << wait.err;
    Outcome rounds = runText("for i = 1 to 100000000: x = i: next\n", 20000);
    EXPECT_FALSE(rounds.completed);
    EXPECT_TRUE(contains(rounds.err, "a loop that does not end")) << rounds.err;
}

TEST(ScriptLimits, TheClockWrapsAsTheKernelsTickCountDoes) {
    // 100000 + 2 * (2^31 - 1) = 2^32 + 99998: the count wraps and goes on moving, and the
    // repeating timer of a held bar button neither freezes nor fires for ever.
    Outcome o = runText("new Tavrin\nfor i = 1 to 100: List.AddItem \"x\": next\n"
                        "wait 2147483647\nwait 2147483647\nexpect Host.Clock = 99998\n"
                        "mouse down left 5 150 on sbUC\nwait 2000\nexpect Host.Clock = 101998\n"
                        "mouse up left 5 150 on sbUC\nexpect List.TopIndex > 20\n");
    EXPECT_TRUE(allHeld(o, 3));
}

TEST(ScriptLimits, ErrorsOfEveryKindBecomeScriptErrorsWithFileAndLine) {
    Outcome huge = runText("load Tavrin {\"LeftMargin\": 1e999}\n");
    EXPECT_FALSE(huge.completed);
    EXPECT_TRUE(contains(huge.err, "s.tvs:1:")) << huge.err;
    Outcome dup = runText("load Tavrin {\"SelectMode\": 1, \"selectmode\": 0}\n");
    EXPECT_FALSE(dup.completed);
    EXPECT_TRUE(contains(dup.err, "appears twice")) << dup.err;
    Outcome screen = runText("screen 2147483647 2147483647\n");
    EXPECT_FALSE(screen.completed);
    Outcome twips = runText("screen 800 600 twips 0.001\n");
    EXPECT_FALSE(twips.completed);
    // A picture of a negative size or of a folder is an automation error the script sees.
    Outcome pictures = runText("expect error 5: set x = Picture(-1, 5, 0)\n"
                               "expect error 7: set x = Picture(2147483647, 2147483647, 0)\n"
                               "expect error 53: set x = LoadPicture(\".\")\n");
    EXPECT_EQ(pictures.passed, 3) << pictures.out << pictures.err;
    // A client size at the top of the 32-bit range is refused, not wrapped round by its frame.
    Outcome resize = runText("new Tavrin\nexpect error 7: resize 2147483647 2147483647\n"
                             "resize 150 100\nexpect List.ListCount = 0\n");
    EXPECT_EQ(resize.passed, 2) << resize.out << resize.err;
    EXPECT_EQ(resize.failed, 0) << resize.out;
}

TEST(ScriptLimits, AFailedLoadKeepsTheFormerControlAndNamesTheKey) {
    Outcome o = runText(
        "new Tavrin\nList.AddItem \"kept\"\nexpect error 6: load Tavrin {\"LeftMargin\": 100000}\n"
        "expect List.ListCount = 1\nload Tavrin {\"SelectMode\": \"many\"}\nexpect List.ListCount = 1\n");
    EXPECT_EQ(o.passed, 3) << o.out;
    EXPECT_EQ(o.failed, 1);
    // The one uncaught error names the script's line, the key and where the form came from.
    EXPECT_TRUE(contains(o.out, "s.tvs:5:")) << o.out;
    EXPECT_TRUE(contains(o.out, "\"SelectMode\"")) << o.out;
    EXPECT_TRUE(contains(o.out, "of s.tvs:5; the former control is kept")) << o.out;
    const std::string dir = ::testing::TempDir() + "/bad-form";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/bad.json") << R"({"type": "Tavrin", "name": "L", "width": 200, "height": 160,
        "properties": {"SelectMode": "many"}})";
    Outcome file = runText("new Tavrin\nload Tavrin \"" + dir + "/bad.json\"\n");
    EXPECT_TRUE(contains(file.out, "bad.json")) << file.out;
    EXPECT_TRUE(contains(file.out, "\"SelectMode\"")) << file.out;
}

// Nothing a script sets may leave a form that cannot be saved: a number beyond a double is refused
// where it is written, and an empty picture is saved as the empty picture it is.
TEST(ScriptLimits, ValuesAFormCannotKeepAreRefusedOrSavedAsWhatTheyMean) {
    Outcome literal = runText("new XPVScroll\nBar.Max = 1e999\n");
    EXPECT_FALSE(literal.completed);
    EXPECT_TRUE(contains(literal.err, "s.tvs:2:")) << literal.err;
    EXPECT_TRUE(contains(literal.err, "number too large")) << literal.err;
    Outcome product =
        runText("new XPVScroll\nexpect error 6: Bar.Max = 1e300 * 1e300\nexpect Bar.Max = 32767\n"
                "save \"bar-kept.json\"\n");
    EXPECT_TRUE(product.completed) << product.err;
    EXPECT_EQ(product.passed, 2) << product.out;
    Outcome empty = runText("new Tavrin\nset List.SelectionPicture = Picture(0, 0, 255)\n"
                            "List.SelectModeStyle = byPicture\nsave \"empty-picture.json\"\n"
                            "load Tavrin \"empty-picture.json\"\nexpect List.SelectionPicture.Width = 0\n"
                            "expect List.SelectionPicture.Handle <> 0\nsave \"empty-picture-again.json\"\n");
    EXPECT_TRUE(allHeld(empty, 2));
    auto bytes = [](const std::string& name) {
        std::ifstream in(::testing::TempDir() + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(bytes("empty-picture.json"), bytes("empty-picture-again.json"));
    EXPECT_TRUE(contains(bytes("empty-picture.json"), "\"png\": \"\"")) << bytes("empty-picture.json");
}

TEST(ScriptLimits, AFolderRunAsAScriptIsAnError) {
    std::ostringstream out, err;
    int status = runCommandLine({::testing::TempDir()}, out, err);
    EXPECT_EQ(status, 2);
    EXPECT_TRUE(contains(err.str(), "is a directory")) << err.str();
}

} // namespace
} // namespace tavrin::run
