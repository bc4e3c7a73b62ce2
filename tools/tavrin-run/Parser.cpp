#include "tools/tavrin-run/Parser.h"

#include "tools/tavrin-run/LineParser.h"

namespace tavrin::run {

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
