#include "tools/tavrin-run/Parser.h"

#include <cctype>
#include <optional>

#include "tools/tavrin-run/LineParser.h"

namespace tavrin::run {

namespace {

// The comment of a line (what follows ' or # outside strings), empty when there is none.
std::string_view commentOf(std::string_view line) {
    bool inString = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') inString = !inString; // a doubled quote closes and opens again
        if (!inString && (c == '\'' || c == '#')) return line.substr(i + 1);
    }
    return {};
}

// The reason of a comment holding `headless only: REASON` (nullopt for any other comment).
std::optional<std::string> headlessOnlyReason(std::string_view comment) {
    constexpr std::string_view kMark = "headless only:";
    std::string lower(comment);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const size_t at = lower.find(kMark);
    if (at == std::string::npos) return std::nullopt;
    std::string reason(comment.substr(at + kMark.size()));
    while (!reason.empty() && (reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    while (!reason.empty() && reason.front() == ' ')
        reason.erase(0, 1);
    return reason;
}

} // namespace

Program parseScript(std::string_view source, const std::string& fileName) {
    Program program;
    program.text = std::make_shared<const std::string>(source);
    const std::string_view text = *program.text;
    program.fileName = fileName;
    std::vector<size_t> openLoops;
    int lineNo = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t nl = text.find('\n', start);
        std::string_view line =
            text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        ++lineNo;
        std::vector<Stmt> stmts;
        try {
            stmts = detail::LineParser(line, lineNo).run();
        } catch (const SyntaxError& e) {
            throw ScriptError(lineNo, std::string("syntax error: ") + e.what());
        }
        if (auto reason = headlessOnlyReason(commentOf(line))) {
            if (!stmts.empty())
                program.headlessOnly[lineNo] = *reason;
            else if (program.statements.empty())
                program.headlessOnly[0] = *reason; // alone before the first statement: the whole script
        }
        for (Stmt& s : stmts) {
            size_t index = program.statements.size();
            if (s.kind == StmtKind::For) openLoops.push_back(index);
            if (s.kind == StmtKind::Next) {
                if (openLoops.empty()) throw ScriptError(lineNo, "'next' without 'for'");
                s.jump = openLoops.back();
                program.statements[openLoops.back()].jump = index;
                openLoops.pop_back();
            }
            program.statements.push_back(std::move(s));
        }
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    if (!openLoops.empty())
        throw ScriptError(program.statements[openLoops.back()].line, "'for' without 'next'");
    return program;
}

} // namespace tavrin::run
