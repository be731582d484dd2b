#pragma once

#include <QStringList>

#include "window/sudoku.h"

// The window with its message boxes caught instead of shown, so that nothing waits for
// a click on OK.
class RecordingSudoku final : public varendo::Sudoku {
public:
    using Sudoku::Sudoku;

    QStringList messages;

protected:
    void present_message(const QString& text) override { messages.append(text); }
};
