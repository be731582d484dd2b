#pragma once

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "recording_sudoku.h"
#include "solver/units.h"

// Row by row, '0' for an empty cell; its one solution.
inline constexpr char kPuzzle[] = "003020600900305001001806400008102900700000008006708200002609500800203009005010300";
inline constexpr char kSolution[] = "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
inline const QString kEmptyGrid(81, u'.');

// A puzzle as the grid shows it: '.' for an empty cell.
inline QString shown(const char* grid) { return QString::fromLatin1(grid).replace(u'0', u'.'); }

// A fresh window for each test case in a folder of its own, and the hands that drive it:
// clicks on its buttons, keys into its cells and menus.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<QTemporaryDir> directory_;
    std::unique_ptr<RecordingSudoku> window_;

    QLineEdit* cell(int row, int column) const {
        return window_->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(varendo::index_of(row, column)));
    }
    // Row by row from 0.
    QLineEdit* cell(int i) const { return cell(i / 9 + 1, i % 9 + 1); }
    QPushButton* button(const char* name) const { return window_->findChild<QPushButton*>(QLatin1String(name)); }
    QAction* action(const char* name) const { return window_->findChild<QAction*>(QLatin1String(name)); }
    QString caption(const char* label) const { return window_->findChild<QLabel*>(QLatin1String(label))->text(); }
    static QColor text_color(const QLineEdit* box) { return box->palette().color(QPalette::Text); }
    QString path(const QString& name) const { return QDir(directory_->path()).filePath(name); }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // A menu's keys, pressed in a cell that could take them once cells are open.
    void press(const QKeySequence& keys, int row = 5, int column = 5) {
        cell(row, column)->setFocus(Qt::OtherFocusReason);
        QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : window_.get(), keys);
    }
    // New, the puzzle typed row by row, Freeze.
    void enter(const char* puzzle) {
        click("cmdNew");
        for (int i = 0; i < varendo::kCellCount; ++i) QTest::keyClick(cell(i), puzzle[i]);
        click("cmdFreeze");
    }
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        press(QKeySequence::Paste);
    }

    // Row by row, '.' for an empty cell; a cell holding more than one character shows all of them.
    QString grid() const {
        QString text;
        for (int i = 0; i < varendo::kCellCount; ++i) text += cell(i)->text().leftJustified(1, u'.');
        return text;
    }

protected slots:
    void initTestCase();
    void init();
    void cleanup();
};
