#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <array>
#include <memory>
#include <optional>

#include "picture/picture_reader.h"
#include "solver/exact_search.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace varendo {

class CornerView;

// The review of a puzzle read from a picture, before anything loads: the picture with the
// grid found drawn over it and corners to drag, the reading as an editable 9×9 (cells in
// doubt amber, repeated digits red) and a line that says whether it has no solution, one or
// several. The picture is read on another thread, again after each move of a corner.
class PictureReview : public QDialog {
    Q_OBJECT

public:
    explicit PictureReview(const QImage& picture, QWidget* parent = nullptr);
    ~PictureReview() override;

    // The puzzle as the reading, edited, now stands: row by row, 0 for empty.
    Grid81 digits() const;
    CornerView* corner_view() const { return view_; }
    // Whether a reading is on its way and not yet shown.
    bool reading() const { return reading_; }

signals:
    // A reading has been shown (for the tests, which wait for it).
    void readingShown();

private:
    struct Result {
        std::shared_ptr<const PictureReader> reader;
        std::optional<PictureReading> reading;
    };

    void read_at(const Quad& corners);
    void show_result();
    void cell_edited(QTableWidgetItem* item);
    // Colours the cells and says what the reading, as edited, amounts to.
    void judge();

    std::shared_ptr<const PictureReader> reader_;
    QFutureWatcher<Result> watcher_;
    std::optional<Quad> waiting_;   // corners moved while a reading ran
    CornerView* view_;
    QTableWidget* table_;
    QLabel* verdict_;
    QPushButton* ok_;
    std::array<bool, 81> doubtful_{};
    bool filling_ = false;
    bool reading_ = true;
};

}  // namespace varendo
