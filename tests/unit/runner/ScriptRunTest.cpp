// Running scripts end to end on the simulated desktop: values, checks, logs, errors, the input
// pump and the exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ScriptOutcome.h"
#include "tools/tavrin-run/Runner.h"
#include "tools/tavrin-run/Values.h"

namespace tavrin::run {
namespace {

Outcome runText(const std::string& text, bool trace = false) {
    RunOptions options;
    options.trace = trace;
    return runScript(text, options);
}

TEST(RunnerValues, OperatorsAndComparisons) {
    EXPECT_EQ(applyOperator("&", Variant::string("Item "), Variant::i4(3)), Variant::string("Item 3"));
    EXPECT_EQ(applyOperator("+", Variant::i4(2), Variant::i4(3)).type(), VarType::I4);
    EXPECT_EQ(applyOperator("/", Variant::i4(1), Variant::i4(2)), Variant::r8(0.5));
    EXPECT_THROW(applyOperator("/", Variant::i4(1), Variant::i4(0)), AutomationError);
    EXPECT_TRUE(valuesEqual(Variant::i2(3), Variant::r8(3.0))); // numbers by value
    EXPECT_TRUE(valuesEqual(Variant::boolean(true), Variant::i4(-1)));
    EXPECT_FALSE(valuesEqual(Variant::string("3"), Variant::string("3.0")));
    EXPECT_TRUE(valuesEqual(Variant::string("3.0"), Variant::i4(3)));
    EXPECT_LT(compareValues(Variant::i4(2), Variant::r8(2.5)), 0);
    EXPECT_EQ(enumValue("gradient_v"), 2);
    EXPECT_EQ(enumValue("Fixed Single"), 1);
    EXPECT_EQ(enumValue("3D"), 1);
    EXPECT_FALSE(enumValue("Purple").has_value());
}

TEST(RunnerRun, ExpressionsPrintAsTheHostWritesThem) {
    Outcome o = runText("? 1 + 2 * 3\n? \"a\" & 1.5\n? 7 / 2\n? True\n? &H8000000D\n? -(2)\n? \"q\"\"q\"");
    EXPECT_TRUE(o.completed) << o.err;
    EXPECT_EQ(o.out, "7\na1.5\n3.5\nTrue\n-2147483635\n-2\nq\"q\n");
}

TEST(RunnerRun, ExpectFormsCountAndReport) {
    Outcome o =
        runText("expect 3 = 3\nexpect 3 <> 3\nexpect 2.9 ~ 3 within 0.2\nexpect 4 ~ 3 within 0.5\n"
                "expect colour &H102030 ~ &H112131 within 1\nexpect colour &H102030 ~ &H102035 within 2\n"
                "expect \"b\" > \"a\"\nexpect 1 >= 2");
    EXPECT_EQ(o.passed, 4);
    EXPECT_EQ(o.failed, 4);
    EXPECT_TRUE(contains(o.out, "s.tvs:2: expected 3 <> 3, got 3\n")) << o.out;
    EXPECT_TRUE(contains(o.out, "s.tvs:4: expected 4 ~ 3 within 0.5, got 4\n")) << o.out;
    EXPECT_TRUE(contains(o.out, "s.tvs:6: expected colour &H102030 ~ &H102035 within 2, got &H102030"))
        << o.out;
}

TEST(RunnerRun, LoopsRunTheirBodyAndKeepIntegers) {
    Outcome o = runText("t = \"\"\nfor i = 1 to 3: t = t & i: next\nexpect t = \"123\"\n"
                        "n = 0\nfor k = 10 to 1 step -3\nn = n + k\nnext\nexpect n = 22\n"
                        "for e = 5 to 1: n = 0: next\nexpect n = 22");
    EXPECT_TRUE(allHeld(o, 3));
}

TEST(RunnerRun, ListCallsErrorsAndEventLogs) {
    Outcome o = runText("new Tavrin\nfor i = 0 to 4: List.AddItem \"Item \" & i: next\n"
                        "expect List.ListCount = 5\n"
                        "expect error 381: List.ItemText(5) = \"x\"\n"
                        "List.ItemText(9) = \"x\"\n" // uncaught: a failed expectation
                        "expect List.FindFirst(\"Item 3\", , True) = 3\n"
                        "expect List.FindFirst(\"Item 4\", StartWith:=True) = 4\n"
                        "List.ListIndex = 2\n"
                        "expect changed ListIndex\n"
                        "expect events ListIndexChange\n"
                        "expect events none\n"
                        "List.ListIndex = 1\n"
                        "expect events Click\n");
    EXPECT_TRUE(o.completed) << o.err;
    EXPECT_EQ(o.passed, 7);
    EXPECT_EQ(o.failed, 2);
    EXPECT_TRUE(contains(o.out, "s.tvs:5: expected no error, got error 381 (")) << o.out;
    EXPECT_TRUE(contains(o.out, "s.tvs:13: expected events Click, got events ListIndexChange")) << o.out;
}

TEST(RunnerRun, ClickGivesMouseEventsWithArguments) {
    Outcome o = runText("new Tavrin\nList.AddItem \"a\"\nclick 10 5\n"
                        "expect events ListIndexChange, MouseDown(1, 0, 10, 5), MouseUp, Click",
                        true);
    EXPECT_EQ(o.failed, 0) << o.out;
    EXPECT_TRUE(contains(o.out, "event List.MouseDown(1, 0, 10, 5)\n")) << o.out;
    EXPECT_TRUE(contains(o.out, "changed List.ListIndex\n")) << o.out;
}

TEST(RunnerRun, ScriptErrorsStopTheScriptAndNameTheLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"new Tavrin\n? List.NoSuchThing", "s.tvs:2: script error: List has no member NoSuchThing"},
        {"new Tavrin\n? List.p_NoSuchField", "s.tvs:2: script error: List has no readable private field"},
        {"? List.ListIndex", "s.tvs:1: script error: there is no List"},
        {"new Tavrin\nmenu choose 1", "s.tvs:2: script error: no popup menu is open"},
        {"new Tavrin\nList.p_LastIndex = 3", "s.tvs:2: script error: List.p_LastIndex is private"},
        {"new Tavrin\nList.Width = 3", "s.tvs:2: script error: List.Width is read-only"},
        {"new Tavrin\nscreen 800 600", "s.tvs:2: script error: `screen` must come before"},
        {"? Purple", "s.tvs:1: script error: unknown name Purple"},
        {"load Tavrin no-such-file.frm", "s.tvs:1: script error:"},
    };
    for (const Case& c : cases) {
        Outcome o = runText(std::string(c.text) + "\n? \"after\"");
        EXPECT_FALSE(o.completed) << c.text;
        EXPECT_TRUE(contains(o.err, c.message)) << c.text << " -> " << o.err;
        EXPECT_FALSE(contains(o.out, "after")) << c.text;
    }
}

TEST(RunnerRun, PumpRunsTheDragAndStopsAScriptThatEndsInside) {
    Outcome drag = runText("new Tavrin\nfor i = 0 to 49: List.AddItem \"Item \" & i: next\n"
                           "mouse down left 10 5\nmouse move 10 200 left\nc = Host.Clock\nwait 1000\n"
                           "expect Host.Clock - c >= 1000\nmouse up left 10 200\nexpect List.TopIndex > 0");
    EXPECT_TRUE(drag.completed) << drag.err;
    EXPECT_EQ(drag.failed, 0) << drag.out;
    Outcome held = runText("new Tavrin\nfor i = 0 to 49: List.AddItem \"Item \" & i: next\n"
                           "mouse down left 10 5\nmouse move 10 200 left");
    EXPECT_FALSE(held.completed);
    EXPECT_TRUE(
        contains(held.err, "s.tvs:4: script error: the script ended while the control was still waiting"))
        << held.err;
}

TEST(RunnerRun, SaveReloadAndInlineBags) {
    Outcome o =
        runText("load Tavrin {\"SelectMode\": 1, \"ItemHeightAuto\": false, \"ItemHeight\": 30}\n"
                "expect List.SelectMode = Multiple\nexpect List.ItemHeight = 30\n"
                "List.WordWrap = False\nsave \"runner-saved.frm\"\nreload\nexpect List.WordWrap = False\n"
                "load Tavrin \"runner-saved.frm\"\nexpect List.ItemHeight = 30\nexpect events none");
    EXPECT_TRUE(allHeld(o, 5));
}

TEST(RunnerCommandLine, ExitStatusAndSummary) {
    namespace fs = std::filesystem;
    fs::path dir = fs::path(::testing::TempDir()) / "runner-cli";
    fs::create_directories(dir);
    auto write = [&](const char* name, const char* text) {
        std::ofstream(dir / name) << text;
        return (dir / name).string();
    };
    std::string good = write("good.tvs", "expect 1 = 1\n");
    std::string bad = write("bad.tvs", "expect 1 = 2\n");
    std::string broken = write("broken.tvs", "expect 1 =\n");
    auto run = [](std::vector<std::string> args, std::string* outText = nullptr) {
        std::ostringstream out, err;
        int code = runCommandLine(args, out, err);
        if (outText) *outText = out.str();
        return code;
    };
    std::string out;
    EXPECT_EQ(run({good, good}, &out), 0);
    EXPECT_EQ(out, "2 passed, 0 failed\n");
    EXPECT_EQ(run({good, bad}, &out), 1);
    EXPECT_TRUE(contains(out, "1 passed, 1 failed\n"));
    // A script error ends its own script only: the summary counts the scripts after it too.
    EXPECT_EQ(run({broken, good, bad}, &out), 2);
    EXPECT_EQ(out, bad + ":1: expected 1 = 2, got 1\n1 passed, 1 failed\n");
    EXPECT_EQ(run({(dir / "missing.tvs").string(), good}, &out), 2);
    EXPECT_EQ(out, "1 passed, 0 failed\n");
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"--bogus", good}), 2);
    EXPECT_EQ(run({"--trace", "--out", dir.string(), good}), 0);
    // --help runs nothing and points to the language's documentation
    EXPECT_EQ(run({"--help", bad}, &out), 0);
    EXPECT_TRUE(contains(out, "expect error 381: STATEMENT")) << out;
    EXPECT_TRUE(contains(out, "docs/scripting.md")) << out;
}

} // namespace
} // namespace tavrin::run

namespace tavrin::run {
namespace {

TEST(RunnerFaults, AnExpectThatRaisesSaysWhatItExpected) {
    Outcome o = runText("new Tavrin\nexpect List.ItemText(4) = \"x\"\nkey down 70000\nwait -5\n? \"after\"");
    EXPECT_EQ(o.failed, 2) << o.out;
    EXPECT_TRUE(contains(o.out, "s.tvs:2: expected List.ItemText(4) = \"x\", got error 381")) << o.out;
    // A key code is a 16-bit integer: too large is an overflow, not a different key.
    EXPECT_TRUE(contains(o.out, "s.tvs:3: expected no error, got error 6")) << o.out;
    EXPECT_FALSE(o.completed);
    EXPECT_TRUE(contains(o.err, "s.tvs:4: script error: the clock cannot go back")) << o.err;
}

TEST(RunnerFaults, PrintedComparisonsAndSpacedIndexes) {
    Outcome o = runText("x = 3\n? x = 3, x <> 3, (x > 2) = True\nnew Tavrin\nList.AddItem \"a\"\n"
                        "List.ItemText (0) = \"b\"\n? List.ItemText (0)\nfound = List.FindFirst(\"b\", , "
                        "True) >= 0\n? found");
    EXPECT_TRUE(o.completed) << o.err;
    EXPECT_EQ(o.out, "True False True\nb\nTrue\n");
}

TEST(RunnerFaults, ColourChecksReadSystemColoursAsTheirRgb) {
    Outcome o = runText("syscolor 13 = &H102030\nexpect colour &H8000000D ~ &H102030 within 0\n"
                        "expect colour &H8000000D ~ &H102040 within 8\n");
    EXPECT_EQ(o.passed, 1);
    EXPECT_TRUE(contains(o.out, "s.tvs:3: expected colour &H8000000D ~ &H102040 within 8, got &H102030"))
        << o.out;
}

TEST(RunnerFaults, SetUpBeforeTheScreenIsKept) {
    Outcome o = runText("pictures fail \"*\"\nsyscolor 40 = &H123456\nscreen 800 600\n"
                        "expect colour &H80000028 ~ &H123456 within 0\nnew Tavrin\n"
                        "expect List.sbUC.p_CurUp = \"\"");
    EXPECT_EQ(o.failed, 0) << o.out;
    EXPECT_EQ(o.passed, 2);
}

// The name the host gives a control shows in its saved form.
TEST(RunnerFaults, ControlsTakeTheFirstNameOfTheirTypeOrTheSavedOne) {
    namespace fs = std::filesystem;
    auto savedName = [](const char* file) {
        std::ifstream in(fs::path(::testing::TempDir()) / file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    Outcome o = runText("new Tavrin\nnew Tavrin\nsave \"n1.frm\"\nreload\nsave \"n2.frm\"\n"
                        "new XPVScroll\nnew XPVScroll\nsave \"n3.frm\"\nambient DisplayName = \"lstFruit\"\n"
                        "new Tavrin\nsave \"n4.frm\"\nload Tavrin \"n1.frm\"\nsave \"n5.frm\"\n");
    ASSERT_TRUE(o.completed) << o.err;
    EXPECT_TRUE(contains(savedName("n1.frm"), "\"name\": \"Tavrin1\""));
    EXPECT_TRUE(contains(savedName("n2.frm"), "\"name\": \"Tavrin1\""));
    EXPECT_TRUE(contains(savedName("n3.frm"), "\"name\": \"XPVScroll1\""));
    EXPECT_TRUE(contains(savedName("n4.frm"), "\"name\": \"lstFruit\""));
    EXPECT_TRUE(contains(savedName("n5.frm"), "\"name\": \"lstFruit\"")); // the script's name wins
    Outcome next = runText("load Tavrin \"n4.frm\"\nsave \"n6.frm\"\nreload\nsave \"n7.frm\"");
    ASSERT_TRUE(next.completed) << next.err;
    EXPECT_TRUE(contains(savedName("n6.frm"), "\"name\": \"lstFruit\""));
    EXPECT_TRUE(contains(savedName("n7.frm"), "\"name\": \"lstFruit\""));
}

} // namespace
} // namespace tavrin::run
