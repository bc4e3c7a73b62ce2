#include "tools/tavrin-run/Runner.h"

#include <filesystem>

#include "platform/software/Files.h"
#include "tools/tavrin-run/Parser.h"

namespace tavrin::run {

namespace {

constexpr int64_t kMaxScriptBytes = 16LL * 1024 * 1024;
constexpr const char* kUsage = "usage: tavrin-run [--trace] [--out DIR] SCRIPT.tvs...";

constexpr const char* kHelp = R"(usage: tavrin-run [--trace] [--out DIR] SCRIPT.tvs...

Runs scripts against the Tavrin list (or a stand-alone XPVScroll) on a simulated desktop.
  --trace     also print every event raised and every PropertyChanged
  --out DIR   where `snapshot` writes its PNGs (default: the current directory)
  --help      this summary
Exit status: 0 when every expect held, 1 when one failed, 2 on a script error.

A script is one statement per line; ' or # starts a comment. The statements:
  host set-up   screen W H [twips T] | syscolor N = RGB | ambient UserMode = False
                ambient Font = Font("DejaVu Sans", 8) | ambient DisplayName = "lstFruit"
                pictures fail "KEY"
  controls      new Tavrin [size W H] | new XPVScroll [size W H] | load Tavrin FILE | load Tavrin {JSON}
                save FILE | reload | terminate | resize W H
  calls         List.AddItem "Apple" | List.ListIndex = 3 | set List.Font = Font("DejaVu Serif", 10)
                ? List.ListCount | n = List.ListCount | for i = 0 to 9: List.AddItem "Item " & i: next
  checks        expect EXPR = VALUE (also <>, <, >, <=, >=) | expect EXPR ~ VALUE within T
                expect colour EXPR ~ RGB within T | expect error 381: STATEMENT
                expect events A, B(1, 0, 10, 25) | expect events none | expect changed ListIndex
                expect menu shown | expect menu hidden
  input         mouse move|down|up [left|right|middle] X Y [shift] [ctrl] [on sbUC] | click X Y
                key down CODE [shift] [ctrl] [alt] | key up CODE | key press ASCII | type "text"
                focus list | focus away | wait MS | menu choose N | menu cancel | about close
  pictures      snapshot "file.png" [of iUC | of sbUC]

The whole language, with an example for each statement: docs/scripting.md.
)";

struct CommandLine {
    bool help = false;
    bool trace = false;
    std::string outDir = ".";
    std::vector<std::string> scripts;
};

// False with a message for a malformed command line.
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& cl, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            cl.help = true;
            return true;
        } else if (a == "--trace") {
            cl.trace = true;
        } else if (a == "--out") {
            if (i + 1 >= args.size()) return error = "--out needs a directory", false;
            cl.outDir = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return error = "unknown option " + a, false;
        } else {
            cl.scripts.push_back(a);
        }
    }
    if (cl.scripts.empty()) return error = "no script given", false;
    return true;
}

} // namespace

bool runScriptText(std::string_view text, const std::string& fileName, const RunOptions& options,
                   Reporter& reporter) {
    Program program;
    try {
        program = parseScript(text, fileName);
    } catch (const ScriptError& e) {
        reporter.scriptError(fileName, e.line(), e.what());
        return false;
    }
    Interpreter interpreter(program, options, reporter);
    return interpreter.run();
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommandLine cl;
    std::string error;
    if (!parseCommandLine(args, cl, error)) {
        err << "tavrin-run: " << error << '\n' << kUsage << '\n';
        return 2;
    }
    if (cl.help) {
        out << kHelp;
        return 0;
    }
    Reporter reporter(out, err);
    for (const std::string& script : cl.scripts) {
        std::string source;
        try {
            source = software::readWholeFile(script, kMaxScriptBytes, "script");
        } catch (const software::FileError& e) {
            reporter.scriptError(script, 0, std::string("cannot read the script: ") + e.what());
            continue;
        }
        RunOptions options;
        options.trace = cl.trace;
        options.outDir = cl.outDir;
        std::filesystem::path dir = std::filesystem::path(script).parent_path();
        options.scriptDir = dir.empty() ? "." : dir.string();
        if (source.starts_with("\xEF\xBB\xBF")) source.erase(0, 3); // a UTF-8 byte order mark
        runScriptText(source, script, options, reporter);
    }
    reporter.summary();
    return reporter.exitCode();
}

} // namespace tavrin::run
