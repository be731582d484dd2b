// HoDoKu's regression library, read from beside the repository when it is there: every case
// of a technique the engine has must give exactly its eliminations or placements.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "logic_grid.h"

namespace varendo::test {
namespace {

using namespace logic;

using Finder = std::function<bool(const CandidateGrid&, const StepSink&)>;

// The library's technique codes that the engine answers, and the producer that answers each;
// a variant listed ("0600-2", corners short of a candidate; "0709-2", chains through almost
// locked sets) has its own.
const std::map<std::string, Finder>& finders() {
    static const std::map<std::string, Finder> table = {
        {"0000", [](auto& g, auto& s) { return find_hidden_singles(g, s); }},
        {"0002", [](auto& g, auto& s) { return find_hidden_singles(g, s); }},
        {"0003", [](auto& g, auto& s) { return find_naked_singles(g, s); }},
        {"0100", [](auto& g, auto& s) { return find_locking(g, false, s); }},
        {"0101", [](auto& g, auto& s) { return find_locking(g, false, s); }},
        {"0110", [](auto& g, auto& s) { return find_locked_sets(g, 2, s); }},
        {"0111", [](auto& g, auto& s) { return find_locked_sets(g, 3, s); }},
        {"0200", [](auto& g, auto& s) { return find_naked_sets(g, 2, s); }},
        {"0201", [](auto& g, auto& s) { return find_naked_sets(g, 3, s); }},
        {"0202", [](auto& g, auto& s) { return find_naked_sets(g, 4, s); }},
        {"0210", [](auto& g, auto& s) { return find_hidden_sets(g, 2, false, s); }},
        {"0211", [](auto& g, auto& s) { return find_hidden_sets(g, 3, false, s); }},
        {"0212", [](auto& g, auto& s) { return find_hidden_sets(g, 4, false, s); }},
        {"0300", [](auto& g, auto& s) { return find_fish(g, 2, s); }},
        {"0301", [](auto& g, auto& s) { return find_fish(g, 3, s); }},
        {"0302", [](auto& g, auto& s) { return find_fish(g, 4, s); }},
        {"0310", [](auto& g, auto& s) { return find_finned_fish(g, 2, s); }},
        {"0311", [](auto& g, auto& s) { return find_finned_fish(g, 3, s); }},
        {"0312", [](auto& g, auto& s) { return find_finned_fish(g, 4, s); }},
        {"0320", [](auto& g, auto& s) { return find_finned_fish(g, 2, s); }},
        {"0321", [](auto& g, auto& s) { return find_finned_fish(g, 3, s); }},
        {"0322", [](auto& g, auto& s) { return find_finned_fish(g, 4, s); }},
        {"0330", [](auto& g, auto& s) { return find_franken_fish(g, 2, false, s); }},
        {"0331", [](auto& g, auto& s) { return find_franken_fish(g, 3, false, s); }},
        {"0332", [](auto& g, auto& s) { return find_franken_fish(g, 4, false, s); }},
        {"0340", [](auto& g, auto& s) { return find_franken_fish(g, 2, true, s); }},
        {"0341", [](auto& g, auto& s) { return find_franken_fish(g, 3, true, s); }},
        {"0342", [](auto& g, auto& s) { return find_franken_fish(g, 4, true, s); }},
        {"0362", [](auto& g, auto& s) { return find_mutant_fish(g, 4, true, s); }},
        {"0363", [](auto& g, auto& s) { return find_mutant_fish(g, 5, true, s); }},
        {"0364", [](auto& g, auto& s) { return find_mutant_fish(g, 6, true, s); }},
        {"0400", [](auto& g, auto& s) { return find_single_digit_patterns(g, s); }},
        {"0401", [](auto& g, auto& s) { return find_single_digit_patterns(g, s); }},
        {"0402", [](auto& g, auto& s) { return find_empty_rectangles(g, s); }},
        {"0403", [](auto& g, auto& s) { return find_single_digit_patterns(g, s); }},
        {"0404", [](auto& g, auto& s) { return find_dual_patterns(g, false, s); }},
        {"0405", [](auto& g, auto& s) { return find_dual_patterns(g, true, s); }},
        {"0500", [](auto& g, auto& s) { return find_simple_colors(g, s); }},
        {"0501", [](auto& g, auto& s) { return find_simple_colors(g, s); }},
        {"0502", [](auto& g, auto& s) { return find_multi_colors(g, s); }},
        {"0503", [](auto& g, auto& s) { return find_multi_colors(g, s); }},
        {"0600", [](auto& g, auto& s) { return find_unique_loops(g, s); }},
        {"0601", [](auto& g, auto& s) { return find_unique_loops(g, s); }},
        {"0600-2", [](auto& g, auto& s) { return find_unique_rectangles(g, s); }},
        {"0601-2", [](auto& g, auto& s) { return find_unique_rectangles(g, s); }},
        {"0602", [](auto& g, auto& s) { return find_unique_rectangles(g, s); }},
        {"0603", [](auto& g, auto& s) { return find_unique_loops(g, s); }},
        {"0603-2", [](auto& g, auto& s) { return find_unique_rectangles(g, s); }},
        {"0604", [](auto& g, auto& s) { return find_unique_rectangles(g, s); }},
        {"0605", [](auto& g, auto& s) { return find_unique_rectangles(g, s); }},
        {"0606", [](auto& g, auto& s) { return find_hidden_rectangles(g, s); }},
        {"0607", [](auto& g, auto& s) { return find_avoidable_rectangles(g, s); }},
        {"0608", [](auto& g, auto& s) { return find_avoidable_rectangles(g, s); }},
        {"0610", [](auto& g, auto& s) { return find_bivalue_grave(g, s); }},
        {"0703", [](auto& g, auto& s) { return find_remote_pairs(g, s); }},
        {"0800", [](auto& g, auto& s) { return find_xy_wings(g, false, s); }},
        {"0801", [](auto& g, auto& s) { return find_xy_wings(g, true, s); }},
        {"0803", [](auto& g, auto& s) { return find_w_wings(g, s); }},
        {"0701", [](auto& g, auto& s) { return find_x_chains(g, s); }},
        {"0702", [](auto& g, auto& s) { return find_xy_chains(g, s); }},
        {"0706", [](auto& g, auto& s) { return find_nice_loops(g, false, s); }},
        {"0707", [](auto& g, auto& s) { return find_nice_loops(g, false, s); }},
        {"0708", [](auto& g, auto& s) { return find_nice_loops(g, false, s); }},
        {"0709", [](auto& g, auto& s) { return find_nice_loops(g, true, s); }},
        {"0710", [](auto& g, auto& s) { return find_nice_loops(g, true, s); }},
        {"0711", [](auto& g, auto& s) { return find_nice_loops(g, true, s); }},
        {"0901", [](auto& g, auto& s) { return find_als_xz(g, s); }},
        {"0902", [](auto& g, auto& s) { return find_als_xy_wings(g, s); }},
        {"0903", [](auto& g, auto& s) { return find_als_xy_chains(g, s); }},
        {"0904", [](auto& g, auto& s) { return find_death_blossoms(g, s); }},
        {"1101", [](auto& g, auto& s) { return find_sue_de_coq(g, s); }},
        {"0709-2", [](auto& g, auto& s) { return find_nice_loops(g, true, s, true); }},
        {"0710-3", [](auto& g, auto& s) { return find_nice_loops(g, true, s, true); }},
        {"0710-4", [](auto& g, auto& s) { return find_nice_loops(g, true, s, true); }},
        {"0711-3", [](auto& g, auto& s) { return find_nice_loops(g, true, s, true); }},
        {"0711-4", [](auto& g, auto& s) { return find_nice_loops(g, true, s, true); }},
    };
    return table;
}

// "436 257" as sorted "r3c6<>4"-style texts.
std::vector<std::string> candidates_of(const std::string& field, const char* relation) {
    std::vector<std::string> out;
    std::istringstream in(field);
    for (std::string c; in >> c;)
        out.push_back("r" + c.substr(1, 1) + "c" + c.substr(2, 1) + relation + c.substr(0, 1));
    std::sort(out.begin(), out.end());
    return out;
}

unsigned digits_of(const std::string& field) {
    unsigned digits = 0;
    for (char c : field)
        if (c >= '1' && c <= '9') digits |= digit_bit(c - '0');
    return digits;
}

TEST(Reglib, EveryCaseOfABuiltTechniqueGivesItsResult) {
    std::ifstream in(VARENDO_REGLIB);
    if (!in) GTEST_SKIP() << "no regression library at " << VARENDO_REGLIB;
    std::map<std::string, std::pair<int, int>> tally;  // code: passed, cases
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 2 || line[0] != ':') continue;
        std::vector<std::string> fields;
        std::istringstream parts(line.substr(1));
        for (std::string f; std::getline(parts, f, ':');) fields.push_back(f);
        fields.resize(8);
        const std::string code = fields[0].substr(0, 4);
        auto finder = finders().find(fields[0]);
        if (finder == finders().end()) finder = finders().find(code);
        // Siamese fish (five digits) are not built.
        if (finder == finders().end() || (fields[0].size() > 4 && fields[0][4] != '-'))
            continue;
        // A variant "-x" is a case where the technique must find nothing for its digits.
        const bool absent = fields[0].ends_with("-x");
        const CandidateGrid grid = grid_of(fields[2], fields[3]);
        const auto want_eliminations = candidates_of(fields[4], "<>");
        const auto want_placements = candidates_of(fields[5], "=");
        bool found = false;
        finder->second(grid, [&](Step&& step) {
            found = absent ? (step.digits & digits_of(fields[1])) != 0
                    : want_placements.empty() ? eliminations(step) == want_eliminations
                                              : said(step.placements, "=") == want_placements;
            return !found;
        });
        ++tally[fields[0]].second;
        tally[fields[0]].first += found != absent;
        EXPECT_NE(found, absent) << line;
    }
    for (const auto& [code, counts] : tally) std::printf("reglib %s: %d of %d\n", code.c_str(), counts.first, counts.second);
}

}  // namespace
}  // namespace varendo::test
