// varendo-solve: runs the window's Solve command over files of puzzles, answers them with
// the complete search alone, or makes puzzles of a level.

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <variant>
#include <vector>

#include <unistd.h>

#include "cli/batch_steps.h"
#include "cli/logic_report.h"
#include "cli/picture_step.h"
#include "cli/rating_range.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;    // an unreadable file, bad options, output lost, a puzzle not made
constexpr int kExitBadLines = 2;   // some lines were no puzzles; the others were solved

struct Options {
    std::vector<std::string> files;
    bool json = false;
    bool steps = false;
    bool detailed_steps = false;
    bool answer = false;
    bool rate = false;
    bool explain = false;
    std::string ladder = "human";
    bool picture = false;
    bool no_progress = false;
    std::uint64_t generate = 0;
    varendo::GenerateRequest request;
    bool path = false;
    int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
};

// The bytes of the named files, when all are files on disk; 0 when that is not known.
std::uint64_t total_size(const std::vector<std::string>& names) {
    std::uint64_t total = 0;
    for (const std::string& name : names) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(name, error)) return 0;
        total += std::filesystem::file_size(name, error);
    }
    return total;
}

std::uint64_t random_seed() {
    std::random_device device;
    return static_cast<std::uint64_t>(device()) << 32 | device();
}

// A whole number in [low, high], read exactly: digits with an optional minus sign. A number
// outside the range, however far, is told so with the range, never clamped into it.
CLI::Validator whole_number(std::uint64_t low, std::uint64_t high) {
    const std::string range = "(" + std::to_string(low) + " to " + std::to_string(high) + ")";
    return CLI::Validator(
        [low, high, range](const std::string& text) {
            const bool negative = text.starts_with('-');
            const std::string_view digits = std::string_view(text).substr(negative ? 1 : 0);
            if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
                return "not a number: " + text;
            std::uint64_t value = 0;
            const bool read = std::from_chars(digits.data(), digits.data() + digits.size(), value).ec == std::errc();
            if (read && !negative && value >= low && value <= high) return std::string();
            return text + " is out of range " + range;
        },
        "N");
}

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
        "With --answer it skips Solve and prints what the complete search alone finds: the\n"
        "puzzle, a tab, the number of solutions (0, 1, or 2 for two or more) and, when there\n"
        "is one, a tab and the first solution found.\n\n"
        "With --generate N it makes N puzzles of the --level asked, one line of 81\n"
        "characters each (. for an empty cell), each with exactly one solution and rated at\n"
        "that level by Solve itself; the puzzles of the three harder levels are minimal (no\n"
        "given, or with --symmetry rotate180 no pair of givens, can go without opening a\n"
        "second solution), an easy one keeps no given it could lose and still rate 0. The\n"
        "same --seed gives the same puzzles, whatever -j; without one, the seed used is\n"
        "printed on standard error. The output is input for the tool itself. With\n"
        "--rating A-B instead of --level, each is minimal and rated A to B (ER, below).\n\n"
        "With --rate it explains each puzzle by logic alone and prints the puzzle, a tab,\n"
        "ER/EP/ED as Sudoku Explainer's ladder rates it (the hardest step, the hardest up to\n"
        "the first placement, the first step; 20.0 when its techniques cannot finish) and a\n"
        "tab and the human ladder's level (Easy, Medium, Hard, Unfair, Extreme) and score; a\n"
        "puzzle with no solution or several says so instead. With --explain it prints the\n"
        "puzzle, a tab and the outcome, then each step of the --ladder asked on a line of its\n"
        "own, indented by two spaces: its rating, a tab and what it finds. Rows and columns\n"
        "are numbered 1-9 from the top left, boxes down the bands of columns.\n\n"
        "When standard error is a terminal, a run that lasts over a second shows a progress\n"
        "line there: puzzles done, the rate and, when the total is known, the time left.\n\n"
        "With --picture it reads the puzzle in each picture named instead: one line each,\n"
        "the puzzle read (. for empty), or with --json an object with the corners found and\n"
        "the cells in doubt.\n\n"
        "Exit status: 0 when all went well, 2 when some lines were no puzzles (or some\n"
        "pictures had no grid or cells in doubt), 1 for an unreadable file or picture, bad\n"
        "options, output that could not be written or a puzzle that could not be made.",
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
    auto* path = app.add_flag("--path", options.path,
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
                   "Work on this many threads (default: one per hardware thread); the output "
                   "is the same for any number")
        ->check(whole_number(1, 256));
    auto* answer = app.add_flag("--answer", options.answer,
                                "Skip Solve: print the puzzle, a tab, the number of solutions (0, 1, or 2 for "
                                "two or more) and a tab and the first solution when there is one; with "
                                "--json, the keys puzzle, solutions and solution (null when there is none)");
    auto* picture = app.add_flag("--picture", options.picture,
                                 "Read the puzzle in each picture named (a screenshot, a scan or a photo): one "
                                 "line each, the puzzle (. for empty); with --json the keys file, puzzle, "
                                 "uncertain (the cells in doubt, as row and column), solutions (0, 1, or 2 for "
                                 "two or more) and grid (the corners found, in pixels: top left, top right, "
                                 "bottom right, bottom left). A picture without a grid or with cells in doubt "
                                 "is named on standard error, and the exit status is 2");
    auto* generate = app.add_option("--generate", options.generate,
                                    "Make this many puzzles instead of reading any, one line each")
                         ->check(whole_number(1, std::uint64_t{1} << 40));
    const std::map<std::string, varendo::Level> levels{
        {"easy", varendo::Level::Easy},
        {"medium", varendo::Level::Medium},
        {"difficult", varendo::Level::Difficult},
        {"very-difficult", varendo::Level::VeryDifficult}};
    std::string level_text;
    auto* level = app.add_option("--level", level_text,
                                 "The level of the puzzles made, as Solve rates them: easy (0), medium (1), "
                                 "difficult (2) or very-difficult (3 and more)")
                      ->check(CLI::IsMember({"easy", "medium", "difficult", "very-difficult"}));
    std::string rating_text;
    auto* rating = app.add_option("--rating", rating_text,
                                  "Instead of a level, the range of ER the puzzles made have on Sudoku "
                                  "Explainer's ladder, low-high with one decimal from 1.0 to 12.0 (7.0-7.9)")
                       ->check(CLI::Validator(
                           [](const std::string& text) {
                               const auto range = varendo::parse_rating_range(text);
                               return std::holds_alternative<std::string>(range) ? std::get<std::string>(range)
                                                                                 : std::string();
                           },
                           "A-B"))
                       ->excludes(level);
    std::string symmetry_text = "rotate180";
    auto* symmetry = app.add_option("--symmetry", symmetry_text,
                                    "none, or rotate180: each given with its partner half a turn about the "
                                    "centre, as the window makes them (the default)")
                         ->check(CLI::IsMember({"none", "rotate180"}));
    auto* seed = app.add_option("--seed", options.request.seed,
                                "Begin the series of puzzles from this number (default: a random one, "
                                "printed on standard error)")
                    ->check(whole_number(0, std::numeric_limits<std::uint64_t>::max()));
    auto* tries = app.add_option("--tries", options.request.tries,
                                 "Give up a puzzle after this many full grids (default 1000)")
                      ->check(whole_number(1, std::numeric_limits<int>::max()));
    auto* rate = app.add_flag("--rate", options.rate,
                              "Rate each puzzle by logic: ER/EP/ED and the human level and score; with "
                              "--json, the keys puzzle, outcome, er, ep, ed, level, score, solved and "
                              "techniques (name: count of the human ladder's steps)");
    auto* explain = app.add_flag("--explain", options.explain,
                                 "Explain each puzzle step by step; with --json, the keys puzzle, outcome "
                                 "and steps, each step with technique, rating, placements and "
                                 "eliminations ({row, column, digit}), cells, units and text");
    app.add_option("--ladder", options.ladder,
                   "The ladder --explain climbs: human (the easiest step first, the default) or se "
                   "(Sudoku Explainer's order)")
        ->check(CLI::IsMember({"human", "se"}))
        ->needs(explain);
    app.add_flag("--no-progress", options.no_progress, "Show no progress line on standard error");
    steps->excludes(detailed);
    detailed->excludes(steps);
    answer->excludes(steps)->excludes(detailed)->excludes(path);
    for (CLI::Option* logic : {rate, explain})
        logic->excludes(steps)->excludes(detailed)->excludes(path)->excludes(answer)->excludes(generate);
    rate->excludes(explain);
    generate->excludes(answer)->excludes(steps)->excludes(detailed);
    generate->excludes("files")->excludes("--json");
    for (CLI::Option* option : {level, rating, symmetry, seed, tries}) option->needs(generate);
    picture->excludes(answer)->excludes(steps)->excludes(detailed)->excludes(path)->excludes(generate)->needs("files");
    try {
        app.parse(argc, argv);
        if (generate->count() > 0 && level->count() + rating->count() == 0)
            throw CLI::RequiresError("--generate", "--level or --rating");
    } catch (const CLI::ParseError& error) {
        // --help and --version end here too, with status 0.
        return app.exit(error) == 0 ? kExitOk : kExitFailure;
    }

    if (!level_text.empty()) options.request.level = levels.at(level_text);
    if (!rating_text.empty()) options.request.rating = std::get<varendo::RatingRange>(varendo::parse_rating_range(rating_text));
    options.request.symmetry = symmetry_text == "none" ? varendo::Symmetry::None : varendo::Symmetry::Rotate180;

    // A closed pipe shows up as a failed write, not as a signal.
    std::signal(SIGPIPE, SIG_IGN);
    const varendo::StepMode mode = options.steps            ? varendo::StepMode::Visible
                                   : options.detailed_steps ? varendo::StepMode::Detailed
                                                            : varendo::StepMode::Off;
    std::atomic<bool> doubtful_picture = false;
    varendo::StepFactory make_step = [&options, mode, &doubtful_picture]() -> std::unique_ptr<varendo::BatchStep> {
        if (options.picture) return std::make_unique<varendo::PictureStep>(options.files, options.json, doubtful_picture);
        if (options.generate > 0) return std::make_unique<varendo::GenerateStep>(options.request);
        if (options.answer) return std::make_unique<varendo::AnswerStep>(options.json);
        if (options.rate) return std::make_unique<varendo::RateStep>(options.json);
        if (options.explain)
            return std::make_unique<varendo::ExplainStep>(
                options.ladder == "se" ? varendo::logic::Ladder::Explainer : varendo::logic::Ladder::Human, options.json);
        return std::make_unique<varendo::SolveStep>(mode, options.json, options.path);
    };
    if (options.generate > 0 && seed->count() == 0) {
        options.request.seed = random_seed();
        std::fprintf(stderr, "varendo-solve: seed %llu\n", static_cast<unsigned long long>(options.request.seed));
    }
    varendo::Progress progress(!options.no_progress && isatty(STDERR_FILENO) == 1, isatty(STDOUT_FILENO) == 1);
    if (options.picture) {
        progress.set_total_items(options.files.size());
    } else {
        progress.set_total_items(options.generate);
        progress.set_total_bytes(total_size(options.files));
    }
    varendo::Batch batch(options.jobs, make_step, &progress);
    try {
        if (options.generate > 0 || options.picture) {
            const std::uint64_t tasks = options.picture ? options.files.size() : options.generate;
            for (std::uint64_t i = 0; i < tasks; ++i) batch.add_task(varendo::Task{{}, i});
        } else if (options.files.empty()) {
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
    if (batch.had_unreadable_file() || batch.had_failed_task()) return kExitFailure;
    return batch.had_bad_lines() || doubtful_picture ? kExitBadLines : kExitOk;
}
