#include "window/steps/steps_model.h"

#include <QFont>
#include <bit>
#include <utility>

#include "commands/solve_path.h"
#include "solver/units.h"
#include "window/steps/place_texts.h"

namespace varendo {

namespace {

using Event = PathRecord::Event;

// The first unit of a set (bit u for unit u), and how many more it holds.
QString units_text(std::uint32_t units) {
    const int more = std::popcount(units) - 1;
    const QString first = unit_name(std::countr_zero(units));
    if (more == 0) return first;
    if (more == 1) return first + QStringLiteral(" and 1 more unit");
    return QStringLiteral("%1 and %2 more units").arg(first).arg(more);
}

void tint_unit(GridPicture& picture, int u) {
    for (const int k : unit_cells(u)) picture.tinted[row_major_index(k)] = true;
}

}  // namespace

void StepsModel::show_path(const SolvePath* path) {
    beginResetModel();
    path_ = path;
    rows_.clear();
    if (path != nullptr) {
        const std::vector<PathRecord>& records = path->rows();
        rows_.reserve(records.size());
        std::uint32_t placed = 0;
        bool searching = false;
        // Every attempt after the first looks again at the grid the last run left before it
        // starts from the givens. That look places nothing: it meets the contradiction, or
        // the stall, that the last run's own rows told of.
        bool looking = false;
        for (std::uint32_t i = 0; i < records.size(); ++i) {
            const PathRecord& record = records[i];
            switch (record.event) {
            case Event::Start:
                looking = record.attempt != 1;
                if (!looking) rows_.push_back({i, 0, Kind::Heading});
                break;
            case Event::Reload:
                looking = false;
                rows_.push_back({i, 0, Kind::Heading});
                break;
            case Event::Repeat:
            case Event::Stall:
                if (!looking) rows_.push_back({i, 0, Kind::Other});
                break;
            case Event::Placement:
                if (record.placement.kind == PlacementKind::Search && !std::exchange(searching, true))
                    rows_.push_back({i, 0, Kind::Heading});
                rows_.push_back({i, ++placed, Kind::Placement});
                break;
            case Event::Outcome: rows_.push_back({i, 0, Kind::Other}); break;
            }
        }
    }
    endResetModel();
}

int StepsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant StepsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:  // for a row too long for the list's width
    case Qt::AccessibleTextRole: return text(row);
    case Qt::FontRole:
        if (row.kind == Kind::Heading) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

QString StepsModel::text(const Row& row) const {
    switch (row.kind) {
    case Kind::Heading: return heading(row);
    case Kind::Placement: {
        const PathRecord& record = path_->rows()[row.record];
        const Placement& placed = record.placement;
        return QStringLiteral("%1. ").arg(row.number) + placement_text(placed.kind, placed.digit, record.row(),
                                                                       record.column(), placed.unit, placed.places);
    }
    case Kind::Other: break;
    }
    return event_text(row);
}

QString StepsModel::heading(const Row& row) const {
    const std::vector<PathRecord>& records = path_->rows();
    const PathRecord& record = records[row.record];
    if (record.event == Event::Placement)
        return QStringLiteral("The attempts found no solution: the complete search fills the grid from the givens");
    if (record.event == Event::Start) return QStringLiteral("Attempt 1: from the givens");
    // Why the last run ended: its contradiction; where there is none, a repeat in the givens.
    const PathRecord* repeat = nullptr;
    for (std::uint32_t i = row.record; i-- > 0 && (repeat == nullptr || repeat->at_start);) {
        if (records[i].event == Event::Repeat) repeat = &records[i];
    }
    QString why = QStringLiteral("start again from the givens");
    if (repeat != nullptr) {
        why = (repeat->at_start ? QStringLiteral("the givens repeat a digit in %1, %2")
                                : QStringLiteral("a contradiction in %1, %2"))
                  .arg(units_text(repeat->units), why);
    }
    // The first attempt runs twice from the givens; every later one once.
    const QString attempt = record.attempt == 1 ? QStringLiteral("Attempt 1, run 2")
                                                : QStringLiteral("Attempt %1").arg(record.attempt);
    return attempt + QStringLiteral(": ") + why;
}

QString StepsModel::event_text(const Row& row) const {
    const std::vector<PathRecord>& records = path_->rows();
    const PathRecord& record = records[row.record];
    switch (record.event) {
    case Event::Stall: {
        const bool guess = row.record + 1 < records.size() && records[row.record + 1].event == Event::Placement &&
                           records[row.record + 1].placement.kind == PlacementKind::Guess;
        return guess ? QStringLiteral("No digit follows by elimination: Solve guesses")
                     : QStringLiteral("No digit follows by elimination, and no guess is left to try");
    }
    case Event::Repeat:
        return record.at_start ? QStringLiteral("The givens repeat a digit in %1").arg(units_text(record.units))
                               : QStringLiteral("A contradiction: a digit repeats in %1").arg(units_text(record.units));
    case Event::Outcome:
        if (record.outcome == Outcome::RepeatInGivens) return QStringLiteral("Outcome: the givens repeat a digit");
        return QStringLiteral("Outcome: ") + QString::fromUtf8(outcome_text(record.outcome));
    case Event::Start:
    case Event::Reload:
    case Event::Placement: break;
    }
    return {};
}

GridPicture StepsModel::picture(int row) const {
    GridPicture picture;
    if (row < 0 || row >= rowCount()) return picture;
    const Row& shown = rows_[static_cast<std::size_t>(row)];
    const PathRecord& record = path_->rows()[shown.record];
    if (shown.kind == Kind::Heading && record.event == Event::Placement) {
        // The complete search starts from the givens alone.
        picture.digits = path_->givens();
        picture.roles.fill(DigitRole::Given);
        return picture;
    }
    const PathSnapshot& snapshot = path_->snapshot(shown.record);
    picture.digits = snapshot.digits;
    for (int i = 0; i < kCellCount; ++i) {
        picture.roles[i] = snapshot.origins[i] == PathSnapshot::Origin::Given ? DigitRole::Given : DigitRole::Placed;
    }
    picture.candidates = snapshot.candidates;
    picture.marked = snapshot.new_cell;
    if (snapshot.unit != 0) tint_unit(picture, snapshot.unit);
    if (record.event == Event::Repeat) {
        for (int u = 1; u <= kUnitCount; ++u)
            if ((record.units >> u & 1) != 0) tint_unit(picture, u);
    }
    return picture;
}

}  // namespace varendo
