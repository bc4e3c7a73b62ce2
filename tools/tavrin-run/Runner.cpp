#include "tools/tavrin-run/Runner.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/tavrin-run/Parser.h"

namespace tavrin::run {

namespace {

constexpr const char* kUsage = "usage: tavrin-run [--trace] [--out DIR] SCRIPT.tvs...";

struct CommandLine {
    bool trace = false;
    std::string outDir = ".";
    std::vector<std::string> scripts;
};

// False with a message for a malformed command line.
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& cl, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--trace") {
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
    Reporter reporter(out, err);
    for (const std::string& script : cl.scripts) {
        std::ifstream in(script, std::ios::binary);
        if (!in) {
            reporter.scriptError(script, 0, "cannot read the script");
            continue;
        }
        std::stringstream text;
        text << in.rdbuf();
        RunOptions options;
        options.trace = cl.trace;
        options.outDir = cl.outDir;
        std::filesystem::path dir = std::filesystem::path(script).parent_path();
        options.scriptDir = dir.empty() ? "." : dir.string();
        std::string source = text.str();
        if (source.starts_with("\xEF\xBB\xBF")) source.erase(0, 3); // a UTF-8 byte order mark
        runScriptText(source, script, options, reporter);
    }
    reporter.summary();
    return reporter.exitCode();
}

} // namespace tavrin::run
