#pragma once

#include <QStringList>

#include "window/sudoku.h"

// The window with its message boxes caught instead of shown, so that nothing waits for
// a click on OK. With intercept off, the real message box comes up.
class RecordingSudoku final : public varendo::Sudoku {
public:
    using Sudoku::Sudoku;

    QStringList messages;
    bool intercept = true;

protected:
    void present_message(const QString& text) override {
        if (intercept) {
            messages.append(text);
        } else {
            Sudoku::present_message(text);
        }
    }
};
