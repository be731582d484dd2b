#include "cli/picture_step.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "commands/puzzle_text.h"
#include "picture/picture_file.h"
#include "picture/picture_reader.h"

namespace varendo {
namespace {

double tenths(double value) { return std::round(value * 10) / 10; }

std::string json_report(const std::string& file, const PictureReading& reading, int solutions) {
    nlohmann::ordered_json object;
    object["file"] = file;
    object["puzzle"] = puzzle_text(reading.digits);
    object["uncertain"] = nlohmann::json::array();
    for (int cell = 0; cell < 81; ++cell)
        if (reading.uncertain[cell]) object["uncertain"].push_back({{"row", cell / 9 + 1}, {"column", cell % 9 + 1}});
    object["solutions"] = solutions;
    object["grid"] = nlohmann::json::array();
    for (const QPointF& corner : reading.corners) object["grid"].push_back({tenths(corner.x()), tenths(corner.y())});
    return object.dump();
}

// "row 2, column 5; row 7, column 1"
std::string doubtful_cells(const PictureReading& reading) {
    std::string cells;
    for (int cell = 0; cell < 81; ++cell) {
        if (!reading.uncertain[cell]) continue;
        if (!cells.empty()) cells += "; ";
        cells += "row " + std::to_string(cell / 9 + 1) + ", column " + std::to_string(cell % 9 + 1);
    }
    return cells;
}

}  // namespace

bool PictureStep::run(const Task& task, std::string& report, std::string& error) {
    const std::string& file = files_[task.number];
    QString why;
    const QImage picture = load_picture(QString::fromStdString(file), why);
    if (picture.isNull()) {
        error = "varendo-solve: " + file + ": cannot read the picture: " + why.toStdString();
        return false;
    }
    const std::optional<PictureReading> reading = PictureReader(picture).read();
    if (!reading) {
        doubtful_ = true;
        error = "varendo-solve: " + file + ": no grid found; try a closer crop, more light or a sharper picture\n";
        return true;
    }
    const int solutions = find_solutions(reading->digits, 2).count;
    report = json_ ? json_report(file, *reading, solutions) : puzzle_text(reading->digits);
    report += '\n';
    if (reading->uncertain_count() > 0) {
        doubtful_ = true;
        error = "varendo-solve: " + file + ": " + std::to_string(reading->uncertain_count()) +
                (reading->uncertain_count() == 1 ? " cell" : " cells") + " in doubt: " + doubtful_cells(*reading) + '\n';
    }
    return true;
}

}  // namespace varendo
