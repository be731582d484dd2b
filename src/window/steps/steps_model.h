#pragma once

#include <QAbstractListModel>
#include <cstdint>
#include <vector>

#include "window/printing/grid_painter.h"

namespace varendo {

class SolvePath;

// The rows of the Steps window for the path of one Solve: a heading where an attempt starts
// from the givens, one numbered row per placed digit, and rows for a stall, a contradiction
// and the outcome. Texts are made when the view asks for a row, so a path of thousands of
// placements costs one small entry per row.
class StepsModel final : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // The path stays the caller's and must outlive the model's use of it; null empties the list.
    void show_path(const SolvePath* path);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The grid as it stood after a row: givens, placed digits, the new one marked, the unit
    // that decided it tinted, and the candidates of each empty cell.
    GridPicture picture(int row) const;

private:
    enum class Kind : std::uint8_t { Heading, Placement, Other };
    struct Row {
        std::uint32_t record;  // the path's record the row stands for
        std::uint32_t number;  // a placement's number, from 1
        Kind kind;
    };
    QString text(const Row& row) const;
    QString heading(const Row& row) const;
    QString event_text(const Row& row) const;

    const SolvePath* path_ = nullptr;
    std::vector<Row> rows_;
};

}  // namespace varendo
