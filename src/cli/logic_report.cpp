#include "cli/logic_report.h"

#include <map>

#include <nlohmann/json.hpp>

#include "commands/puzzle_text.h"
#include "logic/houses.h"
#include "logic/step_text.h"

namespace varendo {

namespace {

using logic::LogicalPath;
using Json = nlohmann::ordered_json;

// A rating as a JSON number with one decimal, as the raters print it.
Json rating_json(int tenths) { return Json::parse(logic::rating_text(tenths)); }

Json candidates_json(const std::vector<logic::Candidate>& candidates) {
    Json list = Json::array();
    for (const logic::Candidate& c : candidates)
        list.push_back({{"row", logic::row_of(c.cell) + 1}, {"column", logic::column_of(c.cell) + 1}, {"digit", c.digit}});
    return list;
}

Json cells_json(const std::vector<std::uint8_t>& cells) {
    Json list = Json::array();
    for (std::uint8_t c : cells) list.push_back({{"row", logic::row_of(c) + 1}, {"column", logic::column_of(c) + 1}});
    return list;
}

Json step_json(const logic::Step& step) {
    Json units = Json::array();
    for (std::uint8_t h : step.houses) units.push_back(logic::house_text(h));
    Json json = {{"technique", logic::technique_name(step.technique)},
                 {"rating", rating_json(step.rating)},
                 {"placements", candidates_json(step.placements)},
                 {"eliminations", candidates_json(step.eliminations)},
                 {"cells", cells_json(step.cells)},
                 {"units", units},
                 {"text", logic::step_text(step)}};
    // Almost locked sets and the parts of a Sue de Coq, only in the steps that have them.
    const auto digits_json = [](unsigned mask) {
        Json digits = Json::array();
        for (int d = 1; d <= 9; ++d)
            if (mask & logic::digit_bit(d)) digits.push_back(d);
        return digits;
    };
    for (const logic::CellSet& set : step.sets) {
        Json entry = {{"cells", cells_json(set.cells)}, {"digits", digits_json(set.digits)}};
        // A chain of sets: the digits tying each to the one before; a petal: its stem digit.
        if (set.link != 0) entry["link"] = digits_json(set.link);
        json["sets"].push_back(std::move(entry));
    }
    return json;
}

}  // namespace

const char* outcome_name(LogicalPath::Outcome outcome) {
    switch (outcome) {
    case LogicalPath::Outcome::Solved: return "solved";
    case LogicalPath::Outcome::NoSolution: return "no solution";
    case LogicalPath::Outcome::SeveralSolutions: return "several solutions";
    case LogicalPath::Outcome::Stuck: return "unfinished";
    }
    return "";
}

bool RateStep::run(const Task& task, std::string& report, std::string&) {
    LogicalPath se = logic::solve_logically(task.puzzle, logic::Ladder::Explainer);
    // As the classic rater says of a puzzle its techniques cannot finish.
    if (se.outcome == LogicalPath::Outcome::Stuck) se.er = 200;
    const bool rated = se.outcome == LogicalPath::Outcome::Solved || se.outcome == LogicalPath::Outcome::Stuck;
    const LogicalPath human = rated ? logic::solve_logically(task.puzzle, logic::Ladder::Human) : LogicalPath{};
    const logic::HumanRating points = logic::rate_human(human.steps);
    const bool solved = rated && human.outcome == LogicalPath::Outcome::Solved;
    if (!json_) {
        report = puzzle_text(task.puzzle);
        report += '\t';
        if (rated) {
            report += logic::rating_text(se.er) + "/" + logic::rating_text(se.ep) + "/" + logic::rating_text(se.ed);
            report += '\t';
            report += solved ? std::string(logic::human_level_name(points.level)) + " " + std::to_string(points.score)
                             : "unfinished";
        } else {
            report += outcome_name(se.outcome);
        }
        report += '\n';
        return true;
    }
    std::map<std::string, int> techniques;
    for (const logic::Step& step : human.steps) ++techniques[logic::technique_name(step.technique)];
    Json object = {{"puzzle", puzzle_text(task.puzzle)}, {"outcome", outcome_name(se.outcome)}};
    object["er"] = rated ? rating_json(se.er) : Json(nullptr);
    object["ep"] = rated ? rating_json(se.ep) : Json(nullptr);
    object["ed"] = rated ? rating_json(se.ed) : Json(nullptr);
    object["level"] = solved ? Json(logic::human_level_name(points.level)) : Json(nullptr);
    object["score"] = solved ? Json(points.score) : Json(nullptr);
    object["solved"] = solved;
    object["techniques"] = Json::object();
    for (const auto& [name, count] : techniques) object["techniques"][name] = count;
    report = object.dump();
    report += '\n';
    return true;
}

bool ExplainStep::run(const Task& task, std::string& report, std::string&) {
    const LogicalPath path = logic::solve_logically(task.puzzle, ladder_);
    if (json_) {
        Json steps = Json::array();
        for (const logic::Step& step : path.steps) steps.push_back(step_json(step));
        Json object = {{"puzzle", puzzle_text(task.puzzle)}, {"outcome", outcome_name(path.outcome)}, {"steps", steps}};
        report = object.dump();
        report += '\n';
        return true;
    }
    report = puzzle_text(task.puzzle) + "\t" + outcome_name(path.outcome) + "\n";
    for (const logic::Step& step : path.steps) report += "  " + logic::rating_text(step.rating) + "\t" + logic::step_text(step) + "\n";
    return true;
}

}  // namespace varendo
