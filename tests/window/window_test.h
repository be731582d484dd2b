#pragma once

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "recording_sudoku.h"
#include "solver/units.h"

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
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        directory_ = std::make_unique<QTemporaryDir>();
        window_ = std::make_unique<RecordingSudoku>(directory_->path());
        window_->show();
        window_->activateWindow();
        QVERIFY(directory_->isValid() && QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); directory_.reset(); }
};
