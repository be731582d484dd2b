#pragma once

#include <QStringList>
#include <QUrl>

#include "window/sudoku.h"

// The window with its message boxes caught instead of shown, so that nothing waits for
// a click on OK, and with the file dialogs and the desktop's viewer stood in for.
class RecordingSudoku final : public varendo::Sudoku {
public:
    using Sudoku::Sudoku;

    QStringList messages;
    // The informative text of each box, empty for most.
    QStringList details;
    // What the file dialog answers; the files the viewer was asked to show.
    QString chosen_file;
    QList<QUrl> shown_files;

protected:
    void present_message(const QString& text, const QString& more = QString()) override {
        messages.append(text);
        details.append(more);
    }
    QString choose_file(FileChoice) override { return chosen_file; }
    void open_url(const QUrl& url) override { shown_files.append(url); }
};
