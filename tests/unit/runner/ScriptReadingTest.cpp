// Reading scripts: tokens, statements, loops and the errors that name their line.
#include <gtest/gtest.h>

#include "tools/tavrin-run/Lexer.h"
#include "tools/tavrin-run/Parser.h"

namespace tavrin::run {
namespace {

Token single(const std::string& text) {
    auto tokens = tokenize(text);
    EXPECT_EQ(tokens.size(), 2u) << text;
    return tokens.front();
}

TEST(RunnerLexer, IntegersAndHexPatterns) {
    struct Case {
        const char* text;
        int64_t value;
    } cases[] = {
        {"12", 12},
        {"&H8000000D", -2147483635},
        {"&HC08040&", 0xC08040},
        {"0x8000000D", -2147483635},
        {"&HFFFF", 65535},
        {"&hff", 255},
    };
    for (const Case& c : cases) {
        Token t = single(c.text);
        EXPECT_EQ(t.kind, TokenKind::Integer) << c.text;
        EXPECT_EQ(t.integer, c.value) << c.text;
    }
    EXPECT_EQ(single("0.5").kind, TokenKind::Real);
    EXPECT_DOUBLE_EQ(single("2.25").real, 2.25);
}

TEST(RunnerLexer, StringsBracketsBagsAndComments) {
    EXPECT_EQ(single("\"say \"\"hi\"\"\"").text, "say \"hi\"");
    EXPECT_EQ(single("\"\"").text, "");
    EXPECT_EQ(single("[Fixed Single]").text, "Fixed Single");
    EXPECT_EQ(single("{\"a\": \"}\", \"b\": {\"c\": 1}}").kind, TokenKind::Json);
    // Comment marks inside strings are text; outside they end the line.
    EXPECT_EQ(tokenize("? \"it's # here\" ' comment").size(), 3u);
    EXPECT_EQ(tokenize("List.Clear # comment").size(), 4u);
    EXPECT_TRUE(tokenize("a := b")[1].isSymbol(":="));
    EXPECT_TRUE(tokenize("a <> b")[1].isSymbol("<>"));
}

TEST(RunnerLexer, MalformedTokensAreRejected) {
    for (const char* bad : {"\"open", "&H123456789", "[3D", "{\"a\": 1", "12abc", "a $ b"})
        EXPECT_THROW(tokenize(bad), SyntaxError) << bad;
}

TEST(RunnerParser, CallsTakeNamedAndMissingArguments) {
    Program p =
        parseScript("List.FindFirst \"ab\", , True\nList.FindFirst(\"ab\", StartWith:=True)", "t.tvs");
    ASSERT_EQ(p.statements.size(), 2u);
    const Stmt& a = p.statements[0];
    EXPECT_EQ(a.kind, StmtKind::Call);
    ASSERT_EQ(a.args.size(), 3u);
    EXPECT_EQ(a.args[1].value, nullptr);
    const Stmt& b = p.statements[1];
    ASSERT_EQ(b.args.size(), 2u);
    EXPECT_EQ(b.args[1].name, "StartWith");
}

TEST(RunnerParser, StatementForms) {
    struct Case {
        const char* text;
        StmtKind kind;
    } cases[] = {
        {"List.ListIndex = 3", StmtKind::Assign},
        {"set List.SelectionPicture = Picture(40, 16, &H00FF00)", StmtKind::SetObject},
        {"List.Font.Bold = True", StmtKind::Assign},
        {"? List.ListIndex", StmtKind::Print},
        {"expect List.TopIndex ~ 16 within 1", StmtKind::Expect},
        {"expect colour List.iUC.Point(1, 2) ~ &HFF within 3", StmtKind::Expect},
        {"expect error 381: List.ItemText(9) = \"x\"", StmtKind::ExpectError},
        {"expect events A, B(1, 0, 10, 25), C", StmtKind::ExpectLog},
        {"expect changed none", StmtKind::ExpectLog},
        {"expect menu shown", StmtKind::ExpectMenu},
        {"mouse move 10 -5 left shift on sbUC", StmtKind::Mouse},
        {"key down 40 shift ctrl", StmtKind::Key},
        {"load Tavrin {\"SelectMode\": 1}", StmtKind::Load},
        {"save saved.frm", StmtKind::Save},
        {"snapshot \"a.png\" of iUC", StmtKind::Snapshot},
        {"screen 800 600 twips 12", StmtKind::Screen},
        {"ambient Font = Font(\"DejaVu Sans\", 8)", StmtKind::Ambient},
    };
    for (const Case& c : cases) {
        Program p = parseScript(c.text, "t.tvs");
        ASSERT_EQ(p.statements.size(), 1u) << c.text;
        EXPECT_EQ(p.statements[0].kind, c.kind) << c.text;
    }
}

TEST(RunnerParser, InputModifiersAndButtons) {
    const Stmt s = parseScript("mouse move 10 -5 left right shift on sbUC", "t").statements[0];
    EXPECT_EQ(s.buttons, 3);
    EXPECT_EQ(s.shift, 1);
    EXPECT_EQ(s.window, "sbUC");
    ASSERT_EQ(s.exprs.size(), 2u); // -5 is a coordinate, not a subtraction
    const Stmt d = parseScript("mouse down right 1 2 ctrl", "t").statements[0];
    EXPECT_EQ(d.button, 2);
    EXPECT_EQ(d.shift, 2);
}

TEST(RunnerParser, LoopsLinkAcrossColonsAndLines) {
    Program p = parseScript("for i = 0 to 3: List.AddItem \"x\" & i: next\nfor j = 1 to 2\n? j\nnext j", "t");
    ASSERT_EQ(p.statements.size(), 6u);
    EXPECT_EQ(p.statements[0].jump, 2u);
    EXPECT_EQ(p.statements[2].jump, 0u);
    EXPECT_EQ(p.statements[3].jump, 5u);
}

TEST(RunnerParser, ErrorsNameTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"new Tavrin\nList.ListIndex =", 2, "expected a value"},
        {"new Tavrin\n\n? \"open", 3, "unterminated string"},
        {"next", 1, "'next' without 'for'"},
        {"' comment\nfor i = 1 to 2", 2, "'for' without 'next'"},
        {"expect List.ListIndex", 0, nullptr}, // a bare expect is valid
        {"new Widget", 1, "Tavrin or XPVScroll"},
        {"mouse down left 1 2 sideways", 1, "unexpected word"},
        {"expect colour 1 = 2", 1, "expected '~'"},
        {"expect 1 ~ 2", 1, "within"},
        {"ambient Colour = 1", 1, "unknown ambient property"},
        {"List.AddItem(\"a\") 1", 1, "unexpected text"},
    };
    for (const Case& c : cases) {
        if (!c.message) {
            EXPECT_NO_THROW(parseScript(c.text, "t.tvs")) << c.text;
            continue;
        }
        try {
            parseScript(c.text, "t.tvs");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.line(), c.line) << c.text;
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.text << " -> " << e.what();
        }
    }
}

} // namespace
} // namespace tavrin::run

namespace tavrin::run {
namespace {

// Checks marked `headless only` in a comment: by line, the whole script when the mark stands
// alone before the first statement; a mark inside a string or after another comment's text counts
// only where it is a comment.
TEST(RunnerParser, HeadlessOnlyMarks) {
    Program whole = parseScript("' headless only: pixels of the rasteriser\nnew Tavrin\n", "a.tvs");
    ASSERT_EQ(whole.headlessOnly.size(), 1u);
    EXPECT_EQ(whole.headlessOnly.at(0), "pixels of the rasteriser");

    Program lines = parseScript("new Tavrin\n"
                                "' headless only: a lone mark after the first statement marks nothing\n"
                                "expect List.ListCount = 0   ' 0 items; Headless Only: text metrics\n"
                                "? \"' headless only: in a string\"\n"
                                "expect List.ListCount = 0   # headless only:   spaces  \n",
                                "b.tvs");
    ASSERT_EQ(lines.headlessOnly.size(), 2u);
    EXPECT_EQ(lines.headlessOnly.at(3), "text metrics");
    EXPECT_EQ(lines.headlessOnly.at(5), "spaces");
    EXPECT_EQ(lines.headlessOnly.count(4), 0u);
    EXPECT_EQ(lines.headlessOnly.count(2), 0u);
}

} // namespace
} // namespace tavrin::run
