#include "logic/step_text.h"

#include <algorithm>
#include <array>
#include <vector>

#include "logic/houses.h"

namespace varendo::logic {

namespace {

constexpr std::array<const char*, kTechniqueCount> kNames = {
    "Full House", "Hidden Single", "Hidden Single", "Direct Pointing", "Direct Claiming", "Direct Hidden Pair",
    "Naked Single", "Direct Hidden Triple", "Pointing", "Claiming", "Naked Pair", "X-Wing", "Hidden Pair",
    "Naked Triple", "Swordfish", "Hidden Triple", "XY-Wing", "XYZ-Wing", "Unique Rectangle", "Naked Quad",
    "Jellyfish", "Hidden Quad", "Bivalue Universal Grave", "Aligned Pair Exclusion", "X-Cycle", "Y-Cycle",
    "XY-Cycle", "Forcing X-Chain", "Forcing Chain", "Aligned Triple Exclusion", "Nishio Forcing Chains",
    "Cell Forcing Chains", "Region Forcing Chains", "Contradiction Forcing Chains", "Double Forcing Chains",
    "Dynamic Cell Forcing Chains", "Dynamic Region Forcing Chains", "Skyscraper", "2-String Kite", "Turbot Fish",
    "Empty Rectangle", "W-Wing", "Remote Pair", "Finned X-Wing", "Finned Swordfish", "Simple Colors",
    "X-Chain", "XY-Chain", "Continuous Nice Loop", "Discontinuous Nice Loop", "AIC", "Grouped Continuous Nice Loop",
    "Grouped Discontinuous Nice Loop", "Grouped AIC",
    "Multi Colors", "Hidden Rectangle", "Avoidable Rectangle", "Sue de Coq", "ALS-XZ", "ALS-XY-Wing",
    "Locked Pair", "Locked Triple", "Dual 2-String Kite", "Dual Empty Rectangle", "Finned Jellyfish",
    "ALS-XY-Chain", "Death Blossom",
    "Franken X-Wing",    "Franken Swordfish", "Franken Jellyfish", "Finned Franken X-Wing", "Finned Franken Swordfish",
    "Finned Franken Jellyfish", "Mutant Fish", "Finned Mutant Fish",
};

std::string digits_text(unsigned digits, const char* separator) {
    std::string text;
    for (int d = 1; d <= 9; ++d) {
        if (!(digits & (1u << (d - 1)))) continue;
        if (!text.empty()) text += separator;
        text += static_cast<char>('0' + d);
    }
    return text;
}

// "4 and 7", "1, 4 and 7".
std::string digit_list(unsigned digits) {
    std::string text;
    const int count = __builtin_popcount(digits);
    int seen = 0;
    for (int d = 1; d <= 9; ++d) {
        if (!(digits & (1u << (d - 1)))) continue;
        ++seen;
        if (seen > 1) text += seen == count ? " and " : ", ";
        text += static_cast<char>('0' + d);
    }
    return text;
}

// "a and b", "a, b and c".
std::string join(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (std::size_t k = 0; k < parts.size(); ++k)
        text.append(k == 0 ? "" : k + 1 == parts.size() ? " and " : separator).append(parts[k]);
    return text;
}

// Cells of a pattern; within one line only their other coordinate: "columns 2 and 5".
std::string cells_text(const std::vector<std::uint8_t>& cells, int line) {
    const bool row = line >= kRowHouse && line < kColumnHouse;
    const bool column = line >= kColumnHouse;
    bool inside = row || column;
    std::vector<std::string> parts;
    for (std::uint8_t c : cells) {
        inside = inside && (row ? row_of(c) : column_of(c)) == line % 9;
        parts.push_back(std::to_string((row ? column_of(c) : row_of(c)) + 1));
    }
    if (inside) return (row ? (cells.size() > 1 ? "columns " : "column ") : (cells.size() > 1 ? "rows " : "row ")) + join(parts, ", ");
    parts.clear();
    for (std::uint8_t c : cells) parts.push_back(cell_text(c));
    return join(parts, "; ");
}

// The line that holds all the cells, or -1.
int line_of(const std::vector<std::uint8_t>& cells) {
    for (int line : {kRowHouse + row_of(cells.front()), kColumnHouse + column_of(cells.front())}) {
        bool all = true;
        for (std::uint8_t c : cells) all = all && (line < kColumnHouse ? row_of(c) : column_of(c)) == line % 9;
        if (all) return line;
    }
    return -1;
}

// One set: "(5/6/8 in row 5, columns 1 and 2)".
std::string set_text(const CellSet& set) {
    const int line = line_of(set.cells);
    std::string part = "(";
    part.append(digits_text(set.digits, "/")).append(" in ");
    if (line >= 0) part.append(house_text(line)).append(", ");
    return part.append(cells_text(set.cells, line)).append(")");
}

// Almost locked sets and the parts of a Sue de Coq: " with the sets (5/6/8 in row 5,
// columns 1 and 2) and (...)"; a chain of sets names the digits that tie each to the next,
// " -9- ", and the petals of a Death Blossom their stem digit, "(...) for 2".
std::string sets_text(const Step& step) {
    const bool petals = step.technique == Technique::DeathBlossom;
    const bool chain = step.technique == Technique::AlsXYChain;
    std::vector<std::string> parts;
    for (const CellSet& set : step.sets) {
        std::string part = set_text(set);
        if (petals) part.append(" for ").append(digits_text(set.link, "/"));
        if (chain && !parts.empty()) parts.back().append(" -").append(digits_text(set.link, "/")).append("- ").append(part);
        else parts.push_back(part);
    }
    return (petals ? " with the petals " : " with the sets ") + join(parts, ", ");
}

// A chain of one line, from its assumption to its end: "if 9 is in row 4, column 2, then 9 is
// not in row 4, column 7, then ..."; empty for chains that branch.
std::string chain_text(const Step& step) {
    const std::size_t n = step.nodes.size();
    if (n < 2 || step.links.size() + 1 != n) return {};
    std::vector<int> next(n, -1), incoming(n, 0);
    for (const ChainLink& link : step.links) {
        if (next[link.from] >= 0) return {};
        next[link.from] = link.to;
        ++incoming[link.to];
    }
    int node = -1;
    for (std::size_t k = 0; k < n; ++k)
        if (incoming[k] == 0) node = static_cast<int>(k);
    std::string text;
    for (std::size_t seen = 0; node >= 0 && seen < n; ++seen, node = next[node]) {
        const ChainNode& c = step.nodes[node];
        text.append(seen == 0 ? "if " : ", then ")
            .append(std::to_string(c.candidate.digit))
            .append(c.on ? " is in " : " is not in ")
            .append(cell_text(c.candidate.cell));
    }
    return text;
}

bool alternating(Technique t) { return t >= Technique::XChain && t <= Technique::GroupedAic; }

// A node of an alternating chain; a group names its cells by the line they share.
std::string node_text(const ChainNode& node, bool with_digit) {
    std::vector<int> cells{node.candidate.cell};
    for (std::uint8_t c : node.group)
        if (c != 255) cells.push_back(c);
    std::string where = cell_text(cells[0]);
    if (cells.size() > 1) {
        const bool row = row_of(cells[0]) == row_of(cells[1]);
        std::vector<std::string> parts;
        for (int c : cells) parts.push_back(std::to_string((row ? column_of(c) : row_of(c)) + 1));
        where = row ? "row " + std::to_string(row_of(cells[0]) + 1) + ", columns " + join(parts, ", ")
                    : "rows " + join(parts, ", ") + ", column " + std::to_string(column_of(cells[0]) + 1);
    }
    return with_digit ? std::to_string(node.candidate.digit) + " in " + where : where;
}

// The nodes in order, "=" for a strong link and "-" for a weak one; a chain of one digit says
// its digit once: " on 4 (4 nodes): row 2, column 3 = row 2, column 7 - ...".
std::string alternating_text(const Step& step) {
    const bool one_digit = __builtin_popcount(step.digits) == 1;
    std::string text;
    if (one_digit) text.append(" on ").append(digits_text(step.digits, ""));
    text.append(" (").append(std::to_string(step.nodes.size())).append(" nodes): ");
    for (std::size_t k = 0; k < step.links.size() + 1; ++k) {
        const ChainNode& node = step.nodes[k % step.nodes.size()];
        if (k > 0) {
            const ChainLink& link = step.links[k - 1];
            text.append(link.strong ? " = " : " - ");
            if (link.set >= 0) text.append("through the set ").append(set_text(step.sets[link.set])).append(" = ");
        }
        if (node.set >= 0)
            text.append(std::to_string(node.candidate.digit)).append(" in the set ").append(set_text(step.sets[node.set]));
        else
            text.append(node_text(node, !one_digit));
    }
    return text;
}

}  // namespace

const char* technique_name(Technique technique) { return kNames[static_cast<int>(technique)]; }

std::string house_text(int house) {
    const int i = house % 9;
    if (house >= kColumnHouse) return "column " + std::to_string(i + 1);
    if (house >= kRowHouse) return "row " + std::to_string(i + 1);
    const int band = i / 3, stack = i % 3;
    const int number = 3 * stack + band + 1;
    return "box " + std::to_string(number) + " (rows " + std::to_string(3 * band + 1) + "-" +
           std::to_string(3 * band + 3) + ", columns " + std::to_string(3 * stack + 1) + "-" +
           std::to_string(3 * stack + 3) + ")";
}

std::string cell_text(int cell) {
    return "row " + std::to_string(row_of(cell) + 1) + ", column " + std::to_string(column_of(cell) + 1);
}

std::string step_text(const Step& step) {
    // Dynamic chains with rules or chains inside them, as the classic rater names them.
    constexpr const char* kLevels[] = {"", " (+)", " (+ Forcing Chains)", " (+ Multiple Forcing Chains)",
                                       " (+ Dynamic Forcing Chains)"};
    std::string text = std::string(technique_name(step.technique)) + kLevels[std::clamp(step.level, 0, 4)];
    const bool chain = !step.nodes.empty();
    if (alternating(step.technique)) text.append(alternating_text(step));
    if (step.digits != 0 && !chain) text.append(" ").append(digits_text(step.digits, "/"));
    const std::vector<std::uint8_t>& houses = step.base.empty() ? step.houses : step.base;
    for (std::size_t k = 0; k < houses.size(); ++k)
        text.append(k == 0 ? " in " : k + 1 == houses.size() ? " and " : ", ").append(house_text(houses[k]));
    // A fish with a box among its houses: its covers and fins do not follow from its base.
    const auto box = [](std::uint8_t h) { return h < kRowHouse; };
    if (std::any_of(step.base.begin(), step.base.end(), box) || std::any_of(step.cover.begin(), step.cover.end(), box)) {
        std::vector<std::string> parts;
        for (std::uint8_t h : step.cover) parts.push_back(house_text(h));
        text.append(", covered by ").append(join(parts, ", "));
        parts.clear();
        for (const Candidate& fin : step.fins) parts.push_back(cell_text(fin.cell));
        if (!parts.empty()) text.append(parts.size() > 1 ? ", with fins in " : ", with the fin in ").append(join(parts, "; "));
    }
    // The pattern's cells, unless the step only names the cell it fills.
    const bool lone_cell = step.cells.size() == 1 && !step.placements.empty();
    if (!step.cells.empty() && !chain && step.base.empty() && !lone_cell) {
        // Named by the line of the pattern that holds them all, when there is one.
        int line = -1;
        for (std::uint8_t h : houses) {
            bool all = h >= kRowHouse;
            for (std::uint8_t c : step.cells) all = all && (h < kColumnHouse ? row_of(c) : column_of(c)) == h % 9;
            if (all && line < 0) line = h;
        }
        text.append(" (").append(cells_text(step.cells, line)).append(")");
    }
    if (!step.sets.empty() && !alternating(step.technique)) text.append(sets_text(step));
    if (chain && !alternating(step.technique)) {
        text.append(" (").append(std::to_string(step.complexity)).append(" nodes)");
        const std::string line = chain_text(step);
        if (!line.empty()) text.append(", ").append(line);
    }
    text.append(":");
    for (const Candidate& c : step.placements)
        text.append(" ").append(std::to_string(c.digit)).append(" goes in ").append(cell_text(c.cell)).append(";");
    // Eliminations by cell, and cells that lose the same digits together, in the order found.
    std::array<unsigned, 81> struck{};
    std::vector<int> cells;
    for (const Candidate& c : step.eliminations) {
        if (struck[c.cell] == 0) cells.push_back(c.cell);
        struck[c.cell] |= 1u << (c.digit - 1);
    }
    std::vector<bool> said(cells.size(), false);
    for (std::size_t k = 0; k < cells.size(); ++k) {
        if (said[k]) continue;
        const unsigned digits = struck[cells[k]];
        text.append(" ").append(digit_list(digits)).append(__builtin_popcount(digits) > 1 ? " leave " : " leaves ");
        for (std::size_t m = k, n = 0; m < cells.size(); ++m) {
            if (said[m] || struck[cells[m]] != digits) continue;
            said[m] = true;
            text.append(n++ ? "; " : "").append(cell_text(cells[m]));
        }
        text.append(";");
    }
    text.pop_back();
    return text;
}

const char* human_level_name(HumanLevel level) {
    constexpr const char* kLevels[] = {"Easy", "Medium", "Hard", "Unfair", "Extreme"};
    return kLevels[static_cast<int>(level)];
}

std::string rating_text(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace varendo::logic
