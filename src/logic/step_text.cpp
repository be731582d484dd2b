#include "logic/step_text.h"

#include <array>

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
    "Empty Rectangle", "W-Wing", "Remote Pair",
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
    std::string text = technique_name(step.technique);
    if (step.digits != 0 && step.nodes.empty()) text += " " + digits_text(step.digits, "/");
    if (!step.base.empty()) {
        text += " in";
        for (std::size_t k = 0; k < step.base.size(); ++k) text += (k ? ", " : " ") + house_text(step.base[k]);
    } else if (!step.houses.empty()) {
        text += " in " + house_text(step.houses.front());
        if (step.houses.size() > 1) text += " and " + house_text(step.houses[1]);
    }
    if (!step.cells.empty() && step.nodes.empty() && step.base.empty()) {
        text += " (";
        for (std::size_t k = 0; k < step.cells.size(); ++k) text += (k ? "; " : "") + cell_text(step.cells[k]);
        text += ")";
    }
    if (!step.nodes.empty()) {
        const ChainNode& start = step.nodes.front();
        text += " from " + cell_text(start.candidate.cell) + " " + std::string(1, static_cast<char>('0' + start.candidate.digit)) +
                (start.on ? " on" : " off") + " (" + std::to_string(step.nodes.size()) + " nodes)";
    }
    text += ":";
    for (const Candidate& c : step.placements)
        text += " " + std::string(1, static_cast<char>('0' + c.digit)) + " goes in " + cell_text(c.cell) + ";";
    // Eliminations grouped by cell, in the order found.
    std::array<unsigned, 81> struck{};
    std::array<int, 81> order{};
    int cells = 0;
    for (const Candidate& c : step.eliminations) {
        if (struck[c.cell] == 0) order[cells++] = c.cell;
        struck[c.cell] |= 1u << (c.digit - 1);
    }
    for (int k = 0; k < cells; ++k) {
        const unsigned digits = struck[order[k]];
        text += " " + digit_list(digits) + (__builtin_popcount(digits) > 1 ? " leave " : " leaves ") +
                cell_text(order[k]) + ";";
    }
    text.pop_back();
    return text;
}

}  // namespace varendo::logic
