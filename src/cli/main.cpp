// varendo-solve: runs the window's Solve command over files of puzzles.

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/batch.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;    // an unreadable file, bad options, or output lost
constexpr int kExitBadLines = 2;   // some lines were no puzzles; the others were solved

struct Options {
    std::vector<std::string> files;
    bool json = false;
    bool steps = false;
    bool detailed_steps = false;
    bool path = false;
    int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
};

void solve_named_file(varendo::Batch& batch, const std::string& name) {
    std::error_code error;
    if (name == "-") {
        batch.read_file(stdin, "<stdin>");
        return;
    }
    if (std::filesystem::is_directory(name, error)) {
        batch.add_unreadable(name, "is a directory");
        return;
    }
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) {
        batch.add_unreadable(name, std::strerror(errno));
        return;
    }
    batch.read_file(file, name);
    std::fclose(file);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Solves Sudoku puzzles with Varendo's engine, as the window's Solve command does.\n\n"
        "Reads the named files, or standard input for - or when none is named. One puzzle\n"
        "per line, after any indentation: 81 characters, row by row from the top left, 1-9\n"
        "a given and 0 or . an empty cell; after white space the rest of the line is\n"
        "ignored. A file may start with a byte order mark. Blank lines and lines starting\n"
        "with # are skipped; any other line is reported on standard error with its file\n"
        "and line number, and the other puzzles are still solved.\n\n"
        "For each puzzle it clicks New, types the givens, ticks \"Save to File\" when asked,\n"
        "clicks Freeze and Solve, and prints one line: the grid after the command (row by\n"
        "row, . for empty), a tab, the message box text and, when solved, a tab and the\n"
        "difficulty line (and a tab and \"several solutions\" when the givens allow more\n"
        "than one). With a step file, its lines follow, indented by two spaces.\n\n"
        "Exit status: 0 when all went well, 2 when some lines were no puzzles, 1 for an\n"
        "unreadable file, bad options or output that could not be written.",
        "varendo-solve"};
    app.set_version_flag("--version", "varendo-solve " VARENDO_VERSION);
    Options options;
    app.add_option("files", options.files, "Puzzle files; - or none for standard input");
    auto* json_flag = app.add_flag("--json", options.json,
                 "Print one JSON object per puzzle with the keys puzzle, outcome, grid, colors "
                 "(g given, b placed, k typed, row by row), label1, label4, pass_count, "
                 "guess_count, steps and solutions (0, 1, or 2 for two or more)");
    auto* steps = app.add_flag("--steps", options.steps,
                               "Tick the visible \"Save to File\" box: the placement lines");
    auto* detailed = app.add_flag("--detailed-steps", options.detailed_steps,
                                  "Tick the hidden \"Save to File\" box: every step and failure line");
    app.add_flag("--path", options.path,
                 "With --json: add the key path, one object per event of Solve in order, each "
                 "with its \"attempt\". A placement has \"pass\" (the elimination pass), \"kind\" "
                 "(\"cell\": its candidates came down to one; \"unit\": the digit's only place "
                 "left in the unit; \"guess\"; \"search\": the complete search's solution), "
                 "\"row\" and \"column\" (1-9 from the top left), \"digit\", \"unit\" (\"column "
                 "3\", \"row 4\", \"box 6\", boxes numbered down the bands of columns; none for "
                 "search) and, for a guess, \"places\": how many places the digit had there. "
                 "Other events have \"event\": \"start\", \"stall\" and \"repeat\" (with "
                 "\"pass\", and for a repeat \"units\", those that repeat a digit), or \"reload\" "
                 "(the givens again, within the attempt)")
        ->needs(json_flag);
    app.add_option("-j,--jobs", options.jobs,
                   "Solve on this many threads (default: one per hardware thread); the output "
                   "is the same for any number")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos
                           ? std::string()
                           : "not a number: " + text;
            },
            "N"))
        ->check(CLI::Range(1, 256));
    steps->excludes(detailed);
    detailed->excludes(steps);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help and --version end here too, with status 0.
        return app.exit(error) == 0 ? kExitOk : kExitFailure;
    }

    // A closed pipe shows up as a failed write, not as a signal.
    std::signal(SIGPIPE, SIG_IGN);
    varendo::BatchOptions batch_options;
    batch_options.mode = options.steps            ? varendo::StepMode::Visible
                         : options.detailed_steps ? varendo::StepMode::Detailed
                                                  : varendo::StepMode::Off;
    batch_options.json = options.json;
    batch_options.path = options.path;
    batch_options.jobs = options.jobs;
    varendo::Batch batch(batch_options);
    try {
        if (options.files.empty()) {
            batch.read_file(stdin, "<stdin>");
        } else {
            for (const std::string& name : options.files) solve_named_file(batch, name);
        }
        batch.finish();
    } catch (const varendo::OutputClosed& closed) {
        if (closed.broken_pipe) return kExitOk;
        std::fprintf(stderr, "varendo-solve: cannot write the output: %s\n", std::strerror(errno));
        return kExitFailure;
    }
    if (batch.had_unreadable_file()) return kExitFailure;
    return batch.had_bad_lines() ? kExitBadLines : kExitOk;
}
