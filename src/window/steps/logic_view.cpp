#include "window/steps/logic_view.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <algorithm>

#include "logic/step_text.h"
#include "window/guidance/grid_history.h"
#include "window/steps/steps_window.h"

namespace varendo {

namespace {

QString outcome_text(const LogicalReport& report) {
    using Outcome = logic::LogicalPath::Outcome;
    switch (report.human.outcome) {
    case Outcome::NoSolution: return QStringLiteral("The puzzle has no solution");
    case Outcome::SeveralSolutions: return QStringLiteral("The puzzle has more than one solution");
    case Outcome::Stuck: return QStringLiteral("The techniques stop here; ");
    case Outcome::Solved: break;
    }
    return {};
}

}  // namespace

LogicView::LogicView(QWidget* parent)
    : QWidget(parent), summary_(new QLabel(this)), list_(new QListWidget(this)), grid_(new StepGrid(this)) {
    setObjectName(QStringLiteral("logicView"));
    summary_->setObjectName(QStringLiteral("logicSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list_->setObjectName(QStringLiteral("logicList"));
    list_->setAccessibleName(QStringLiteral("Logical steps from the givens"));
    grid_->setObjectName(QStringLiteral("logicGrid"));
    grid_->setAccessibleName(QStringLiteral("The grid before the chosen step, with its pattern"));
    list_->setMinimumSize(470, 160);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 3);
    layout->addWidget(summary_);
    layout->addWidget(list_, 2);
    setFocusProxy(list_);
    connect(list_, &QListWidget::currentRowChanged, this, &LogicView::row_changed);
    connect(&watcher_, &QFutureWatcher<LogicalReport>::finished, this, &LogicView::path_found);
    clear();
}

void LogicView::clear() {
    givens_ = {};
    report_ = {};
    list_->clear();
    grid_->set_picture({});
    summary_->setText(QStringLiteral("Freeze a puzzle to see its steps by logic"));
}

void LogicView::show_puzzle(const Grid81& givens) {
    clear();
    givens_ = givens;
    summary_->setText(QStringLiteral("Working out the steps by logic..."));
    // A result still on its way for an earlier puzzle is dropped: only the newest one shows.
    watcher_.setFuture(QtConcurrent::run([givens] { return logical_report(givens); }));
}

QString LogicView::summary() const { return summary_->text(); }

void LogicView::path_found() {
    report_ = watcher_.result();
    const logic::LogicalPath& se = report_.explainer;
    QString text = outcome_text(report_);
    if (report_.human.outcome == logic::LogicalPath::Outcome::Solved ||
        report_.human.outcome == logic::LogicalPath::Outcome::Stuck) {
        const int er = se.outcome == logic::LogicalPath::Outcome::Stuck ? 200 : se.er;
        // Techniques of one name (the hidden singles of a box and of a line) counted together.
        QList<std::pair<QString, int>> named;
        for (const auto& [technique, count] : report_.techniques) {
            const QString name = QLatin1String(logic::technique_name(technique));
            auto same = std::find_if(named.begin(), named.end(), [&](const auto& entry) { return entry.first == name; });
            if (same == named.end()) named.append({name, count}); else same->second += count;
        }
        QStringList used;
        for (const auto& [name, count] : named) used << QStringLiteral("%1 ×%2").arg(name).arg(count);
        text += QStringLiteral("SE rating %1/%2/%3, %4, score %5. Techniques: %6")
                    .arg(QString::fromStdString(logic::rating_text(er)), QString::fromStdString(logic::rating_text(se.ep)),
                         QString::fromStdString(logic::rating_text(se.ed)),
                         QLatin1String(logic::human_level_name(report_.points.level)))
                    .arg(report_.points.score)
                    .arg(used.join(QStringLiteral(", ")));
    }
    summary_->setText(text);
    for (const logic::Step& step : report_.human.steps)
        list_->addItem(QStringLiteral("%1  %2").arg(QString::fromStdString(logic::rating_text(step.rating)),
                                                    QString::fromStdString(logic::step_text(step))));
    if (list_->count() > 0) list_->setCurrentRow(0);
}

void LogicView::row_changed() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(report_.before.size())) return;
    const logic::CandidateGrid& before = report_.before[static_cast<std::size_t>(row)];
    const logic::Step& step = report_.human.steps[static_cast<std::size_t>(row)];
    const StepPattern pattern = step_pattern(before, step);
    GridPicture picture;
    picture.digits = before.digits();
    for (int cell = 0; cell < kCellCount; ++cell) {
        picture.roles[cell] = givens_[cell] != 0 ? DigitRole::Given : DigitRole::Placed;
        if (before.digit(cell) == 0) picture.candidates[cell] = static_cast<std::uint16_t>(before.candidates(cell) << 1);
    }
    picture.pattern = pattern.candidates;
    picture.eliminated = pattern.eliminated;
    picture.outlined = pattern.cells;
    if (pattern.unit != 0)
        for (const int k : unit_cells(pattern.unit)) picture.tinted[grid_cell_of(k - 1)] = true;
    picture.caption = QStringLiteral("%1 (%2)").arg(QLatin1String(logic::technique_name(step.technique)),
                                                    QString::fromStdString(logic::rating_text(step.rating)));
    grid_->set_picture(picture);
}

}  // namespace varendo
